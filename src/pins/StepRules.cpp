#include "pins/StepRules.h"

#include "core/NumberField.h"

#include <algorithm>

namespace vexa {

const std::array<std::string, StepParamCount> DefaultStepHeadings{"Par 0", "Par 1", "Par 2", "Base"};
const char* const HelpNotAvailableText = "Help tool not available for this box with the selected command";

namespace {

constexpr int OffsetIndex = 0;
constexpr int Par1Index = 1;
constexpr int Par2Index = 2;
constexpr int Par3Index = 3;
constexpr int LastPin = PinCount - 1;
constexpr int AccelNone = 127; // an "Accel" of -1
constexpr int SignedRange = 128;
constexpr int LastTimeBase = 3;
constexpr int TicksPerSecond = 50;
constexpr int MaxTimeBaseShift = 16;

std::uint8_t& ParamOf(AspectStep& step, int index) {
    switch (index) {
    case OffsetIndex:
        return step.offset;
    case Par1Index:
        return step.par1;
    case Par2Index:
        return step.par2;
    default:
        return step.par3;
    }
}

std::uint8_t ParamOf(const AspectStep& step, int index) {
    AspectStep copy = step;
    return ParamOf(copy, index);
}

int Par1Extra(const InstructionEntry& entry, StepContext context) {
    return entry.par1IsPin ? context.numberingBase : 0;
}

int ShownOffset(const InstructionEntry& entry, int offset, StepContext context) {
    switch (entry.offsetKind) {
    case OffsetKind::Acceleration:
        return offset == AccelNone ? -1 : offset;
    case OffsetKind::PinNumber:
        return offset + context.numberingBase;
    case OffsetKind::PinOffset:
    default:
        return context.currentPin + offset < PinCount ? offset : offset - PinCount;
    }
}

int ShownPar1(const InstructionEntry& entry, int par1, StepContext context) {
    if (entry.par1Signed) {
        const int value = par1 & 127;
        return value >= SignedRange / 2 ? value - SignedRange : value;
    }
    return par1 + entry.par1DisplayOffset + Par1Extra(entry, context);
}

std::uint8_t StoredOffset(const InstructionEntry& entry, std::string_view text, StepContext context) {
    switch (entry.offsetKind) {
    case OffsetKind::PinNumber:
        return static_cast<std::uint8_t>(
            ClampedFieldValue(text, context.numberingBase, context.numberingBase + LastPin) - context.numberingBase);
    case OffsetKind::Acceleration:
        return static_cast<std::uint8_t>((ClampedFieldValue(text, -1, 31) + SignedRange) % SignedRange);
    case OffsetKind::PinOffset:
    default:
        return static_cast<std::uint8_t>(
            (ClampedFieldValue(text, -context.currentPin, LastPin - context.currentPin) + PinCount) % PinCount);
    }
}

std::uint8_t StoredPar1(const InstructionEntry& entry, std::string_view text, StepContext context) {
    const int shift = entry.par1DisplayOffset + Par1Extra(entry, context);
    const int value = ClampedFieldValue(text, entry.par1Minimum + shift, entry.par1Maximum + shift) - shift;
    return static_cast<std::uint8_t>(value < 0 ? value + SignedRange : value);
}

} // namespace

void NormaliseStep(AspectStep& step) {
    const InstructionEntry& entry = InstructionOf(step.instruction);
    for (int index = 0; index < StepParamCount; ++index)
        if (!entry.usesParameter(index))
            ParamOf(step, index) = 0;
    if (!entry.fadeAllowed)
        step.fade = 0;
}

int ShownStepParam(const AspectStep& step, int index, StepContext context) {
    const InstructionEntry& entry = InstructionOf(step.instruction);
    if (!entry.usesParameter(index))
        return 0;
    const int value = ParamOf(step, index);
    switch (index) {
    case OffsetIndex:
        return ShownOffset(entry, value, context);
    case Par1Index:
        return ShownPar1(entry, value, context);
    default:
        return value;
    }
}

void CommitStepParam(AspectStep& step, int index, std::string_view text, StepContext context) {
    const InstructionEntry& entry = InstructionOf(step.instruction);
    switch (index) {
    case OffsetIndex:
        step.offset = StoredOffset(entry, text, context);
        break;
    case Par1Index:
        step.par1 = StoredPar1(entry, text, context);
        break;
    case Par2Index:
        step.par2 = static_cast<std::uint8_t>(ClampedFieldValue(text, 0, entry.par2Maximum));
        break;
    case Par3Index:
        step.par3 = static_cast<std::uint8_t>(ClampedFieldValue(text, 0, LastTimeBase));
        break;
    default:
        return;
    }
    // A parameter the instruction does not use holds 0; the other bytes stay as they are.
    if (!entry.usesParameter(index))
        ParamOf(step, index) = 0;
}

void ChooseInstruction(AspectStep& step, int code) {
    step.instruction = static_cast<std::uint8_t>(std::clamp(code, 0, InstructionCodes - 1));
    NormaliseStep(step);
}

void SetStepFade(AspectStep& step, bool fade) {
    step.fade = fade && InstructionOf(step.instruction).fadeAllowed ? 1 : 0;
}

std::array<std::string, StepParamCount> StepHeadings(const AspectStep& step) {
    return InstructionOf(step.instruction).captions;
}

long StepTicks(const AspectStep& step) {
    if (step.instruction < FirstTimedCode)
        return 0;
    long ticks = step.par2;
    const int base = std::min<int>(step.par3, MaxTimeBaseShift); // a stored base beyond 3 comes only from a file
    for (int i = 0; i < base; ++i)
        ticks *= 8;
    return ticks;
}

std::string DurationText(long ticks) {
    const long hundredths = (ticks % TicksPerSecond) * 2;
    const long seconds = ticks / TicksPerSecond;
    std::string text;
    auto appendTwoDigits = [&text](long value) {
        if (value < 10)
            text += '0';
        text += std::to_string(value);
    };
    appendTwoDigits(seconds / 60);
    text += ':';
    appendTwoDigits(seconds % 60);
    text += '.';
    appendTwoDigits(hundredths);
    return text;
}

StepHelpTool HelpToolFor(const AspectStep& step, StepHelpField field) {
    const int selector = InstructionOf(step.instruction).helpSelector;
    if (field == StepHelpField::Par1) {
        if (selector >= 2 && selector <= 7)
            return StepHelpTool::Pattern;
        if (selector == HelpEventPattern)
            return StepHelpTool::EventPattern;
        return StepHelpTool::None;
    }
    return selector == HelpTime ? StepHelpTool::Time : StepHelpTool::None;
}

int PatternOutputs(const AspectStep& step) {
    return InstructionOf(step.instruction).helpSelector;
}

} // namespace vexa
