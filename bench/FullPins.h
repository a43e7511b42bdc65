#pragma once

// The pins of a full configuration, and the simulated controller they go to, for the benchmarks.

#include "core/Session.h"
#include "model/ConfigurationImage.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <cstdio>
#include <memory>

namespace vexa::bench {

// 32 servo pins with four aspects of nine steps each, every step in use.
inline void FillPins(ConfigurationImage& image) {
    for (int p = 0; p < PinCount; ++p) {
        PinRecord& pin = image.pins[static_cast<std::size_t>(p)];
        pin.aspectLayout = LayoutFourByNine;
        pin.initialAspect = static_cast<std::uint8_t>(1 + p % 4);
        pin.configType = 1;
        for (int n = 1; n <= ConfigParamCount; ++n)
            pin.param(n) = static_cast<std::uint8_t>(n == 2 ? 8 : (p + n) % 128);
        for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a)
            for (int s = 0; s < StepCount; ++s)
                pin.aspects[static_cast<std::size_t>(a)].steps[static_cast<std::size_t>(s)] =
                    AspectStep{39, 1, static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(64 + p), 0, 0};
    }
}

// True when every pin's aspects and type parameters were read back as written; says which
// pin differs otherwise.
inline bool SamePins(const ConfigurationImage& written, const ConfigurationImage& read) {
    for (int p = 0; p < PinCount; ++p) {
        const auto& expected = written.pins[static_cast<std::size_t>(p)];
        const auto& got = read.pins[static_cast<std::size_t>(p)];
        if (got.aspects != expected.aspects || got.configParams != expected.configParams) {
            std::fprintf(stderr, "pin %d read back differently\n", p);
            return false;
        }
    }
    return true;
}

// Opens a port to a freshly erased simulated controller in this process; returns it.
inline std::shared_ptr<Simulator> OpenSimulatedController(Session& session) {
    auto simulator = std::make_shared<Simulator>();
    session.port.port = MakeSimulatorPort(simulator);
    session.port.port->open(SimulatorPortName);
    session.port.name = SimulatorPortName;
    return simulator;
}

} // namespace vexa::bench
