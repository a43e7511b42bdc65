#include "layout/LayoutFile.h"

#include "core/Platform.h"
#include "files/ConfigFileFields.h"
#include "files/SafeFile.h"
#include "link/PortWait.h"
#include "model/TextEncoding.h"
#include "module/Identity.h"

#include <set>

namespace vexa {

namespace {

constexpr std::size_t FieldsPerLine = 4;
// Far above any layout of 32 controllers; guards against a wrong pick.
constexpr std::size_t MaxLayoutFileBytes = 64 * 1024;
// What a Windows editor puts before UTF-8 text.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The lines of the bytes without their line ends (CR LF, CR or LF).
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    return bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark ? bytes.substr(ByteOrderMark.size()) : bytes;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

// The fields of one line; false with what is wrong when a quote is not closed or a comma ends
// the line (an empty field would follow it that the line does not show).
bool SplitFields(std::string_view line, std::vector<std::string>& fields, std::string& problem) {
    fields.clear();
    configfile::FieldReader reader(line);
    for (configfile::Field field; reader.next(field);) {
        if (!field.closed) {
            problem = "the text \"" + Utf8FromLatin1(field.text) + " has no closing quote";
            return false;
        }
        fields.push_back(field.text);
    }
    const std::size_t last = line.find_last_not_of(" \t");
    if (last != std::string_view::npos && line[last] == ',') {
        problem = "the line ends with a comma";
        return false;
    }
    return true;
}

// The line "Base,B" of the current form; false with what is wrong.
bool ParseBaseLine(std::string_view line, int& base, std::string& problem) {
    std::vector<std::string> fields;
    if (!SplitFields(line, fields, problem))
        return false;
    const auto value = fields.size() == 2 && fields[0] == LayoutBaseKeyword ? configfile::ParseWholeNumber(fields[1])
                                                                            : std::optional<std::int64_t>();
    if (!value || (*value != 0 && *value != 1)) {
        problem = "expected \"" + std::string(LayoutBaseKeyword) + ",0\" or \"" + LayoutBaseKeyword + ",1\"";
        return false;
    }
    base = static_cast<int>(*value);
    return true;
}

// One controller line, its number taken as shown with `shownBase` (0 for a bus address);
// false with what is wrong.
bool ParseEntry(std::string_view line, int shownBase, int highestAddress, LayoutEntry& entry, std::string& problem) {
    std::vector<std::string> fields;
    if (!SplitFields(line, fields, problem))
        return false;
    if (fields.size() != FieldsPerLine) {
        problem = "expected " + std::string(shownBase == 0 ? "A" : "N") + ",\"ID\",\"version\",\"file\" but found " +
                  std::to_string(fields.size()) + " fields";
        return false;
    }
    const auto shown = configfile::ParseWholeNumber(fields[0]);
    if (!shown || *shown < shownBase || *shown > highestAddress + shownBase) {
        problem = "the module address \"" + Utf8FromLatin1(fields[0]) + "\" is not a number from " +
                  std::to_string(shownBase) + " to " + std::to_string(highestAddress + shownBase);
        return false;
    }
    if (fields[1].size() > IdStringMaxLength) {
        problem = "the ID string \"" + Utf8FromLatin1(fields[1]) + "\" is longer than " +
                  std::to_string(IdStringMaxLength) + " characters";
        return false;
    }
    if (!IsPlainFileName(fields[3])) {
        problem = "the data file \"" + Utf8FromLatin1(fields[3]) + "\" must be a file name without a folder";
        return false;
    }
    entry = LayoutEntry{static_cast<int>(*shown) - shownBase, fields[1], fields[2], fields[3]};
    return true;
}

std::string LineProblem(std::size_t index, const std::string& what) {
    return "Line " + std::to_string(index + 1) + ": " + what;
}

} // namespace

std::string ModuleFileName(int address, int numberingBase) {
    return "module-" + std::to_string(address + numberingBase) + ".dat";
}

std::string FormatLayoutFile(const std::vector<LayoutEntry>& entries, int numberingBase) {
    std::string text =
        std::string(LayoutFileHeader) + CrLf + LayoutBaseKeyword + "," + std::to_string(numberingBase) + CrLf;
    for (const LayoutEntry& entry : entries) {
        text += std::to_string(entry.address);
        for (const std::string* field : {&entry.idString, &entry.version, &entry.fileName}) {
            text += ',';
            configfile::AppendTextField(text, *field);
        }
        text += CrLf;
    }
    return text;
}

bool IsOlderLayoutFile(std::string_view bytes) {
    const std::vector<std::string_view> lines = Lines(WithoutByteOrderMark(bytes));
    return !lines.empty() && lines[0] == OlderLayoutFileHeader;
}

bool ParseLayoutFile(std::string_view bytes, std::optional<int> olderBase, int highestAddress, LayoutListing& listing,
                     std::string& problem) {
    listing = LayoutListing{};
    const std::vector<std::string_view> lines = Lines(WithoutByteOrderMark(bytes));
    listing.olderForm = !lines.empty() && lines[0] == OlderLayoutFileHeader;
    if (lines.empty() || (lines[0] != LayoutFileHeader && !listing.olderForm)) {
        problem = LineProblem(0, "the first line must be \"" + std::string(LayoutFileHeader) + "\"");
        return false;
    }
    if (listing.olderForm && !olderBase) {
        problem = "the numbering base of its module numbers is not recorded";
        return false;
    }
    std::size_t i = 1;
    if (listing.olderForm) {
        listing.numberingBase = *olderBase;
    } else {
        while (i < lines.size() && IsBlankLine(lines[i]))
            ++i;
        std::string what = "the numbering base is missing";
        if (i >= lines.size() || !ParseBaseLine(lines[i], listing.numberingBase, what)) {
            problem = LineProblem(i, what);
            return false;
        }
        ++i;
    }
    const int shownBase = listing.olderForm ? listing.numberingBase : 0;
    std::set<int> addresses;
    for (; i < lines.size(); ++i) {
        if (IsBlankLine(lines[i]))
            continue;
        LayoutEntry entry;
        std::string what;
        if (!ParseEntry(lines[i], shownBase, highestAddress, entry, what)) {
            problem = LineProblem(i, what);
            return false;
        }
        if (!addresses.insert(entry.address).second) {
            problem =
                LineProblem(i, "module " + std::to_string(entry.address + listing.numberingBase) + " is listed twice");
            return false;
        }
        listing.entries.push_back(std::move(entry));
    }
    if (listing.entries.empty()) {
        problem = LineProblem(lines.size(), "the layout lists no controller");
        return false;
    }
    return true;
}

bool ReadLayoutBytes(const std::string& folder, std::string& bytes, std::string& problem) {
    return ReadFileBytes(LayoutPath(folder, LayoutFileName), MaxLayoutFileBytes, bytes, problem);
}

std::string LayoutPath(const std::string& folder, const std::string& fileName) {
    return Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(fileName));
}

} // namespace vexa
