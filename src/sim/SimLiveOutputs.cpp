#include "sim/SimLiveOutputs.h"

#include "link/StepEncoding.h"
#include "sim/SimRequests.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

constexpr int FullLevel = 31;
constexpr int ServoCentre = 64;
constexpr double FadeLevelsPerSecond = 62; // a faded on or off takes half a second
constexpr int MaxNestedAspects = 4;        // a "SetAspect" step may start another pin's program
constexpr int LumoOutputsPerModule = 32;
constexpr int NativeAddressesPerModule = 128;
constexpr int FlexAddressesPerBlock = 4;

enum LumoCode : int { LumoSetPin = 0, LumoSetSerial = 1, LumoReset = 2, LumoClear = 8, LumoLampTest = 10 };

// Instruction codes whose effect the simulated outputs show.
enum StepCode : int {
    StepJump = 1,
    StepBlinkAlt = 6,
    StepOff = 8,
    StepOn = 9,
    StepInvert = 10,
    StepRandom = 11,
    StepSetLevel = 38,
    StepSetServo = 39,
    StepSetLevelWait = 96,
    StepSetLevelWaitRandom = 97,
    StepSetServoWait = 100,
    StepSetServoWaitRandom = 101,
    StepSetAspectFirst = 112,
    StepSetAspectLast = 123,
};

SimOutputState& Output(SimLiveState& live, int pin) {
    return live.outputs.at(static_cast<std::size_t>(pin));
}

// Parameter n (1..11) of the pin's active type block, or `otherwise` when the block is shorter.
int ActiveParam(const SimPin& pin, int n, int otherwise) {
    return static_cast<std::size_t>(n) < pin.activeBlock.size() ? pin.activeBlock[static_cast<std::size_t>(n)]
                                                                : otherwise;
}

void SetLevel(SimLiveState& live, int pin, int level, bool fade) {
    SimMotion& value = Output(live, pin).value;
    if (fade)
        value.moveTo(level, live.now, FadeLevelsPerSecond);
    else
        value.jump(level);
}

// Number of outputs a "Multibit" instruction sets, 0 for other codes.
int MultibitWidth(int code) {
    if (code >= 12 && code <= 15)
        return code - 10;
    if (code >= 32 && code <= 37)
        return code % 2 == 0 ? 6 : 7;
    return 0;
}

void RunAspect(const ControllerMemory& memory, SimLiveState& live, int pin, int aspect, int depth);

// Carries out one step; false when the program ends here.
bool RunStep(const ControllerMemory& memory, SimLiveState& live, int pin, const AspectStep& step, int depth) {
    const int code = step.instruction;
    const int target = (pin + step.offset) % PinCount;
    const bool fade = step.fade != 0;
    const int level = static_cast<int>(Output(live, target).value.target);
    if (const int width = MultibitWidth(code)) {
        for (int bit = 0; bit < width; ++bit)
            SetLevel(live, (target + bit) % PinCount, (step.par1 >> bit) & 1 ? FullLevel : 0, fade);
        return true;
    }
    switch (code) {
    case StepJump:
        return false;
    case StepOff:
        SetLevel(live, target, 0, fade);
        break;
    case StepOn:
    case StepBlinkAlt:
    case StepRandom:
        SetLevel(live, target, FullLevel, fade);
        break;
    case StepInvert:
        SetLevel(live, target, level > 0 ? 0 : FullLevel, fade);
        break;
    case StepSetLevel:
        SetLevel(live, target, std::min<int>(step.par1, FullLevel), fade);
        break;
    case StepSetLevelWait:
    case StepSetLevelWaitRandom:
        SetLevel(live, pin, std::min<int>(step.par1, FullLevel), false);
        break;
    case StepSetServo:
        Output(live, target).value.jump(step.par1);
        break;
    case StepSetServoWait:
    case StepSetServoWaitRandom:
        Output(live, pin).value.jump(step.par1);
        break;
    default:
        if (code >= StepSetAspectFirst && code <= StepSetAspectLast && depth < MaxNestedAspects &&
            code - StepSetAspectFirst < AspectsInLayout(memory.pins[static_cast<std::size_t>(target)].aspectLayout))
            RunAspect(memory, live, target, code - StepSetAspectFirst, depth + 1);
        break;
    }
    return true;
}

void RunAspect(const ControllerMemory& memory, SimLiveState& live, int pin, int aspect, int depth) {
    const SimPin& record = memory.pins[static_cast<std::size_t>(pin)];
    live.shownAspect[static_cast<std::size_t>(pin)] = aspect;
    Output(live, pin).aspect = aspect;
    Output(live, pin).lampTest = false;
    for (int s = 0; s < StepsInLayout(record.aspectLayout); ++s) {
        const SimStep& slot = record.steps[static_cast<std::size_t>(*StepSlotIndex(record.aspectLayout, aspect, s))];
        const AspectStep step =
            DecodeStep(StepWire{slot.instruction, {slot.values[0], slot.values[1], slot.values[2], slot.values[3]}});
        if (!RunStep(memory, live, pin, step, depth))
            break;
    }
}

void MoveLive(const ControllerMemory& memory, SimLiveState& live, int pin, int code, int value) {
    if (pin < 0 || pin >= PinCount)
        return;
    const SimPin& record = memory.pins[static_cast<std::size_t>(pin)];
    const SimOutputKind kind = OutputKindOf(record);
    SimMotion& motion = Output(live, pin).value;
    if (code == LivePwmLevel || code == LivePwmLevelSlow) {
        if (kind != SimOutputKind::Pwm)
            return;
        const int level = std::min(value, FullLevel);
        // Slow: the acceleration parameter (0..31) sets the pace, 64 levels a second at 0.
        if (code == LivePwmLevelSlow)
            motion.moveTo(level, live.now, 64.0 / (1 + ActiveParam(record, 3, 0)));
        else
            motion.jump(level);
        return;
    }
    if (kind != SimOutputKind::Servo)
        return;
    // Dynamic: the servo travels at twice its MaxSpd parameter, in position steps a second.
    if (code == LiveServoPositionDynamic)
        motion.moveTo(value, live.now, 2.0 * std::max(1, ActiveParam(record, 6, 1)));
    else
        motion.jump(value);
}

// The serial address a Lumo address stands for on this controller, or -1 when it is not one of its own.
int SerialAddressOfLumo(const ControllerMemory& memory, int moduleAddress, int header, int output) {
    const std::vector<std::uint8_t>& addressing = memory.settings[SettingSerialAddressing];
    const int flex = addressing.size() > 0 ? addressing[0] : 0;
    const int block = addressing.size() > 1 ? addressing[1] : 0;
    const int lumoAddress = (header / 4) * LumoOutputsPerModule + output;
    int address = -1;
    if (flex == 1)
        address = lumoAddress - FlexAddressesPerBlock * block;
    else if ((block & 64) != 0)
        address = lumoAddress - NativeAddressesPerModule * moduleAddress;
    else if (header / 4 == moduleAddress)
        address = output;
    return address;
}

} // namespace

SimOutputKind OutputKindOf(const SimPin& pin) {
    switch (pin.activeBlock.empty() ? 0 : pin.activeBlock[0]) {
    case 1:
        return SimOutputKind::Servo;
    case 2:
    case 3:
        return SimOutputKind::Pwm;
    case 4:
    case 5:
        return SimOutputKind::Input;
    default:
        return SimOutputKind::None;
    }
}

void ShowAspectOnOutputs(const ControllerMemory& memory, SimLiveState& live, int pin, int aspect) {
    if (pin < 0 || pin >= PinCount || aspect < 0 ||
        aspect >= AspectsInLayout(memory.pins[static_cast<std::size_t>(pin)].aspectLayout))
        return;
    RunAspect(memory, live, pin, aspect, 0);
}

void ServeLiveOutputs(const ControllerMemory& memory, SimLiveState& live, const std::vector<std::uint8_t>& data) {
    if (data.size() != 4 || data[0] != 0)
        return;
    switch (data[1]) {
    case LiveSetPinAspect:
        ShowAspectOnOutputs(memory, live, data[2], data[3]);
        break;
    case LiveSetSerialAspect:
        ShowAspectOnOutputs(memory, live, PinOfSerialAddress(memory, data[2]), data[3]);
        break;
    default:
        MoveLive(memory, live, data[2], data[1], data[3]);
        break;
    }
}

void ServeLumoOutputs(const ControllerMemory& memory, SimLiveState& live, int moduleAddress, std::uint8_t header,
                      const std::array<std::uint8_t, 3>& data) {
    const bool mine = header / 4 == moduleAddress;
    const int output = data[1];
    switch (data[0]) {
    case LumoSetPin:
        if (mine)
            ShowAspectOnOutputs(memory, live, output, data[2]);
        break;
    case LumoSetSerial: {
        const int address = SerialAddressOfLumo(memory, moduleAddress, header, output);
        if (address >= 0)
            ShowAspectOnOutputs(memory, live, PinOfSerialAddress(memory, address), data[2]);
        break;
    }
    case LumoReset:
        if (mine)
            ResetOutputs(memory, live);
        break;
    case LumoClear:
        if (mine && output < PinCount) {
            SimOutputState& state = Output(live, output);
            state.aspect = -1;
            state.lampTest = false;
            live.shownAspect[static_cast<std::size_t>(output)] = -1;
            if (OutputKindOf(memory.pins[static_cast<std::size_t>(output)]) != SimOutputKind::Servo)
                state.value.jump(0);
        }
        break;
    case LumoLampTest:
        if (mine && output < PinCount)
            Output(live, output).lampTest = true;
        break;
    default:
        break;
    }
}

void ResetOutputs(const ControllerMemory& memory, SimLiveState& live) {
    for (int pin = 0; pin < PinCount; ++pin) {
        const SimPin& record = memory.pins[static_cast<std::size_t>(pin)];
        SimOutputState& state = Output(live, pin);
        state = SimOutputState{};
        live.shownAspect[static_cast<std::size_t>(pin)] = -1;
        const SimOutputKind kind = OutputKindOf(record);
        const int initial = record.flashBlock.size() > 1 ? record.flashBlock[1] : 0;
        if (kind == SimOutputKind::Servo)
            state.value.jump(initial);
        else if (kind == SimOutputKind::Pwm)
            state.value.jump(std::min(initial, FullLevel));
    }
    for (int pin = 0; pin < PinCount; ++pin)
        if (const std::optional<int> initial =
                DecodeInitialAspect(memory.pins[static_cast<std::size_t>(pin)].initialAspect);
            initial && *initial > 0)
            ShowAspectOnOutputs(memory, live, pin, *initial - 1);
}

std::array<SimOutputView, PinCount> ViewOutputs(const ControllerMemory& memory, const SimLiveState& live, double now) {
    std::array<SimOutputView, PinCount> views{};
    for (int pin = 0; pin < PinCount; ++pin) {
        const SimOutputState& state = live.outputs[static_cast<std::size_t>(pin)];
        SimOutputView& view = views[static_cast<std::size_t>(pin)];
        view.kind = OutputKindOf(memory.pins[static_cast<std::size_t>(pin)]);
        view.aspect = state.aspect;
        view.lampTest = state.lampTest;
        const double value = state.value.at(now);
        view.value = static_cast<int>(std::lround(value)) - (view.kind == SimOutputKind::Servo ? ServoCentre : 0);
        view.moving = value != state.value.target;
    }
    return views;
}

std::string OutputsText(const std::array<SimOutputView, PinCount>& outputs) {
    static const char* const kinds[] = {"none", "servo", "pwm", "input"};
    std::string text;
    for (int pin = 0; pin < PinCount; ++pin) {
        const SimOutputView& view = outputs[static_cast<std::size_t>(pin)];
        text += "output " + std::to_string(pin) + " " + kinds[static_cast<int>(view.kind)] + " aspect " +
                (view.aspect < 0 ? std::string("-") : std::to_string(view.aspect)) +
                (view.kind == SimOutputKind::Servo ? " position " : " level ") + std::to_string(view.value) +
                (view.lampTest ? " lamp-test" : "") + "\n";
    }
    return text;
}

} // namespace vexa
