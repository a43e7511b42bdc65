#include "core/NumberField.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace vexa {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads a number at the start of text; sets `used` to the characters taken (0 when none).
double ReadNumber(std::string_view text, std::size_t& used) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double value = 0;
    bool digits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            value += (text[i] - '0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    used = digits ? i : 0;
    return digits ? (negative ? -value : value) : 0.0;
}

} // namespace

double ParseLeadingNumber(std::string_view text) {
    std::size_t used = 0;
    return ReadNumber(text, used);
}

std::optional<double> ParseWholeNumber(std::string_view text) {
    std::size_t used = 0;
    const double value = ReadNumber(text, used);
    if (used == 0)
        return std::nullopt;
    while (used < text.size() && IsBlank(text[used]))
        ++used;
    if (used != text.size())
        return std::nullopt;
    return value;
}

int RoundHalfEven(double value) {
    constexpr double limit = std::numeric_limits<int>::max() / 2.0;
    value = std::clamp(value, -limit, limit);
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = fraction > 0.5 ? lower + 1 : lower;
    if (fraction == 0.5)
        result = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
    return static_cast<int>(result);
}

int ClampedFieldValue(std::string_view text, int minimum, int maximum) {
    const double value = ParseLeadingNumber(text);
    return RoundHalfEven(std::clamp(value, static_cast<double>(minimum), static_cast<double>(maximum)));
}

} // namespace vexa
