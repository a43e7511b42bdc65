#pragma once

#include "model/ConfigurationImage.h"

namespace vexa {

// The instruction byte of a step as it travels on the wire and stands in the data file: the
// instruction plus 16 for the fade flag. The flag is folded in only where it can be taken
// apart again (the instruction has no bit 4 of its own and the sum lies in 19..63); anywhere
// else the sum would be another instruction, so the flag means nothing and is left out.
int InstructionWithFade(const AspectStep& step);

// The bounds of the bytes that may carry a folded fade flag.
constexpr int FadeFlagValue = 16;
constexpr int FadedInstructionFirst = 19;
constexpr int FadedInstructionLast = 63;

} // namespace vexa
