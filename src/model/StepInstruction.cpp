#include "model/StepInstruction.h"

namespace vexa {

int InstructionWithFade(const AspectStep& step) {
    const int folded = step.instruction + FadeFlagValue;
    if (step.fade != 0 && (step.instruction & FadeFlagValue) == 0 && folded >= FadedInstructionFirst &&
        folded <= FadedInstructionLast)
        return folded;
    return step.instruction;
}

} // namespace vexa
