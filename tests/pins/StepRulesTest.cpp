#include "pins/StepRules.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

constexpr int Offset = 0, Par1 = 1, Par2 = 2, Par3 = 3;

AspectStep Step(int code, int offset = 0, int par1 = 0, int par2 = 0, int par3 = 0, int fade = 0) {
    AspectStep step;
    step.instruction = static_cast<std::uint8_t>(code);
    step.fade = static_cast<std::uint8_t>(fade);
    step.offset = static_cast<std::uint8_t>(offset);
    step.par1 = static_cast<std::uint8_t>(par1);
    step.par2 = static_cast<std::uint8_t>(par2);
    step.par3 = static_cast<std::uint8_t>(par3);
    return step;
}

TEST(StepRules, ChoosingWaitAfterSetServoZeroesTheUnusedParametersAndFade) {
    AspectStep step = Step(39, 2, 80, 0, 0, 1);
    ChooseInstruction(step, 102);
    EXPECT_EQ(step, Step(102, 0, 0, 0, 0, 0));
    const InstructionEntry& wait = InstructionOf(102);
    EXPECT_FALSE(wait.usesParameter(Offset));
    EXPECT_FALSE(wait.usesParameter(Par1));
    EXPECT_TRUE(wait.usesParameter(Par2));
    EXPECT_FALSE(wait.fadeAllowed);
    EXPECT_EQ(StepHeadings(step), (std::array<std::string, 4>{"", "", "Time", "Base"}));
}

TEST(StepRules, ChoosingAnInstructionKeepsTheParametersItUses) {
    AspectStep step = Step(8, 3, 40, 0, 0, 1);
    ChooseInstruction(step, 9);
    EXPECT_EQ(step, Step(9, 3, 40, 0, 0, 1));
    SetStepFade(step, false);
    EXPECT_EQ(step.fade, 0);
    ChooseInstruction(step, 5);
    EXPECT_EQ(step, Step(5, 0, 40, 0, 0, 0)) << "SendSerial 2 has no offset and no fade";
}

// An edit of one field stores that field only: bytes a file put into the step's other
// parameters stay, and a parameter the instruction does not use takes 0.
TEST(StepRules, AnEditedFieldChangesNoOtherByteOfTheStep) {
    AspectStep step = Step(9, 40, 130, 77, 5); // "On" with unused par2 and par3 from a file
    CommitStepParam(step, Par1, "20", {0, 0});
    EXPECT_EQ(step, Step(9, 40, 20, 77, 5));
    CommitStepParam(step, Par2, "50", {0, 0});
    EXPECT_EQ(step, Step(9, 40, 20, 0, 5));
    SetStepFade(step, true);
    EXPECT_EQ(step, Step(9, 40, 20, 0, 5, 1));
    AspectStep wait = Step(102, 0, 0, 10, 2);
    SetStepFade(wait, true);
    EXPECT_EQ(wait.fade, 0) << "Wait takes no fade";
}

TEST(StepRules, PinOffsetsStayWithinThePins) {
    AspectStep step = Step(9);
    CommitStepParam(step, Offset, "-3", {1, 0});
    EXPECT_EQ(step.offset, 31);
    EXPECT_EQ(ShownStepParam(step, Offset, {1, 0}), -1);

    CommitStepParam(step, Offset, "40", {1, 0});
    EXPECT_EQ(step.offset, 30);

    step.offset = 5;
    EXPECT_EQ(ShownStepParam(step, Offset, {30, 0}), -27);
    step.offset = 1;
    EXPECT_EQ(ShownStepParam(step, Offset, {30, 0}), 1);
    CommitStepParam(step, Offset, "-27", {30, 0});
    EXPECT_EQ(step.offset, 5);
}

TEST(StepRules, AccelMinusOneIsStoredAs127) {
    AspectStep step = Step(96);
    CommitStepParam(step, Offset, "-1", {4, 1});
    EXPECT_EQ(step.offset, 127);
    EXPECT_EQ(ShownStepParam(step, Offset, {4, 1}), -1);
    CommitStepParam(step, Offset, "-9", {4, 1});
    EXPECT_EQ(step.offset, 127);
    CommitStepParam(step, Offset, "45", {4, 1});
    EXPECT_EQ(step.offset, 31);
}

TEST(StepRules, MxPinIsAPinNumberWithTheBase) {
    AspectStep step = Step(18);
    CommitStepParam(step, Offset, "0", {4, 1});
    EXPECT_EQ(step.offset, 0);
    EXPECT_EQ(ShownStepParam(step, Offset, {4, 1}), 1);
    CommitStepParam(step, Offset, "33", {4, 1});
    EXPECT_EQ(step.offset, 31);
    CommitStepParam(step, Offset, "12", {4, 0});
    EXPECT_EQ(step.offset, 12);
}

TEST(StepRules, ServoPositionsAreShownMinus64) {
    AspectStep step = Step(39);
    CommitStepParam(step, Par1, "0", {});
    EXPECT_EQ(step.par1, 64);
    CommitStepParam(step, Par1, "-70", {});
    EXPECT_EQ(step.par1, 0);
    EXPECT_EQ(ShownStepParam(step, Par1, {}), -64);
    CommitStepParam(step, Par1, "63", {});
    EXPECT_EQ(step.par1, 127);
}

TEST(StepRules, CloneSourceCountsFromTheBase) {
    AspectStep step = Step(7);
    CommitStepParam(step, Par1, "1", {0, 1});
    EXPECT_EQ(step.par1, 0);
    CommitStepParam(step, Par1, "32", {0, 1});
    EXPECT_EQ(step.par1, 31);
    EXPECT_EQ(ShownStepParam(step, Par1, {0, 1}), 32);
    CommitStepParam(step, Par1, "0", {0, 1});
    EXPECT_EQ(step.par1, 0);
    EXPECT_EQ(ShownStepParam(step, Par1, {0, 0}), 0);
}

TEST(StepRules, ParameterOneRangesAndRounding) {
    AspectStep jump = Step(1);
    CommitStepParam(jump, Par1, "12", {});
    EXPECT_EQ(jump.par1, 11);
    AspectStep level = Step(38);
    CommitStepParam(level, Par1, "2.5", {});
    EXPECT_EQ(level.par1, 2) << "halves round to even";
    CommitStepParam(level, Par1, "3.5x", {});
    EXPECT_EQ(level.par1, 4);
    CommitStepParam(level, Par1, "abc", {});
    EXPECT_EQ(level.par1, 0);
    AspectStep serial = Step(4);
    CommitStepParam(serial, Par1, "200", {});
    EXPECT_EQ(serial.par1, 200);
    CommitStepParam(serial, Par1, "300", {});
    EXPECT_EQ(serial.par1, 255);
}

TEST(StepRules, ComparisonValuesKeepTheirSignInSevenBits) {
    AspectStep step = Step(104);
    CommitStepParam(step, Par1, "63", {});
    EXPECT_EQ(step.par1, 63);
    CommitStepParam(step, Par1, "-1", {});
    EXPECT_EQ(step.par1, 127);
    EXPECT_EQ(ShownStepParam(step, Par1, {}), -1);
    CommitStepParam(step, Par1, "-70", {});
    EXPECT_EQ(step.par1, 64);
    EXPECT_EQ(ShownStepParam(step, Par1, {}), -64);
}

TEST(StepRules, ParameterTwoMaximumByInstruction) {
    const std::vector<std::pair<int, int>> maxima{{1, 8}, {4, 255}, {5, 255}, {18, 31}, {102, 63}, {96, 63}};
    for (const auto& [code, maximum] : maxima) {
        AspectStep step = Step(code);
        CommitStepParam(step, Par2, "999", {});
        EXPECT_EQ(step.par2, code == 4 ? 0 : maximum) << code << " (SendSerial 1 has no parameter 2)";
        CommitStepParam(step, Par2, "-5", {});
        EXPECT_EQ(step.par2, 0) << code;
    }
}

TEST(StepRules, ParameterThreeIsATimeBase) {
    AspectStep step = Step(102);
    CommitStepParam(step, Par3, "7", {});
    EXPECT_EQ(step.par3, 3);
    CommitStepParam(step, Par3, "-1", {});
    EXPECT_EQ(step.par3, 0);
    AspectStep level = Step(38);
    CommitStepParam(level, Par3, "2", {});
    EXPECT_EQ(level.par3, 0) << "an unused parameter is zeroed by the redraw";
}

TEST(StepRules, UnusedParametersShowZero) {
    const AspectStep step = Step(102, 5, 9, 10, 1);
    EXPECT_EQ(ShownStepParam(step, Offset, {}), 0);
    EXPECT_EQ(ShownStepParam(step, Par1, {}), 0);
    EXPECT_EQ(ShownStepParam(step, Par2, {}), 10);
}

TEST(StepRules, TimeLabel) {
    EXPECT_EQ(DurationText(StepTicks(Step(102, 0, 0, 63, 3))), "10:45.12");
    EXPECT_EQ(DurationText(StepTicks(Step(102, 0, 0, 50, 0))), "00:01.00");
    EXPECT_EQ(DurationText(StepTicks(Step(112, 0, 0, 50, 1))), "00:08.00");
    EXPECT_EQ(DurationText(StepTicks(Step(96, 0, 0, 7, 0))), "00:00.14");
    EXPECT_EQ(DurationText(StepTicks(Step(38, 0, 9, 63, 3))), "00:00.00");
    EXPECT_EQ(DurationText(StepTicks(Step(18, 0, 9, 31, 0))), "00:00.00");
    EXPECT_EQ(DurationText(3000), "01:00.00");
}

TEST(StepRules, HelpToolsByTheRowsInstruction) {
    EXPECT_EQ(HelpToolFor(Step(13), StepHelpField::Par1), StepHelpTool::Pattern);
    EXPECT_EQ(PatternOutputs(Step(13)), 3);
    EXPECT_EQ(HelpToolFor(Step(37), StepHelpField::Par1), StepHelpTool::Pattern);
    EXPECT_EQ(HelpToolFor(Step(16), StepHelpField::Par1), StepHelpTool::EventPattern);
    EXPECT_EQ(HelpToolFor(Step(102), StepHelpField::Par2), StepHelpTool::Time);
    EXPECT_EQ(HelpToolFor(Step(102), StepHelpField::Par3), StepHelpTool::Time);
    EXPECT_EQ(HelpToolFor(Step(120), StepHelpField::Time), StepHelpTool::Time);
    EXPECT_EQ(HelpToolFor(Step(102), StepHelpField::Par1), StepHelpTool::None);
    EXPECT_EQ(HelpToolFor(Step(13), StepHelpField::Par2), StepHelpTool::None);
    EXPECT_EQ(HelpToolFor(Step(38), StepHelpField::Par3), StepHelpTool::None);
    EXPECT_STREQ(HelpNotAvailableText, "Help tool not available for this box with the selected command");
}

} // namespace
} // namespace vexa
