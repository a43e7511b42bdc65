#include "files/ConfigFileFields.h"

namespace vexa::configfile {

namespace {

constexpr std::int64_t SaturatedValue = 1'000'000'000'000'000'000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends one decimal digit to a magnitude, saturating.
std::int64_t AddDigit(std::int64_t magnitude, char digit) {
    if (magnitude >= SaturatedValue / 10)
        return SaturatedValue;
    return magnitude * 10 + (digit - '0');
}

struct LeadingNumber {
    bool found = false; // at least one digit
    bool negative = false;
    std::int64_t whole = 0; // magnitude of the integer part
    std::size_t end = 0;    // index after the integer part
};

LeadingNumber ScanLeadingInteger(std::string_view text) {
    LeadingNumber number;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number.negative = text[i] == '-';
        ++i;
    }
    while (i < text.size() && IsDigit(text[i])) {
        number.found = true;
        number.whole = AddDigit(number.whole, text[i]);
        ++i;
    }
    number.end = i;
    return number;
}

} // namespace

void FieldReader::skipLineEnd() {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

bool FieldReader::next(Field& field) {
    for (;;) {
        while (!atEnd() && IsBlank(bytes_[pos_]))
            ++pos_;
        if (atEnd())
            return false;
        if (atLineEnd()) {
            // A line with nothing on it (or only blanks) holds no field.
            skipLineEnd();
            continue;
        }
        break;
    }
    field.line = line_;
    field.text.clear();
    field.closed = true;
    if (bytes_[pos_] == '"') {
        ++pos_;
        const std::size_t start = pos_;
        while (!atEnd() && bytes_[pos_] != '"' && !atLineEnd())
            ++pos_;
        field.text.assign(bytes_.substr(start, pos_ - start));
        field.closed = !atEnd() && bytes_[pos_] == '"';
        while (!atEnd() && bytes_[pos_] != ',' && !atLineEnd())
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (!atEnd() && bytes_[pos_] != ',' && !atLineEnd())
            ++pos_;
        std::size_t end = pos_;
        while (end > start && IsBlank(bytes_[end - 1]))
            --end;
        field.text.assign(bytes_.substr(start, end - start));
    }
    if (!atEnd()) {
        if (bytes_[pos_] == ',')
            ++pos_;
        else
            skipLineEnd();
    }
    return true;
}

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
    const LeadingNumber number = ScanLeadingInteger(text);
    if (!number.found)
        return std::nullopt;
    for (std::size_t i = number.end; i < text.size(); ++i)
        if (!IsBlank(text[i]))
            return std::nullopt;
    return number.negative ? -number.whole : number.whole;
}

std::int64_t LeadingWholeNumber(std::string_view text) {
    const LeadingNumber number = ScanLeadingInteger(text);
    return number.negative ? -number.whole : number.whole;
}

bool HasFraction(std::string_view text) {
    std::size_t i = ScanLeadingInteger(text).end;
    if (i >= text.size() || text[i] != '.')
        return false;
    for (++i; i < text.size() && IsDigit(text[i]); ++i)
        if (text[i] != '0')
            return true;
    return false;
}

std::int64_t LeadingNumberValue(std::string_view text) {
    const LeadingNumber number = ScanLeadingInteger(text);
    std::int64_t magnitude = number.whole;
    std::size_t i = number.end;
    if (i < text.size() && text[i] == '.') {
        ++i;
        // Round on the fraction's digits: above one half up, exactly one half to even.
        const std::size_t first = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i > first) {
            const char leading = text[first];
            bool restNonZero = false;
            for (std::size_t k = first + 1; k < i; ++k)
                restNonZero = restNonZero || text[k] != '0';
            const bool roundUp = leading > '5' || (leading == '5' && (restNonZero || magnitude % 2 == 1));
            if (roundUp && magnitude < SaturatedValue)
                ++magnitude;
        }
    }
    return number.negative ? -magnitude : magnitude;
}

std::string FileSafeText(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            safe += '\'';
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            safe += ' ';
        } else {
            safe += c;
        }
    }
    return safe;
}

void AppendTextField(std::string& out, std::string_view text) {
    out += '"';
    out += FileSafeText(text);
    out += '"';
}

} // namespace vexa::configfile
