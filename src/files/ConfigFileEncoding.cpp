#include "files/ConfigFileEncoding.h"

#include "model/StepInstruction.h"

namespace vexa::configfile {

namespace {

bool CarriesFade(int field) {
    return field >= FadedInstructionFirst && field <= FadedInstructionLast;
}

} // namespace

int ConfigParamsInFile(int configType) {
    switch (configType) {
    case 1:
        return 11;
    case 2:
    case 3:
        return 5;
    case 4:
    case 5:
        return 4;
    default:
        return 0;
    }
}

void SplitInstruction(int field, AspectStep& step) {
    if (CarriesFade(field)) {
        step.fade = (field & FadeFlagValue) != 0 ? 1 : 0;
        step.instruction = static_cast<std::uint8_t>(field & ~FadeFlagValue);
    } else {
        step.instruction = static_cast<std::uint8_t>(field);
    }
}

std::uint8_t ConvertOlderServoOptions(std::uint8_t optionBits) {
    if (optionBits > 15 && (optionBits & 8) == 0)
        return static_cast<std::uint8_t>(optionBits / 16 + 40);
    return optionBits;
}

} // namespace vexa::configfile
