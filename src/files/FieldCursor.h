#pragma once

#include "files/ConfigFileFields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::configfile {

// A text field whose closing quote is not on its line: the text held a line break, which no
// file can carry, and reading on would cut it there.
inline constexpr const char* UnclosedTextFieldText = "the text field has no closing quote";

// Reads typed fields one after the other and remembers the first problem: which line and what
// was wrong. Shared by the readers of the data file and of the device library.
class FieldCursor {
public:
    // `earlyEnd` says what is wrong when the bytes end where a field is required.
    FieldCursor(std::string_view bytes, std::string earlyEnd) : fields_(bytes), earlyEnd_(std::move(earlyEnd)) {}

    // The next field; false at the end of the bytes (not a problem by itself).
    bool next(Field& field);
    // Hands the field out again on the next call of next().
    void putBack(Field field) { pending_ = std::move(field); }

    // The next field where one is required: the end of the bytes is a problem, and so is a text
    // field without its closing quote.
    bool required(Field& field);
    bool readText(std::string& text);
    // A whole number within low..high; anything else is a problem that names `what`.
    bool readNumber(const char* what, std::int64_t low, std::int64_t high, std::int64_t& value);
    bool readByte(const char* what, std::uint8_t& value);
    bool readInt(const char* what, std::int16_t& value);
    bool readIndex(const char* what, int count, int& index);

    // Records a problem ("Line <n>: <what>") and returns false.
    bool fail(int line, const std::string& what);
    const std::string& problem() const { return problem_; }
    void clearProblem() { problem_.clear(); }
    int lastLine() const { return lastLine_; }

private:
    FieldReader fields_;
    std::string earlyEnd_;
    std::optional<Field> pending_;
    std::string problem_;
    int lastLine_ = 1;
};

// "a..b" for messages.
std::string RangeText(std::int64_t low, std::int64_t high);

} // namespace vexa::configfile
