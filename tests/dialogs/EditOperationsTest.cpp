#include "dialogs/AspectEditing.h"
#include "dialogs/PinEditing.h"
#include "dialogs/StepEditing.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

AspectStep Step(std::uint8_t instruction, std::uint8_t fill = 0) {
    return AspectStep{instruction,
                      static_cast<std::uint8_t>(fill % 2),
                      fill,
                      static_cast<std::uint8_t>(fill + 1),
                      static_cast<std::uint8_t>(fill + 2),
                      static_cast<std::uint8_t>(fill % 4)};
}

PinRecord& PinAt(ConfigurationImage& image, int pin) {
    return image.pins[static_cast<std::size_t>(pin)];
}

AspectRecord& AspectAt(ConfigurationImage& image, int pin, int aspect) {
    return PinAt(image, pin).aspects[static_cast<std::size_t>(aspect)];
}

// An aspect whose steps 0..8 carry instructions 1..9 with distinct parameters.
void FillNumberedSteps(AspectRecord& aspect) {
    for (int i = 0; i < StepCount; ++i)
        aspect.steps[static_cast<std::size_t>(i)] =
            Step(static_cast<std::uint8_t>(i + 1), static_cast<std::uint8_t>(10 * i));
}

std::vector<int> Instructions(const AspectRecord& aspect) {
    std::vector<int> codes;
    for (const AspectStep& step : aspect.steps)
        codes.push_back(step.instruction);
    return codes;
}

class EditOperationsTest : public ::testing::Test {
protected:
    test::RecordingPrompter prompter;
    test::FakeClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    ConfigurationImage& image = session.image;

    // Copy Pin with pin `from` selected.
    PinClipboard copyPin(int from) {
        PinClipboard clipboard;
        image.currentPin = from;
        CopyCurrentPin(image, clipboard);
        return clipboard;
    }
    // Paste Pin with pin `to` selected.
    bool pastePin(const PinClipboard& clipboard, int to) {
        image.currentPin = to;
        return PasteCurrentPin(session, clipboard);
    }
};

PinRecord SamplePin() {
    PinRecord pin;
    pin.description = "Entry signal";
    pin.deviceDescription = "";
    pin.configType = 2;
    pin.param(1) = 17;
    pin.param(5) = 200;
    pin.liveValue = 33;
    pin.initialAspect = 2;
    pin.dccAddressCount = 3;
    pin.xdccAddressCount = 0;
    pin.lumoAddressCount = 5;
    pin.aspectLayout = LayoutFourByNine;
    pin.aspects[1].description = "Clear";
    FillNumberedSteps(pin.aspects[1]);
    return pin;
}

TEST_F(EditOperationsTest, CopyAndPastePinTakesEveryField) {
    PinAt(image, 3) = SamplePin();
    const PinClipboard clipboard = copyPin(3);
    EXPECT_TRUE(clipboard.filled);
    EXPECT_EQ(clipboard.sourcePin, 3);

    ASSERT_TRUE(pastePin(clipboard, 20));
    EXPECT_EQ(PinAt(image, 20), SamplePin());
    EXPECT_TRUE(prompter.messages.empty());

    // The clipboard is a copy: later edits of the source do not reach it, and it pastes again.
    PinAt(image, 3).description = "changed";
    PinAt(image, 3).aspects[1].steps[0].par1 = 99;
    ASSERT_TRUE(pastePin(clipboard, 21));
    EXPECT_EQ(PinAt(image, 21), SamplePin());
}

TEST_F(EditOperationsTest, PastedDeviceMemberKeepsItsHeadPin) {
    PinAt(image, 2).deviceDescription = "Signal";
    PinAt(image, 4).deviceReferral = -2;
    const PinClipboard clipboard = copyPin(4);
    ASSERT_TRUE(pastePin(clipboard, 10));
    EXPECT_EQ(PinAt(image, 10).deviceReferral, -8);
    EXPECT_EQ(HeadPinOf(image, 10), 2);

    ASSERT_TRUE(pastePin(clipboard, 0)); // a pin below the head: the referral turns positive
    EXPECT_EQ(PinAt(image, 0).deviceReferral, 2);
    EXPECT_EQ(HeadPinOf(image, 0), 2);
}

TEST_F(EditOperationsTest, PastingAHeadPinGivesAHeadWithoutMembers) {
    PinAt(image, 5).deviceDescription = "Signal";
    PinAt(image, 6).deviceReferral = -1;
    const PinClipboard clipboard = copyPin(5);
    ASSERT_TRUE(pastePin(clipboard, 12));
    EXPECT_EQ(PinAt(image, 12).deviceReferral, 0);
    EXPECT_EQ(PinAt(image, 12).deviceDescription, "Signal");
    EXPECT_EQ(HeadPinOf(image, 6), 5); // the old device is untouched
}

TEST_F(EditOperationsTest, PasteIntoADeviceHeadReleasesItsMembersFirst) {
    PinAt(image, 5).deviceDescription = "Signal";
    PinAt(image, 6).deviceReferral = -1;
    PinAt(image, 6).deviceDescription = "member text";
    PinAt(image, 7).deviceReferral = -2;
    PinAt(image, 9).deviceReferral = -1; // member of pin 8, not of 5
    const PinClipboard clipboard = copyPin(20);
    ASSERT_TRUE(pastePin(clipboard, 5));
    for (int pin : {6, 7}) {
        EXPECT_EQ(PinAt(image, pin).deviceReferral, 0) << pin;
        EXPECT_EQ(PinAt(image, pin).deviceDescription, "") << pin;
    }
    EXPECT_EQ(PinAt(image, 9).deviceReferral, -1);
    EXPECT_EQ(PinAt(image, 5), PinRecord{});
}

TEST_F(EditOperationsTest, PasteIntoADeviceMemberLeavesTheDevice) {
    PinAt(image, 5).deviceDescription = "Signal";
    PinAt(image, 6).deviceReferral = -1;
    PinAt(image, 7).deviceReferral = -2;
    const PinClipboard clipboard = copyPin(20);
    ASSERT_TRUE(pastePin(clipboard, 6));
    EXPECT_EQ(PinAt(image, 6).deviceReferral, 0);
    EXPECT_EQ(PinAt(image, 7).deviceReferral, -2);
    EXPECT_EQ(PinAt(image, 5).deviceDescription, "Signal");
}

TEST_F(EditOperationsTest, PastePinBeforeCopyShowsNothingToPaste) {
    PinAt(image, 1) = SamplePin();
    image.currentPin = 1;
    const ConfigurationImage before = image;
    PinClipboard clipboard;
    EXPECT_FALSE(PasteCurrentPin(session, clipboard));
    ASSERT_EQ(prompter.messages.size(), 1U);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Ok);
    EXPECT_EQ(prompter.messages[0].text, "Nothing to Paste");
    EXPECT_EQ(image, before);
}

TEST_F(EditOperationsTest, ClearPinKeepsAddressCountsAndLiveValueAndReleasesTheDevice) {
    PinAt(image, 8) = SamplePin();
    PinAt(image, 8).deviceDescription = "Points";
    PinAt(image, 9).deviceReferral = -1;
    PinAt(image, 9).deviceDescription = "x";
    image.currentPin = 8;
    ClearCurrentPin(image);
    PinRecord expected;
    expected.liveValue = 33;
    expected.dccAddressCount = 3;
    expected.xdccAddressCount = 0;
    expected.lumoAddressCount = 5;
    EXPECT_EQ(PinAt(image, 8), expected);
    EXPECT_EQ(PinAt(image, 9).deviceReferral, 0);
    EXPECT_EQ(PinAt(image, 9).deviceDescription, "");
}

TEST_F(EditOperationsTest, OperationsOnAnInvalidSelectionChangeNothing) {
    PinAt(image, 0) = SamplePin();
    const ConfigurationImage before = image;
    PinClipboard pinClipboard;
    AspectClipboard aspectClipboard;
    image.currentPin = 32;
    CopyCurrentPin(image, pinClipboard);
    EXPECT_FALSE(pinClipboard.filled);
    image.currentPin = 0;
    image.currentAspect = 12;
    CopyCurrentAspect(image, aspectClipboard);
    EXPECT_FALSE(aspectClipboard.filled);
    ClearCurrentAspect(image);
    CleanUpCurrentAspect(image);
    InsertStep(image, 0);
    DeleteStep(image, 0);
    image.currentAspect = 1;
    InsertStep(image, 9);
    DeleteStep(image, -1);
    image.currentAspect = before.currentAspect;
    EXPECT_EQ(image, before);
}

TEST_F(EditOperationsTest, CopyAndPasteAspect) {
    image.currentPin = 3;
    image.currentAspect = 1;
    AspectAt(image, 3, 1).description = "Stop";
    FillNumberedSteps(AspectAt(image, 3, 1));
    const AspectRecord original = AspectAt(image, 3, 1);
    AspectClipboard clipboard;
    CopyCurrentAspect(image, clipboard);
    EXPECT_TRUE(clipboard.filled);

    AspectAt(image, 3, 1).description = "edited";
    image.currentPin = 7;
    image.currentAspect = 11;
    ASSERT_TRUE(PasteCurrentAspect(session, clipboard));
    EXPECT_EQ(AspectAt(image, 7, 11), original);
    image.currentAspect = 0;
    ASSERT_TRUE(PasteCurrentAspect(session, clipboard));
    EXPECT_EQ(AspectAt(image, 7, 0), original);
    EXPECT_EQ(AspectAt(image, 7, 1), AspectRecord{});
}

TEST_F(EditOperationsTest, PasteAspectBeforeCopyShowsNothingToPaste) {
    FillNumberedSteps(AspectAt(image, 0, 0));
    const ConfigurationImage before = image;
    AspectClipboard clipboard;
    EXPECT_FALSE(PasteCurrentAspect(session, clipboard));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Nothing to Paste"});
    EXPECT_EQ(image, before);
}

TEST_F(EditOperationsTest, ClearAspectEmptiesOnlyTheCurrentAspect) {
    image.currentPin = 4;
    image.currentAspect = 2;
    for (int a : {1, 2, 3}) {
        AspectAt(image, 4, a).description = "d";
        FillNumberedSteps(AspectAt(image, 4, a));
    }
    const AspectRecord neighbour = AspectAt(image, 4, 1);
    ClearCurrentAspect(image);
    EXPECT_EQ(AspectAt(image, 4, 2), AspectRecord{});
    EXPECT_EQ(AspectAt(image, 4, 1), neighbour);
    EXPECT_EQ(AspectAt(image, 4, 3), neighbour);
}

TEST_F(EditOperationsTest, CleanUpRemovesEverythingAfterTheFirstEmptyStep) {
    AspectRecord& aspect = AspectAt(image, 0, 0);
    aspect.description = "Proceed";
    aspect.steps[0] = Step(9, 3);
    aspect.steps[1] = Step(38, 5);
    aspect.steps[2] = Step(0, 7); // empty, with leftover parameters
    aspect.steps[3] = Step(102, 9);
    aspect.steps[8] = Step(8, 11);
    CleanUpCurrentAspect(image);
    EXPECT_EQ(aspect.description, "");
    EXPECT_EQ(aspect.steps[0], Step(9, 3));
    EXPECT_EQ(aspect.steps[1], Step(38, 5));
    for (int i = 2; i < StepCount; ++i)
        EXPECT_EQ(aspect.steps[static_cast<std::size_t>(i)], AspectStep{}) << i;
}

TEST_F(EditOperationsTest, CleanUpOfAFullAspectKeepsEveryStep) {
    AspectRecord& aspect = AspectAt(image, 0, 0);
    aspect.description = "x";
    FillNumberedSteps(aspect);
    const auto steps = aspect.steps;
    CleanUpCurrentAspect(image);
    EXPECT_EQ(aspect.description, "");
    EXPECT_EQ(aspect.steps, steps);
}

TEST_F(EditOperationsTest, CleanUpWithAnEmptyFirstStepClearsAll) {
    AspectRecord& aspect = AspectAt(image, 0, 0);
    FillNumberedSteps(aspect);
    aspect.steps[0] = Step(0, 4);
    CleanUpCurrentAspect(image);
    EXPECT_EQ(aspect, AspectRecord{});
}

TEST(LastStepTest, NineStepsOnlyForFourAspects) {
    PinRecord pin;
    pin.aspectLayout = LayoutFourByNine;
    EXPECT_EQ(LastStepOf(pin), 8);
    pin.aspectLayout = LayoutTwelveByThree;
    EXPECT_EQ(LastStepOf(pin), 2);
    pin.aspectLayout = LayoutNone;
    EXPECT_EQ(LastStepOf(pin), 2);
}

class StepEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        image.currentPin = 6;
        image.currentAspect = 1;
        FillNumberedSteps(aspect());
    }
    void setLayout(std::uint8_t layout) { PinAt(image, 6).aspectLayout = layout; }
    AspectRecord& aspect() { return AspectAt(image, 6, 1); }

    ConfigurationImage image;
};

TEST_F(StepEditingTest, InsertInTwelveAspectLayoutLosesTheLastStep) {
    setLayout(LayoutTwelveByThree);
    const AspectStep old1 = aspect().steps[1];
    InsertStep(image, 1);
    EXPECT_EQ(aspect().steps[0], Step(1, 0));
    EXPECT_EQ(aspect().steps[1], AspectStep{});
    EXPECT_EQ(aspect().steps[2], old1);
    // Steps beyond the layout are kept as they were.
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{1, 0, 2, 4, 5, 6, 7, 8, 9}));
}

TEST_F(StepEditingTest, InsertInFourAspectLayoutMovesUpToStepEight) {
    setLayout(LayoutFourByNine);
    InsertStep(image, 0);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(aspect().steps[0], AspectStep{});
    EXPECT_EQ(aspect().steps[1], Step(1, 0));
    EXPECT_EQ(aspect().steps[8], Step(8, 70));
}

TEST_F(StepEditingTest, InsertAtTheLastStepOnlyClearsIt) {
    setLayout(LayoutTwelveByThree);
    InsertStep(image, 2);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{1, 2, 0, 4, 5, 6, 7, 8, 9}));
    setLayout(LayoutFourByNine);
    InsertStep(image, 8);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{1, 2, 0, 4, 5, 6, 7, 8, 0}));
}

TEST_F(StepEditingTest, DeleteInFourAspectLayout) {
    setLayout(LayoutFourByNine);
    DeleteStep(image, 0);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 0}));
    EXPECT_EQ(aspect().steps[0], Step(2, 10));
    EXPECT_EQ(aspect().steps[8], AspectStep{});
}

TEST_F(StepEditingTest, DeleteInTwelveAspectLayoutStaysWithinThreeSteps) {
    setLayout(LayoutTwelveByThree);
    DeleteStep(image, 1);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{1, 3, 0, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(aspect().steps[1], Step(3, 20));
}

TEST_F(StepEditingTest, DeleteBeyondTheLastStepClearsOnlyThatStep) {
    setLayout(LayoutTwelveByThree);
    DeleteStep(image, 5);
    EXPECT_EQ(Instructions(aspect()), (std::vector<int>{1, 2, 3, 4, 5, 0, 7, 8, 9}));
}

} // namespace
} // namespace vexa
