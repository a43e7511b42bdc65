#include "pins/InstructionTable.h"

#include <gtest/gtest.h>

#include <set>

namespace vexa {
namespace {

std::vector<int> Range(int first, int last) {
    std::vector<int> codes;
    for (int code = first; code <= last; ++code)
        codes.push_back(code);
    return codes;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST(InstructionTable, ListsAreOrderedBySectionThenCode) {
    const std::vector<int> expected = Join({
        {0, 6, 8, 9, 10, 11},
        Range(12, 15),
        Range(32, 37),
        Range(42, 47),        // section 0
        {38, 96, 97, 98, 99}, // section 1
        {39, 100, 101, 127},  // section 2
        {1, 16, 102, 103},
        Range(112, 123), // section 3
        {3, 7},          // section 4
        {4, 5, 17, 18},
        Range(104, 107), // section 5
    });
    EXPECT_EQ(InstructionListCodes(), expected);
}

TEST(InstructionTable, NamesRunWithTheCodes) {
    const std::vector<std::pair<int, std::string>> names{
        {0, "-"},
        {1, "Jump"},
        {3, "NS G->Y->R"},
        {4, "SendSerial 1"},
        {5, "SendSerial 2"},
        {6, "Blink alt"},
        {7, "Clone"},
        {8, "Off"},
        {9, "On"},
        {10, "Invert"},
        {11, "Random"},
        {12, "Multibit 2"},
        {15, "Multibit 5"},
        {16, "Event Input"},
        {17, "Feedback"},
        {18, "MXpulse"},
        {32, "Multibit 6"},
        {33, "Multibit 7"},
        {34, "Multibit 6 AD"},
        {35, "Multibit 7 AD"},
        {36, "Multibit 6 ND"},
        {37, "Multibit 7 ND"},
        {38, "Set Level"},
        {39, "Set Servo"},
        {42, "Multiblink 2"},
        {47, "Multiblink 7"},
        {96, "SetLevel & Wait"},
        {97, "SetLevel & WtRnd"},
        {98, "SetRnd & Wait"},
        {99, "SetRnd & WtRnd"},
        {100, "SetServo & Wait"},
        {101, "SetServo & WtRnd"},
        {102, "Wait"},
        {103, "Wait Random"},
        {104, "If Equal"},
        {105, "If Less"},
        {106, "If Not Equal"},
        {107, "If Not Less"},
        {112, "SetAspect 0"},
        {123, "SetAspect 11"},
        {127, "Suspend Servo"},
    };
    for (const auto& [code, name] : names)
        EXPECT_EQ(InstructionOf(code).name, name) << code;
    for (int code : {2, 19, 31, 40, 41, 48, 63, 64, 95, 108, 111, 124, 126})
        EXPECT_FALSE(InstructionOf(code).named()) << code;
    EXPECT_FALSE(InstructionOf(128).named());
    EXPECT_FALSE(InstructionOf(-1).named());
}

TEST(InstructionTable, FadeIsAllowedExactlyForTheOutputInstructions) {
    std::set<int> withFade{3, 6, 7, 8, 9, 10, 11, 38, 39};
    for (int code : Join({Range(12, 15), Range(32, 37), Range(42, 47)}))
        withFade.insert(code);
    for (int code : InstructionListCodes())
        EXPECT_EQ(InstructionOf(code).fadeAllowed, withFade.count(code) == 1) << code;
}

TEST(InstructionTable, CaptionsOfTheFourParameters) {
    using Captions = std::array<std::string, 4>;
    EXPECT_EQ(InstructionOf(0).captions, (Captions{"", "", "", ""}));
    EXPECT_EQ(InstructionOf(1).captions, (Captions{"P.O.", "Asp#", "Ins#", ""}));
    EXPECT_EQ(InstructionOf(5).captions, (Captions{"", "Byte1", "Byte2", ""}));
    EXPECT_EQ(InstructionOf(7).captions, (Captions{"P.O.", "Source", "", ""}));
    EXPECT_EQ(InstructionOf(14).captions, (Captions{"P.O.", "Patt.", "", ""}));
    EXPECT_EQ(InstructionOf(16).captions, (Captions{"", "ETImap", "", ""}));
    EXPECT_EQ(InstructionOf(18).captions, (Captions{"MXpin", "T(/60)", "Level", ""}));
    EXPECT_EQ(InstructionOf(39).captions, (Captions{"P.O.", "Pos.", "", ""}));
    EXPECT_EQ(InstructionOf(97).captions, (Captions{"Accel", "Level", "Time", "Base"}));
    EXPECT_EQ(InstructionOf(99).captions, (Captions{"Accel", "Chance", "Time", "Base"}));
    EXPECT_EQ(InstructionOf(101).captions, (Captions{"", "Pos", "Time", "Base"}));
    EXPECT_EQ(InstructionOf(103).captions, (Captions{"", "", "Time", "Base"}));
    EXPECT_EQ(InstructionOf(106).captions, (Captions{"P.O.", "Value", "", ""}));
    EXPECT_EQ(InstructionOf(118).captions, (Captions{"P.O.", "", "Time", "Base"}));
    EXPECT_EQ(InstructionOf(127).captions, (Captions{"P.O.", "", "Time", "Base"}));
}

TEST(InstructionTable, RangesAndOffsetsOfParameterOne) {
    struct Expected {
        int code, minimum, maximum, displayOffset;
    };
    for (const Expected& e : std::vector<Expected>{{1, 0, 11, 0},
                                                   {3, 0, 1, 0},
                                                   {4, 0, 255, 0},
                                                   {7, 0, 31, 0},
                                                   {8, 0, 127, 0},
                                                   {17, 0, 11, 0},
                                                   {38, 0, 31, 0},
                                                   {39, 0, 127, -64},
                                                   {98, 0, 31, 0},
                                                   {100, 0, 127, -64},
                                                   {104, -64, 63, 0}}) {
        const InstructionEntry& entry = InstructionOf(e.code);
        EXPECT_EQ(entry.par1Minimum, e.minimum) << e.code;
        EXPECT_EQ(entry.par1Maximum, e.maximum) << e.code;
        EXPECT_EQ(entry.par1DisplayOffset, e.displayOffset) << e.code;
    }
    EXPECT_TRUE(InstructionOf(7).par1IsPin);
    EXPECT_EQ(InstructionOf(18).offsetKind, OffsetKind::PinNumber);
    EXPECT_EQ(InstructionOf(96).offsetKind, OffsetKind::Acceleration);
    EXPECT_EQ(InstructionOf(9).offsetKind, OffsetKind::PinOffset);
}

TEST(InstructionTable, HelpSelectors) {
    EXPECT_EQ(InstructionOf(12).helpSelector, 2);
    EXPECT_EQ(InstructionOf(15).helpSelector, 5);
    EXPECT_EQ(InstructionOf(32).helpSelector, 6);
    EXPECT_EQ(InstructionOf(35).helpSelector, 7);
    EXPECT_EQ(InstructionOf(36).helpSelector, 6);
    EXPECT_EQ(InstructionOf(16).helpSelector, HelpEventPattern);
    for (int code : Join({Range(96, 103), Range(112, 123), {127}}))
        EXPECT_EQ(InstructionOf(code).helpSelector, HelpTime) << code;
    for (int code : {0, 1, 6, 18, 38, 39, 104})
        EXPECT_EQ(InstructionOf(code).helpSelector, HelpNone) << code;
}

} // namespace
} // namespace vexa
