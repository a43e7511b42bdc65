#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexa {

// The number a text field holds: its leading decimal number (optional blanks, sign, digits,
// decimal point, digits); 0 when the text does not start with a number.
double ParseLeadingNumber(std::string_view text);

// The number when the whole text (apart from surrounding blanks) is a decimal number.
std::optional<double> ParseWholeNumber(std::string_view text);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int RoundHalfEven(double value);

// The value of a number field as it is stored: its number, replaced by the nearest bound when
// it lies outside minimum..maximum, rounded to an integer.
int ClampedFieldValue(std::string_view text, int minimum, int maximum);

// Decimal text of an integer, as the fields show it.
inline std::string NumberText(int value) {
    return std::to_string(value);
}

} // namespace vexa
