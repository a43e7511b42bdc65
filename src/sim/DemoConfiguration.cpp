#include "sim/DemoConfiguration.h"

#include "sim/SimBus.h"
#include "sim/Simulator.h"

namespace vexa {

namespace {

// Instruction codes used by the demonstration programs.
constexpr std::uint8_t JumpCode = 1;
constexpr std::uint8_t BlinkAltCode = 6;
constexpr std::uint8_t SetLevelCode = 38;
constexpr std::uint8_t SetServoCode = 39;
constexpr std::uint8_t SetLevelAndWaitCode = 96;
constexpr std::uint8_t FadeFlag = 16;

SimStep Step(std::uint8_t instruction, std::uint8_t w0, std::uint8_t w1, std::uint8_t w2 = 0, std::uint8_t w3 = 0) {
    return SimStep{instruction, {w0, w1, w2, w3}};
}

void SetStep(SimPin& pin, int aspect, int step, const SimStep& value) {
    pin.steps[static_cast<std::size_t>(*StepSlotIndex(pin.aspectLayout, aspect, step))] = value;
}

void InstallServo(SimPin& pin) {
    // Centre at start, range "M", both bounces off.
    pin.flashBlock = {1, 64, 2 + 8, 64, 127, 58, 127, 127, 64, 0, 64, 0};
    pin.activeBlock = pin.flashBlock;
    pin.aspectLayout = LayoutTwelveByThree;
    SetStep(pin, 0, 0, Step(SetServoCode, 0, 64 - 30)); // aspect 0: position -30
    SetStep(pin, 1, 0, Step(SetServoCode, 0, 64 + 30)); // aspect 1: position +30
    pin.initialAspect = 0x70;
}

void InstallPwmProgram(SimPin& pin) {
    pin.flashBlock = {2, 0, 0, 28, 0, 31};
    pin.activeBlock = pin.flashBlock;
    pin.aspectLayout = LayoutFourByNine;
    SetStep(pin, 0, 0, Step(SetLevelCode + FadeFlag, 0, 0));  // aspect 0: fade off
    SetStep(pin, 1, 0, Step(SetLevelCode + FadeFlag, 0, 31)); // aspect 1: fade on
    SetStep(pin, 2, 0, Step(BlinkAltCode + FadeFlag, 0, 30)); // aspect 2: blink
    SetStep(pin, 3, 0, Step(SetLevelAndWaitCode, 0, 31, 25)); // aspect 3: pulse bright
    SetStep(pin, 3, 1, Step(SetLevelAndWaitCode, 0, 4, 25));  //   and dim,
    SetStep(pin, 3, 2, Step(JumpCode, 0, 3, 0));              //   again and again
    pin.initialAspect = 0x70;
    pin.eventOn[0] = 0 * 16 + 1;  // input 0 on: aspect 1
    pin.eventOff[0] = 0 * 16 + 0; // input 0 off: aspect 0
}

void InstallInput(SimPin& pin) {
    pin.flashBlock = {5, 0, 0, 4, 4}; // low active, both delays 4
    pin.activeBlock = pin.flashBlock;
}

} // namespace

void InstallDemoConfiguration(Simulator& simulator) {
    simulator.setIdString("Vexa Sim");
    InstallServo(simulator.pin(0));
    InstallPwmProgram(simulator.pin(1));
    InstallInput(simulator.pin(2));
}

std::shared_ptr<SimBus> MakeDemoLayout() {
    auto station = std::make_shared<Simulator>();
    InstallDemoConfiguration(*station);
    station->setIdString("Station");

    auto yard = std::make_shared<Simulator>();
    yard->setIdString("Goods Yard");
    for (int p = 0; p < 4; ++p)
        InstallServo(yard->pin(p));
    yard->setting(SettingDccAddress) = {20, 0};

    auto signals = std::make_shared<Simulator>();
    signals->setIdString("Main Signals");
    for (int p = 0; p < 6; ++p)
        InstallPwmProgram(signals->pin(p));
    signals->setting(SettingLedGreen) = {5};
    signals->setting(SettingLedOrange) = {2};

    auto bus = std::make_shared<SimBus>();
    bus->add(0, station);
    bus->add(1, yard);
    bus->add(4, signals);
    for (const auto& entry : bus->controllers())
        entry.second->resetOutputs();
    return bus;
}

} // namespace vexa
