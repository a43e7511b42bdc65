#pragma once

#include "sim/SimLine.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

class SimBus;
class Simulator;

// Settings of a simulated Corvan interface; versions are four decimal digits (3200 = 3.2.0.0)
// whose second and fourth digit are 0..7, as the interface sends them in two bytes.
struct CorvanInterfaceSettings {
    int protocolVersion = 3200;
    int interfaceType = 10; // 2 Hubo, 3 Tesk, 10 Brix
    int firmwareVersion = 1040;
    // Bus address (0..31) at which the controller answers; none: it answers at every address.
    std::optional<int> controllerAddress;
};

// The two bytes V1, V2 of a version, or nullopt when the version cannot be sent that way.
std::optional<std::array<std::uint8_t, 2>> CorvanVersionBytes(int version);

// A simulated interface module of a Corvan system in front of a simulated controller. It
// answers every valid Corvan frame with one frame: polls, the protocol-version and
// interface-type queries and the transparent-mode command. A tunnelled controller request is
// carried to the controller at once; its answer waits in the interface and goes back in
// answer to a later poll. After the transparent-mode command the interface passes every byte
// through to the controller unchanged.
class CorvanInterfaceSim : public SimLine {
public:
    explicit CorvanInterfaceSim(std::shared_ptr<Simulator> controller, CorvanInterfaceSettings settings = {});
    // An interface in front of a bus of controllers: a request reaches the controller at its
    // bus address (settings.controllerAddress does not apply), and Transparent Mode opens the
    // line of the bus.
    CorvanInterfaceSim(std::shared_ptr<SimBus> bus, CorvanInterfaceSettings settings = {});

    std::optional<SimulatorAnswer> receive(std::uint8_t byte) override;
    std::chrono::nanoseconds byteTime() const override;

    const CorvanInterfaceSettings& settings() const { return settings_; }
    // False (and unchanged) when a version cannot be sent or the address is above 31.
    bool setSettings(const CorvanInterfaceSettings& settings);
    bool transparent() const { return transparent_; }
    // The one controller behind the interface; null in front of a bus.
    const std::shared_ptr<Simulator>& sharedController() const { return controller_; }
    // Frames taken off the line with a correct check byte, as their data bytes.
    const std::deque<std::vector<std::uint8_t>>& frames() const { return frames_; }

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        std::vector<int> data;
        Clock::time_point ready;
    };

    std::optional<SimulatorAnswer> serve(const std::vector<std::uint8_t>& data);
    // The controller a request or Lumo message to this bus address reaches, or null.
    Simulator* controllerAt(int busAddress) const;
    SimLine& farLine() const;
    void carryRequest(const std::vector<std::uint8_t>& data);
    void carryLumo(const std::vector<std::uint8_t>& data);
    std::vector<int> takeReadyAnswer();
    SimulatorAnswer frame(const std::vector<int>& data);

    std::shared_ptr<Simulator> controller_;
    std::shared_ptr<SimBus> bus_; // set instead of controller_ in front of a bus
    CorvanInterfaceSettings settings_;
    bool transparent_ = false;
    int toggle_ = 0;
    // The frame being collected.
    bool inFrame_ = false;
    int wanted_ = 0;
    unsigned sum_ = 0;
    std::vector<std::uint8_t> data_;
    std::deque<std::vector<std::uint8_t>> frames_;
    std::deque<Pending> answers_;
};

// The interface in front of the in-process simulated controller: protocol 3.2.0.0, a Brix
// with firmware 1.0.4.0, the controller at every bus address, and a few reports waiting.
std::shared_ptr<CorvanInterfaceSim> MakeDefaultCorvanInterface(std::shared_ptr<Simulator> controller);

} // namespace vexa
