#include "files/FieldCursor.h"

#include "model/TextEncoding.h"

#include <limits>

namespace vexa::configfile {

namespace {

constexpr std::size_t ShownFieldLength = 40;

} // namespace

std::string RangeText(std::int64_t low, std::int64_t high) {
    return std::to_string(low) + ".." + std::to_string(high);
}

bool FieldCursor::next(Field& field) {
    if (pending_) {
        field = std::move(*pending_);
        pending_.reset();
    } else if (!fields_.next(field)) {
        return false;
    }
    lastLine_ = field.line;
    return true;
}

bool FieldCursor::fail(int line, const std::string& what) {
    problem_ = "Line " + std::to_string(line) + ": " + what;
    return false;
}

bool FieldCursor::required(Field& field) {
    if (!next(field))
        return fail(fields_.line(), earlyEnd_);
    if (!field.closed)
        return fail(field.line, UnclosedTextFieldText);
    return true;
}

bool FieldCursor::readText(std::string& text) {
    Field field;
    if (!required(field))
        return false;
    text = std::move(field.text);
    return true;
}

bool FieldCursor::readNumber(const char* what, std::int64_t low, std::int64_t high, std::int64_t& value) {
    Field field;
    if (!required(field))
        return false;
    const std::optional<std::int64_t> number = ParseWholeNumber(field.text);
    if (!number) {
        std::string shown = field.text.substr(0, ShownFieldLength);
        if (field.text.size() > ShownFieldLength)
            shown += "...";
        return fail(field.line,
                    std::string("the ") + what + " is not a whole number: \"" + Utf8FromLatin1(shown) + "\"");
    }
    if (*number < low || *number > high)
        return fail(field.line,
                    std::string("the ") + what + " " + std::to_string(*number) + " is outside " + RangeText(low, high));
    value = *number;
    return true;
}

bool FieldCursor::readByte(const char* what, std::uint8_t& value) {
    std::int64_t number = 0;
    if (!readNumber(what, 0, 255, number))
        return false;
    value = static_cast<std::uint8_t>(number);
    return true;
}

bool FieldCursor::readInt(const char* what, std::int16_t& value) {
    std::int64_t number = 0;
    if (!readNumber(what, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(), number))
        return false;
    value = static_cast<std::int16_t>(number);
    return true;
}

bool FieldCursor::readIndex(const char* what, int count, int& index) {
    std::int64_t number = 0;
    if (!readNumber(what, 0, count - 1, number))
        return false;
    index = static_cast<int>(number);
    return true;
}

} // namespace vexa::configfile
