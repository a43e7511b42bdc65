#pragma once

#include "model/ConfigurationImage.h"
#include "pins/InstructionTable.h"

#include <array>
#include <string>
#include <string_view>

namespace vexa {

// What the step fields need besides the step: the pin being edited and the numbering base.
struct StepContext {
    int currentPin = 0;
    int numberingBase = 0;
};

// The four parameter fields of a step row: offset (parameter 0), par1, par2, par3.
constexpr int StepParamCount = 4;

// The redraw rule on the image: parameters the instruction does not use, and the fade flag
// where fade is not allowed, become 0.
void NormaliseStep(AspectStep& step);

// The value a parameter field shows for the step (0 for a parameter not in use).
int ShownStepParam(const AspectStep& step, int index, StepContext context);

// An edited parameter field: its number is clamped to the field's range and stored in the step
// (0 for a parameter the instruction does not use). The step's other bytes stay as they are.
void CommitStepParam(AspectStep& step, int index, std::string_view text, StepContext context);

// Choosing an instruction (which normalises the step), and the fade box (fade only where the
// instruction allows it).
void ChooseInstruction(AspectStep& step, int code);
void SetStepFade(AspectStep& step, bool fade);

// The column headings after a row is drawn: the instruction's four captions.
std::array<std::string, StepParamCount> StepHeadings(const AspectStep& step);
// Default headings of the four parameter columns.
extern const std::array<std::string, StepParamCount> DefaultStepHeadings;
// Heading of the fade column while the row drawn last allows fade.
inline constexpr const char* FadeHeading = "Fade";

// Time a step waits: par2 x 8^par3 ticks of 20 ms for codes from 64 on, else 0.
long StepTicks(const AspectStep& step);
// Ticks of 20 ms as "mm:ss.hh".
std::string DurationText(long ticks);

// The help tool for a step field, chosen by the selector of the row's instruction.
enum class StepHelpField { Par1, Par2, Par3, Time };
enum class StepHelpTool { None, Pattern, EventPattern, Time };
StepHelpTool HelpToolFor(const AspectStep& step, StepHelpField field);
// Number of outputs the pattern calculator offers for the step (its help selector).
int PatternOutputs(const AspectStep& step);
extern const char* const HelpNotAvailableText;

} // namespace vexa
