#include "files/ConfigFileEncoding.h"

namespace vexa::configfile {

namespace {

constexpr int FadeBit = 16;
constexpr int FirstSplitField = 19;
constexpr int LastSplitField = 63;

bool CarriesFade(int field) {
    return field >= FirstSplitField && field <= LastSplitField;
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

int FoldInstruction(const AspectStep& step) {
    const int folded = step.instruction + FadeBit;
    if (step.fade != 0 && (step.instruction & FadeBit) == 0 && CarriesFade(folded))
        return folded;
    return step.instruction;
}

void SplitInstruction(int field, AspectStep& step) {
    if (CarriesFade(field)) {
        step.fade = (field & FadeBit) != 0 ? 1 : 0;
        step.instruction = static_cast<std::uint8_t>(field & ~FadeBit);
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
