#include "dialogs/EventPatternCalculator.h"
#include "dialogs/PatternCalculator.h"
#include "dialogs/TimeCalculator.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

std::vector<bool> Outputs(const PatternCalculator& calc) {
    std::vector<bool> result;
    for (int i = 0; i < PatternOutputBoxes; ++i)
        result.push_back(calc.output(i));
    return result;
}

TEST(PatternCalculatorTest, FourOutputsTakeAllDarkFromBitFive) {
    PatternCalculator calc;
    calc.open("45", 4);
    EXPECT_EQ(Outputs(calc), (std::vector<bool>{true, false, true, true, false, false, false}));
    EXPECT_TRUE(calc.allDark());
    EXPECT_FALSE(calc.noDark());
    EXPECT_TRUE(calc.darkEnabled());
    for (int i = 0; i < PatternOutputBoxes; ++i)
        EXPECT_EQ(calc.outputEnabled(i), i < 4) << i;
    EXPECT_EQ(calc.sum(), 45);
    EXPECT_EQ(calc.parameter(), "45");
    EXPECT_EQ(calc.original(), "45");
}

TEST(PatternCalculatorTest, NoDarkPhaseWinsWhenBothBitsAreSet) {
    PatternCalculator calc;
    calc.open("96", 5);
    EXPECT_FALSE(calc.allDark());
    EXPECT_TRUE(calc.noDark());
    EXPECT_FALSE(calc.output(5));
    EXPECT_FALSE(calc.output(6));
    EXPECT_EQ(calc.parameter(), "64");
}

TEST(PatternCalculatorTest, SevenOutputsGiveThePlainMask) {
    PatternCalculator calc;
    calc.open("96", 7);
    EXPECT_FALSE(calc.darkEnabled());
    EXPECT_FALSE(calc.allDark());
    EXPECT_FALSE(calc.noDark());
    EXPECT_TRUE(calc.output(5));
    EXPECT_TRUE(calc.output(6));
    EXPECT_EQ(calc.sum(), 96);
    calc.setAllDark(true); // disabled: ignored
    EXPECT_FALSE(calc.allDark());
    EXPECT_EQ(calc.sum(), 96);
}

TEST(PatternCalculatorTest, SixOutputsDropBitSixAndDisableDarkPhase) {
    PatternCalculator calc;
    calc.open("127", 6);
    EXPECT_FALSE(calc.darkEnabled());
    EXPECT_TRUE(calc.output(5));
    EXPECT_FALSE(calc.output(6));
    EXPECT_FALSE(calc.outputEnabled(6));
    EXPECT_EQ(calc.sum(), 63);
}

TEST(PatternCalculatorTest, DarkPhaseBoxesExcludeEachOther) {
    PatternCalculator calc;
    calc.open("0", 3);
    calc.setAllDark(true);
    EXPECT_EQ(calc.parameter(), "32");
    calc.setNoDark(true);
    EXPECT_FALSE(calc.allDark());
    EXPECT_EQ(calc.parameter(), "64");
    calc.setAllDark(true);
    EXPECT_FALSE(calc.noDark());
    calc.setAllDark(false);
    EXPECT_FALSE(calc.noDark());
    EXPECT_EQ(calc.parameter(), "0");
}

TEST(PatternCalculatorTest, OutputChangesUpdateTheSumAndDisabledOutputsStayClear) {
    PatternCalculator calc;
    calc.open("0", 3);
    calc.setOutput(0, true);
    calc.setOutput(2, true);
    EXPECT_EQ(calc.parameter(), "5");
    calc.setOutput(3, true); // beyond the three outputs
    EXPECT_FALSE(calc.output(3));
    calc.setOutput(0, false);
    EXPECT_EQ(calc.parameter(), "4");
}

TEST(PatternCalculatorTest, CancelGivesBackTheOpeningText) {
    PatternCalculator calc;
    calc.open("12abc", 4);
    EXPECT_EQ(calc.sum(), 12);
    calc.setOutput(0, true);
    EXPECT_EQ(calc.parameter(), "13");
    calc.cancel();
    EXPECT_EQ(calc.parameter(), "12abc");
}

TEST(PatternCalculatorTest, TextWithoutNumberAndOutOfRangeValues) {
    PatternCalculator calc;
    calc.open("abc", 7);
    EXPECT_EQ(calc.sum(), 0);
    calc.open("-5", 7);
    EXPECT_EQ(calc.sum(), 0);
    calc.open("300", 7);
    EXPECT_EQ(calc.sum(), 127);
}

TEST(EventPatternCalculatorTest, InputsAndOperationAddUp) {
    EventPatternCalculator calc;
    calc.open("0");
    calc.setInput(0, false);
    calc.setInput(1, true);
    calc.setInput(3, true);
    EXPECT_TRUE(calc.chooseOperation(6));
    EXPECT_EQ(calc.parameter(), "106");
}

TEST(EventPatternCalculatorTest, OpeningWithAComposedValueRestoresIt) {
    EventPatternCalculator calc;
    calc.open("106");
    EXPECT_FALSE(calc.input(0));
    EXPECT_TRUE(calc.input(1));
    EXPECT_FALSE(calc.input(2));
    EXPECT_TRUE(calc.input(3));
    EXPECT_EQ(calc.operation(), 6);
    EXPECT_EQ(calc.parameter(), "106");
    for (int value : {17, 31, 48, 63, 80, 95, 112, 127}) {
        calc.open(std::to_string(value));
        EXPECT_EQ(calc.sum(), value) << value;
    }
}

TEST(EventPatternCalculatorTest, OlderSingleInputValues) {
    EventPatternCalculator calc;
    calc.open("2");
    EXPECT_TRUE(calc.input(2));
    EXPECT_EQ(calc.operation(), 1);
    EXPECT_EQ(calc.sum(), 20);

    calc.open("5"); // Off event of input 1
    EXPECT_TRUE(calc.input(1));
    EXPECT_FALSE(calc.input(0));
    EXPECT_EQ(calc.operation(), 5);
    EXPECT_EQ(calc.sum(), 2 + 80);

    calc.open("12"); // execute with no input
    for (int k = 0; k < EventInputBoxes; ++k)
        EXPECT_FALSE(calc.input(k));
    EXPECT_EQ(calc.sum(), 16);

    calc.open("75"); // 64 + 11: execute the Off event with no input
    EXPECT_EQ(calc.operation(), 5);
    EXPECT_EQ(calc.sum(), 80);

    calc.open("67"); // 64 + 3: read as the older On-event form of input 3
    EXPECT_TRUE(calc.input(3));
    EXPECT_EQ(calc.operation(), 1);
    EXPECT_EQ(calc.sum(), 24);
}

TEST(EventPatternCalculatorTest, ValuesBeyondTheParameterRangeStillChooseAnOption) {
    EventPatternCalculator calc;
    calc.open("200");
    EXPECT_EQ(calc.operation(), 7);
    EXPECT_EQ(calc.sum(), 127);
    calc.open("-3");
    EXPECT_EQ(calc.operation(), 1);
    EXPECT_EQ(calc.sum(), 17);
}

TEST(EventPatternCalculatorTest, OnlyTheSixOptionsCanBeChosen) {
    EventPatternCalculator calc;
    calc.open("20");
    EXPECT_FALSE(calc.chooseOperation(0));
    EXPECT_FALSE(calc.chooseOperation(4));
    EXPECT_FALSE(calc.chooseOperation(8));
    EXPECT_EQ(calc.operation(), 1);
    EXPECT_EQ(calc.sum(), 20);
    for (const EventOperationOption& option : EventOperationOptions) {
        EXPECT_TRUE(calc.chooseOperation(option.index));
        EXPECT_EQ(calc.sum(), 4 + option.adds) << option.caption;
    }
}

TEST(DurationTextTest, TicksOfTwentyMilliseconds) {
    EXPECT_EQ(DurationText(50, 1), "00:08.00");
    EXPECT_EQ(DurationText(7, 0), "00:00.14");
    EXPECT_EQ(DurationText(63, 0), "00:01.26");
    EXPECT_EQ(DurationText(63, 3), "10:45.12");
    EXPECT_EQ(DurationText(50, 0), "00:01.00");
    EXPECT_EQ(DurationText(0, 3), "00:00.00");
    EXPECT_EQ(DurationText(63, 2), "01:20.64"); // 4032 ticks
}

TEST(DurationTextTest, OutOfRangeInputsAreHeldAtTheBounds) {
    EXPECT_EQ(DurationText(100, 9), DurationText(63, 3));
    EXPECT_EQ(DurationText(-4, -1), "00:00.00");
}

TEST(TimeCalculatorTest, OpeningShowsBothDurations) {
    TimeCalculator calc;
    EXPECT_EQ(calc.maxTimeText(), "00:00.00");
    EXPECT_EQ(calc.timeText(), "00:00.00");
    calc.open("1", 50);
    EXPECT_EQ(calc.base(), 1);
    EXPECT_EQ(calc.timeValue(), 50);
    EXPECT_EQ(calc.maxTimeText(), "00:10.08");
    EXPECT_EQ(calc.timeText(), "00:08.00");
}

TEST(TimeCalculatorTest, ReopeningWithTheSameTimeShowsTheNewBase) {
    TimeCalculator calc;
    calc.open("1", 50);
    calc.open("0", 50);
    EXPECT_EQ(calc.timeText(), "00:01.00");
    EXPECT_EQ(calc.maxTimeText(), "00:01.26");
}

TEST(TimeCalculatorTest, ChangesUpdateTheLabelsAndAreHeldInRange) {
    TimeCalculator calc;
    calc.open("0", 7);
    calc.setTimeValue(70);
    EXPECT_EQ(calc.timeValue(), 63);
    EXPECT_EQ(calc.timeText(), "00:01.26");
    calc.setBase(5);
    EXPECT_EQ(calc.base(), 3);
    EXPECT_EQ(calc.maxTimeText(), "10:45.12");
    EXPECT_EQ(calc.timeText(), "10:45.12");
    calc.setBase(-1);
    EXPECT_EQ(calc.base(), 0);
}

TEST(TimeCalculatorTest, OpeningHoldsTheBoxesToTheirRanges) {
    TimeCalculator calc;
    calc.open("7", 200);
    EXPECT_EQ(calc.base(), 3);
    EXPECT_EQ(calc.timeValue(), 63);
    calc.open("x", -1);
    EXPECT_EQ(calc.base(), 0);
    EXPECT_EQ(calc.timeValue(), 0);
}

TEST(TimeCalculatorTest, CancelPutsTheOpeningValuesBack) {
    TimeCalculator calc;
    calc.open("2", 10);
    calc.setBase(0);
    calc.setTimeValue(40);
    calc.cancel();
    EXPECT_EQ(calc.base(), 2);
    EXPECT_EQ(calc.timeValue(), 10);
    EXPECT_EQ(calc.timeText(), DurationText(10, 2));
    EXPECT_EQ(calc.maxTimeText(), DurationText(63, 2));
}

} // namespace
} // namespace vexa
