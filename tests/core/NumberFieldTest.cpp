#include "core/NumberField.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(NumberField, LeadingNumber) {
    EXPECT_EQ(ParseLeadingNumber("12"), 12);
    EXPECT_EQ(ParseLeadingNumber("  -7abc"), -7);
    EXPECT_EQ(ParseLeadingNumber("+3.25 pins"), 3.25);
    EXPECT_EQ(ParseLeadingNumber("-.5"), -0.5);
    EXPECT_EQ(ParseLeadingNumber("abc"), 0);
    EXPECT_EQ(ParseLeadingNumber("-"), 0);
    EXPECT_EQ(ParseLeadingNumber(""), 0);
}

TEST(NumberField, WholeNumber) {
    EXPECT_EQ(ParseWholeNumber(" 32 "), 32);
    EXPECT_EQ(ParseWholeNumber("4.5"), 4.5);
    EXPECT_FALSE(ParseWholeNumber("32a"));
    EXPECT_FALSE(ParseWholeNumber(""));
    EXPECT_FALSE(ParseWholeNumber("-"));
}

TEST(NumberField, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(RoundHalfEven(-0.4), 0);
    EXPECT_EQ(RoundHalfEven(1e30), RoundHalfEven(2e30)) << "huge values do not overflow";
}

TEST(NumberField, ClampedValue) {
    EXPECT_EQ(ClampedFieldValue("40", 0, 31), 31);
    EXPECT_EQ(ClampedFieldValue("-70", -64, 63), -64);
    EXPECT_EQ(ClampedFieldValue("x", 1, 127), 1);
    EXPECT_EQ(ClampedFieldValue("30.5", 0, 31), 30);
    EXPECT_EQ(ClampedFieldValue("99999999999999999999", 0, 6), 6);
}

} // namespace
} // namespace vexa
