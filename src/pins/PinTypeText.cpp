#include "pins/PinTypeText.h"

#include "pins/PinConfigTypes.h"
#include "pins/TypeSettingsFields.h"
#include "pins/TypeSettingsWords.h"

namespace vexa {

namespace {

template <std::size_t N>
void AddFields(const PinRecord& pin, const std::array<ParamFieldSpec, N>& fields, std::vector<std::string>& texts) {
    for (const ParamFieldSpec& field : fields)
        texts.push_back(std::string(field.caption) + ": " + std::to_string(ShownParamValue(pin, field)));
}

std::string Option(const char* caption, const char* option) {
    return std::string(caption) + ": " + option;
}

} // namespace

std::string TypeText(const PinRecord& pin) {
    TypeFamily family = TypeFamily::Clear;
    if (!FamilyOfType(pin.configType, family))
        return UnknownConfigurationText(pin.configType);
    std::string text = typetabs::TabCaptions[static_cast<std::size_t>(family)];
    if (family == TypeFamily::Pwm && pin.configType != TypePwm)
        text += std::string(", ") + typetabs::Inverted;
    if (family == TypeFamily::Input && pin.configType != TypeInput)
        text += std::string(", ") + typetabs::LowActive;
    return text;
}

std::vector<std::string> TypeParameterTexts(const PinRecord& pin) {
    std::vector<std::string> texts;
    TypeFamily family = TypeFamily::Clear;
    if (!FamilyOfType(pin.configType, family))
        return texts;
    switch (family) {
    case TypeFamily::Servo: {
        AddFields(pin, ServoParamFields, texts);
        const ServoFlags flags = DecodeServoFlags(pin.param(2));
        texts.push_back(
            Option(typetabs::ServoRange, typetabs::ServoRangeOptions[static_cast<std::size_t>(flags.rangeIndex)]));
        for (const auto& [checked, caption] : {std::pair{flags.autoSuspend, typetabs::AutoSuspend},
                                               {flags.suspended, typetabs::Suspended},
                                               {flags.initialised, typetabs::Initialised}})
            if (checked)
                texts.emplace_back(caption);
        break;
    }
    case TypeFamily::Pwm:
        AddFields(pin, PwmParamFields, texts);
        texts.push_back(Option(typetabs::DriveMode,
                               typetabs::PwmModeOptions[static_cast<std::size_t>(PwmDriveIndex(pin.param(2)))]));
        texts.push_back(Option(typetabs::AccelerationMode,
                               typetabs::PwmModeOptions[static_cast<std::size_t>(PwmAccelIndex(pin.param(2)))]));
        break;
    case TypeFamily::Input:
        AddFields(pin, InputDelayFields, texts);
        break;
    case TypeFamily::Clear:
        break;
    }
    return texts;
}

std::string StepText(const AspectStep& step, StepContext context) {
    const InstructionEntry& entry = InstructionOf(step.instruction);
    std::string text = entry.named() ? entry.name : "Instruction " + std::to_string(step.instruction);
    if (entry.fadeAllowed && step.fade != 0)
        text += std::string(" (") + FadeHeading + ")";
    std::vector<std::string> parameters;
    for (int index = 0; index < StepParamCount; ++index)
        if (entry.usesParameter(index))
            parameters.push_back(entry.captions.at(static_cast<std::size_t>(index)) + " " +
                                 std::to_string(ShownStepParam(step, index, context)));
    if (step.instruction >= FirstTimedCode)
        parameters.push_back(DurationText(StepTicks(step)));
    return parameters.empty() ? text : text + ": " + JoinTexts(parameters);
}

std::string JoinTexts(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : ", ") + text;
    return joined;
}

} // namespace vexa
