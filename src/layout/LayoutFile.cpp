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

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

// One controller line; false with what is wrong.
bool ParseEntry(std::string_view line, int numberingBase, int highestAddress, LayoutEntry& entry,
                std::string& problem) {
    configfile::FieldReader reader(line);
    std::vector<std::string> fields;
    for (configfile::Field field; reader.next(field);)
        fields.push_back(field.text);
    if (fields.size() != FieldsPerLine) {
        problem = "expected N,\"ID\",\"version\",\"file\" but found " + std::to_string(fields.size()) + " fields";
        return false;
    }
    const auto shown = configfile::ParseWholeNumber(fields[0]);
    if (!shown || *shown < numberingBase || *shown > highestAddress + numberingBase) {
        problem = "the module address \"" + Utf8FromLatin1(fields[0]) + "\" is not a number from " +
                  std::to_string(numberingBase) + " to " + std::to_string(highestAddress + numberingBase);
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
    entry = LayoutEntry{static_cast<int>(*shown) - numberingBase, fields[1], fields[2], fields[3]};
    return true;
}

} // namespace

std::string ModuleFileName(int address, int numberingBase) {
    return "module-" + std::to_string(address + numberingBase) + ".dat";
}

std::string FormatLayoutFile(const std::vector<LayoutEntry>& entries, int numberingBase) {
    std::string text = std::string(LayoutFileHeader) + CrLf;
    for (const LayoutEntry& entry : entries) {
        text += std::to_string(entry.address + numberingBase);
        for (const std::string* field : {&entry.idString, &entry.version, &entry.fileName}) {
            text += ',';
            configfile::AppendTextField(text, *field);
        }
        text += CrLf;
    }
    return text;
}

bool ParseLayoutFile(std::string_view bytes, int numberingBase, int highestAddress, std::vector<LayoutEntry>& entries,
                     std::string& problem) {
    entries.clear();
    const std::vector<std::string_view> lines = Lines(bytes);
    if (lines.empty() || lines[0] != LayoutFileHeader) {
        problem = "Line 1: the first line must be \"" + std::string(LayoutFileHeader) + "\"";
        return false;
    }
    std::set<int> addresses;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (IsBlankLine(lines[i]))
            continue;
        LayoutEntry entry;
        std::string what;
        if (!ParseEntry(lines[i], numberingBase, highestAddress, entry, what)) {
            problem = "Line " + std::to_string(i + 1) + ": " + what;
            return false;
        }
        if (!addresses.insert(entry.address).second) {
            problem = "Line " + std::to_string(i + 1) + ": module " + std::to_string(entry.address + numberingBase) +
                      " is listed twice";
            return false;
        }
        entries.push_back(std::move(entry));
    }
    if (entries.empty()) {
        problem = "Line " + std::to_string(lines.size() + 1) + ": the layout lists no controller";
        return false;
    }
    return true;
}

bool ReadLayoutFile(const std::string& folder, int numberingBase, int highestAddress, std::vector<LayoutEntry>& entries,
                    std::string& problem) {
    std::string bytes;
    return ReadFileBytes(LayoutPath(folder, LayoutFileName), MaxLayoutFileBytes, bytes, problem) &&
           ParseLayoutFile(bytes, numberingBase, highestAddress, entries, problem);
}

std::string LayoutPath(const std::string& folder, const std::string& fileName) {
    return Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(fileName));
}

} // namespace vexa
