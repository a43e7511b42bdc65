// "Read All" and "Write All" of a full configuration (module settings and 32 pins with layout
// 3, every step used, servo type blocks) against the in-process simulated controller paced at
// 19200 bit/s, with "Bidirectional Comm." on so that every request is answered. Prints the
// elapsed time against the time the bytes need on the wire (11 bit times per byte), and for
// "Read All" the CPU time as a share of the elapsed time: the link should keep the line busy
// and block while it waits.

#include "BenchSupport.h"
#include "FullPins.h"

#include "batch/BatchOperations.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int BitRate = 19200;
constexpr double BitsPerByte = 11.0;
constexpr double TargetWireRatio = 1.10;
constexpr double TargetCpuShare = 0.02;

// Module settings away from their defaults, and 32 servo pins with every step in use.
void FillImage(vexa::ConfigurationImage& image) {
    vexa::ModuleSettings& module = image.module;
    module.idString = "Bench 12";
    module.dccAddress = 300;
    module.xdccAddress = 1200;
    module.dccPacketRepeat = 1;
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 3;
    module.moduleXAddress = 17;
    module.groupMask[5] = true;
    module.hwcSink[1] = true;
    module.ledGreen = {1, 0, 1, 0, 0, 0, 0, 0};
    module.serialEnable = true;
    module.serialBaud = 4;
    module.enforcedXAddress = false; // known, so that Write All sends every setting
    image.enableMap = vexa::EnableMap{true, false, true, true, false, false, true, false};
    vexa::bench::FillPins(image);
}

struct Measured {
    bool passed = false;
    double elapsed = 0;
    double cpu = 0;
    double wire = 0;
};

Measured Measure(vexa::Simulator& simulator, const std::function<bool()>& batch) {
    simulator.resetByteCounts();
    Measured m;
    const double cpuStart = vexa::bench::CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    m.passed = batch();
    const auto end = std::chrono::steady_clock::now();
    m.cpu = vexa::bench::CpuSeconds() - cpuStart;
    m.elapsed = std::chrono::duration<double>(end - start).count();
    const auto bytes = simulator.requestBytes() + simulator.answerBytes();
    m.wire = static_cast<double>(bytes) * BitsPerByte / BitRate;
    return m;
}

void Report(const char* name, const Measured& m, bool withCpu) {
    const double ratio = m.elapsed / m.wire;
    std::printf("%s: wire time %.3f s, elapsed %.3f s\n", name, m.wire, m.elapsed);
    std::printf("  elapsed / wire time: %.3f (target %.2f or less) %s\n", ratio, TargetWireRatio,
                ratio <= TargetWireRatio ? "ok" : "MISSED");
    if (withCpu) {
        const double share = m.cpu / m.elapsed;
        std::printf("  CPU time: %.3f s = %.2f %% of elapsed (target under %.0f %%) %s\n", m.cpu, 100.0 * share,
                    100.0 * TargetCpuShare, share < TargetCpuShare ? "ok" : "MISSED");
    }
}

} // namespace

int main() {
    vexa::bench::BenchSession bench;
    vexa::Session& session = bench.session;
    auto simulator = vexa::bench::OpenSimulatedController(session);
    simulator->setPacing(BitRate);
    session.link.bidirectional = true;

    FillImage(session.image);
    const vexa::ConfigurationImage written = session.image;
    const Measured write = Measure(*simulator, [&session] { return vexa::WriteAll(session); });
    if (!write.passed || !session.link.bidirectional || bench.prompter.count != 0) {
        std::fprintf(stderr, "Write All failed\n");
        return 1;
    }

    session.image = vexa::ConfigurationImage{};
    const Measured read = Measure(*simulator, [&session] { return vexa::ReadAll(session); });
    if (!read.passed || bench.prompter.count != 0) {
        std::fprintf(stderr, "Read All failed\n");
        return 1;
    }
    if (!(session.image.module == written.module)) {
        std::fprintf(stderr, "the module settings read back differently\n");
        return 1;
    }
    if (!vexa::bench::SamePins(written, session.image))
        return 1;

    std::printf("Read All and Write All: module settings and 32 pins, layout 3, every step used, %d bit/s\n", BitRate);
    Report("Read All", read, true);
    Report("Write All (Bidirectional Comm. on)", write, false);
    return 0;
}
