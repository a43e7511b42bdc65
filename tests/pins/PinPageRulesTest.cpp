#include "pins/PinPageRules.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(PinPageRules, PinFieldCountsFromTheBase) {
    EXPECT_EQ(PinOfField("0", 1), 0);
    EXPECT_EQ(PinOfField("40", 1), 31);
    EXPECT_EQ(PinOfField("7", 1), 6);
    EXPECT_EQ(PinOfField("7", 0), 7);
    EXPECT_EQ(PinOfField("-3", 0), 0);
}

TEST(PinPageRules, AspectAndInitialAspectFields) {
    EXPECT_EQ(AspectOfField("7", 3), 3);
    EXPECT_EQ(AspectOfField("7", 11), 7);
    EXPECT_EQ(AspectOfField("-1", 11), 0);
    EXPECT_EQ(InitialAspectOfField("-1", 3), 0);
    EXPECT_EQ(InitialAspectOfField("-5", 3), 0);
    EXPECT_EQ(InitialAspectOfField("9", 3), 4);
    EXPECT_EQ(InitialAspectOfField("11", 11), 12);
}

class DeviceFields : public ::testing::Test {
protected:
    PinRecord& pin(int n) { return image.pins[static_cast<std::size_t>(n)]; }
    ConfigurationImage image;
};

TEST_F(DeviceFields, AMemberShowsItsHeadAndTheHeadsName) {
    pin(4).deviceDescription = "Signal A";
    pin(7).deviceReferral = -3;
    pin(7).deviceDescription = "stale";
    EXPECT_EQ(DevicePinText(image, 7, 0), "4");
    EXPECT_EQ(DevicePinText(image, 7, 1), "5");
    DeviceNameView view = DeviceNameOf(image, 7);
    EXPECT_EQ(view.text, "Signal A");
    EXPECT_FALSE(view.editable);

    pin(4).deviceReferral = 1;
    view = DeviceNameOf(image, 7);
    EXPECT_EQ(view.text, "<Referral is no Device !>");
    EXPECT_FALSE(view.editable);

    SettleDeviceName(image, 7);
    EXPECT_EQ(pin(7).deviceDescription, "") << "a member keeps no name of its own";
}

TEST_F(DeviceFields, AHeadShowsItsOwnNameForEditing) {
    pin(4).deviceDescription = "Signal A";
    const DeviceNameView view = DeviceNameOf(image, 4);
    EXPECT_EQ(view.text, "Signal A");
    EXPECT_TRUE(view.editable);
    SettleDeviceName(image, 4);
    EXPECT_EQ(pin(4).deviceDescription, "Signal A");
}

TEST_F(DeviceFields, AReferralOutsideThePinsIsNoDevice) {
    pin(2).deviceReferral = 40;
    EXPECT_EQ(DeviceNameOf(image, 2).text, "<Referral is no Device !>");
}

TEST_F(DeviceFields, TheDevicePinTextSetsTheReferral) {
    EXPECT_TRUE(ApplyDevicePinText(image, 5, "32", 1));
    EXPECT_EQ(pin(5).deviceReferral, 26);
    EXPECT_FALSE(ApplyDevicePinText(image, 5, "33", 1));
    EXPECT_FALSE(ApplyDevicePinText(image, 5, "0", 1));
    EXPECT_FALSE(ApplyDevicePinText(image, 5, "", 1));
    EXPECT_FALSE(ApplyDevicePinText(image, 5, "3x", 1));
    EXPECT_EQ(pin(5).deviceReferral, 26);
    EXPECT_TRUE(ApplyDevicePinText(image, 5, "2", 0));
    EXPECT_EQ(pin(5).deviceReferral, -3);
}

TEST(PinPageRules, WriteDeviceNeedsAHead) {
    test::TestBench bench;
    ConfigurationImage& image = bench.session.image;
    image.currentPin = 7;
    image.pins[7].deviceReferral = -3;
    EXPECT_TRUE(CheckCurrentDeviceHead(bench.session));
    image.pins[4].deviceReferral = 2;
    EXPECT_FALSE(CheckCurrentDeviceHead(bench.session));
    ASSERT_EQ(bench.prompter.messages.size(), 1U);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkWarning);
    EXPECT_EQ(bench.prompter.messages[0].text, "Referral is not a device");
}

TEST(PinPageRules, DescriptionsRefuseWhatTheFileCannotCarry) {
    EXPECT_FALSE(IsStorableTextCharacter(U'"'));
    EXPECT_FALSE(IsStorableTextCharacter(U'\r'));
    EXPECT_FALSE(IsStorableTextCharacter(U'\n'));
    EXPECT_FALSE(IsStorableTextCharacter(U'\u20AC'));
    EXPECT_TRUE(IsStorableTextCharacter(U'\''));
    EXPECT_TRUE(IsStorableTextCharacter(U'\u00E9'));
    EXPECT_TRUE(IsStorableTextCharacter(U','));
}

TEST(PinPageRules, VisibilityByLayoutDetailsAndExpertMode) {
    PinPageVisibility v = PinPageVisibilityFor(0, true, true);
    EXPECT_FALSE(v.aspectFields);
    EXPECT_FALSE(v.aspectDetails);
    EXPECT_EQ(v.stepRows, 0);
    EXPECT_TRUE(v.detailArea);
    EXPECT_TRUE(v.flashConfigButtons);

    v = PinPageVisibilityFor(1, true, false);
    EXPECT_TRUE(v.aspectFields);
    EXPECT_TRUE(v.aspectDetails);
    EXPECT_EQ(v.stepRows, 9);
    EXPECT_FALSE(v.flashConfigButtons);

    v = PinPageVisibilityFor(2, false, true);
    EXPECT_TRUE(v.aspectFields);
    EXPECT_FALSE(v.aspectDetails);
    EXPECT_EQ(v.stepRows, 3);
    EXPECT_FALSE(v.detailArea);
    EXPECT_FALSE(v.flashConfigButtons);
}

TEST(PinPageRules, CountsOfExactlyOneHideOutsideTheDetailView) {
    EXPECT_FALSE(AddressCountVisible(false, "1"));
    EXPECT_TRUE(AddressCountVisible(false, "2"));
    EXPECT_TRUE(AddressCountVisible(false, "0"));
    EXPECT_TRUE(AddressCountVisible(true, "1"));
}

} // namespace
} // namespace vexa
