#include "link/LinkAddress.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TestBench;

TEST(LinkAddress, ModuleAddressIsClampedToTheLinkBound) {
    TestBench bench;
    Session& session = bench.session;
    session.numberingBase = 0;
    EXPECT_EQ(EnterModuleAddress(session, "30"), 15);
    session.link.useCorvan = true; // an accepted tunnel reaches 31
    EXPECT_EQ(EnterModuleAddress(session, "30"), 30);
    EXPECT_EQ(EnterModuleAddress(session, "40"), 31);
    EXPECT_EQ(EnterModuleAddress(session, "-3"), 0);

    EnterModuleAddress(session, "30");
    session.link.useCorvan = false; // the tunnel ends: the address comes back within 15
    ReapplyModuleAddress(session);
    EXPECT_EQ(session.link.moduleAddress, 15);
}

TEST(LinkAddress, ShownValuesCarryTheNumberingBase) {
    TestBench bench;
    Session& session = bench.session;
    ASSERT_EQ(session.numberingBase, 1);
    EXPECT_EQ(EnterModuleAddress(session, "5"), 4);
    EXPECT_EQ(ShownModuleAddress(session), "5");
    EXPECT_EQ(EnterModuleAddress(session, "0"), 0); // below the base: held at the base
    EXPECT_EQ(EnterModuleAddress(session, "17"), 15);
    EXPECT_EQ(ShownModuleAddress(session), "16");
    EXPECT_EQ(ModuleAddressShownRange(session).lowest, 1);
    EXPECT_EQ(ModuleAddressShownRange(session).highest, 16);

    SetNumberingBase(session, false);
    EXPECT_EQ(ShownModuleAddress(session), "15"); // the stored value keeps its meaning
    EXPECT_EQ(session.link.moduleAddress, 15);
    EXPECT_EQ(XAddressShownRange(session).highest, 95);
}

TEST(LinkAddress, FieldTextIsReadAsALeadingNumber) {
    TestBench bench;
    Session& session = bench.session;
    session.numberingBase = 0;
    EXPECT_EQ(EnterModuleAddress(session, "7 apples"), 7);
    EXPECT_EQ(EnterModuleAddress(session, "abc"), 0);
    EXPECT_EQ(EnterModuleAddress(session, "2.5"), 2); // halves to even
    EXPECT_EQ(EnterModuleAddress(session, "3.5"), 4);
    EXPECT_EQ(EnterModuleAddress(session, "99999999999999999999"), 15);
}

TEST(LinkAddress, EveryEntryOfTheModuleAddressResynchronisesTheLink) {
    TestBench bench;
    Session& session = bench.session;
    session.numberingBase = 0;
    session.link.frameToggle = 64;
    EnterModuleAddress(session, "0"); // the same address typed again: after a controller reset
    EXPECT_EQ(session.link.frameToggle, ToggleUnsynchronised);
    session.link.frameToggle = 64;
    EnterModuleAddress(session, "3");
    EXPECT_EQ(session.link.frameToggle, ToggleUnsynchronised);
    session.link.frameToggle = 0;
    SetModuleAddress(session, 3); // not an entry: the up-down control at its value
    EXPECT_EQ(session.link.frameToggle, 0);
    SetModuleAddress(session, 99); // kept within the bound
    EXPECT_EQ(session.link.moduleAddress, 15);
}

TEST(LinkAddress, ReapplyingAfterTheTunnelAlwaysResynchronises) {
    TestBench bench;
    Session& session = bench.session;
    session.numberingBase = 0;
    EnterModuleAddress(session, "4");
    session.link.frameToggle = 64;
    ReapplyModuleAddress(session); // the address is within the bound and stays
    EXPECT_EQ(session.link.moduleAddress, 4);
    EXPECT_EQ(session.link.frameToggle, ToggleUnsynchronised);
}

TEST(LinkAddress, ExtendedAddressRangeIsZeroToNinetyFive) {
    TestBench bench;
    Session& session = bench.session;
    session.numberingBase = 0;
    EXPECT_EQ(EnterXAddress(session, "100"), 95);
    EXPECT_EQ(EnterXAddress(session, "-1"), 0);
    session.numberingBase = 1;
    EXPECT_EQ(EnterXAddress(session, "96"), 95);
    EXPECT_EQ(ShownXAddress(session), "96");
    EXPECT_EQ(EnterXAddress(session, "1"), 0);
    EXPECT_EQ(SetXAddress(session, 200), 95);
}

} // namespace
} // namespace vexa
