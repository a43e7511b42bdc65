#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The field layer of the configuration data file and the device library: how a file is cut
// into fields, how number fields are parsed and how text fields are written.
namespace vexa::configfile {

struct Field {
    std::string text;   // without the double quotes of a text field
    int line = 0;       // line (from 1) on which the field starts
    bool closed = true; // false for a text field whose closing quote is missing
};

// Cuts file bytes into fields. Commas and line ends (CR LF, CR or LF) both end a field, so
// whole lines mean nothing to the reader; blank lines hold no field. Blanks before a field
// are skipped (the indentation). A text field runs from its double quote to the next double
// quote, or to the end of its line when the closing quote is missing; anything between the
// closing quote and the next separator is ignored. Other fields lose trailing blanks.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    // The next field, or false at the end of the bytes.
    bool next(Field& field);
    // The line the reader has reached (for a file that ends too early).
    int line() const { return line_; }

private:
    bool atEnd() const { return pos_ >= bytes_.size(); }
    bool atLineEnd() const { return !atEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'); }
    void skipLineEnd();

    std::string_view bytes_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// The value of a whole decimal number field ("-12", "300"; blanks around it allowed), or
// nothing when the field is not such a number. Values too large for any field come back
// saturated at +/- 10^18, so a range check still refuses them.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

// The numeric value of a text box: the leading decimal number (blanks skipped, optional sign,
// optional fraction after a point), rounded to the nearest integer with halves to even; text
// without a number counts as 0. Saturates like ParseWholeNumber.
std::int64_t LeadingNumberValue(std::string_view text);

// True when the leading number of a text has a fraction that is not zero ("12.5", not "12.0"):
// a value that LeadingNumberValue rounds.
bool HasFraction(std::string_view text);

// The leading whole number of a text (blanks skipped, optional sign, digits up to the first
// other character); 0 when there is none.
std::int64_t LeadingWholeNumber(std::string_view text);

// A text as the files hold it between its quotes: a double quote becomes an apostrophe and a
// line break (CR LF, CR or LF) a blank, so that every written file reads back intact. Every
// other byte, 128..255 included, is kept.
std::string FileSafeText(std::string_view text);

// Appends `"text"` with the text made file-safe.
void AppendTextField(std::string& out, std::string_view text);

} // namespace vexa::configfile
