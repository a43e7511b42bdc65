#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The list of a layout backup, DIR/layout.txt: the line "Vexa layout", then one line per
// controller in address order, N,"ID","version","module-N.dat" (N as shown, with the numbering
// base), every line ending in CR LF. The data files lie beside it.
inline constexpr const char* LayoutFileName = "layout.txt";
inline constexpr const char* LayoutFileHeader = "Vexa layout";

struct LayoutEntry {
    int address = 0; // stored module address, 0..31
    std::string idString;
    std::string version;
    std::string fileName; // name of the data file in the layout's folder

    bool operator==(const LayoutEntry&) const = default;
};

// "module-N.dat" for the stored address shown with the numbering base.
std::string ModuleFileName(int address, int numberingBase);

// The text of layout.txt for the entries (texts made file-safe).
std::string FormatLayoutFile(const std::vector<LayoutEntry>& entries, int numberingBase);

// Reads layout.txt: the header line, then at least one controller line with four fields, N
// within the module addresses as shown (each at most once), an ID string of at most 12
// characters and a data-file name without a folder. Blank lines are skipped. False with
// `problem` ("Line 3: ...", UTF-8) at the first line that breaks these rules. Texts stay the
// file's Latin-1 bytes.
bool ParseLayoutFile(std::string_view bytes, int numberingBase, int highestAddress, std::vector<LayoutEntry>& entries,
                     std::string& problem);

// Reads and parses DIR/layout.txt; false with `problem` saying why the file cannot be read or
// which line is wrong.
bool ReadLayoutFile(const std::string& folder, int numberingBase, int highestAddress, std::vector<LayoutEntry>& entries,
                    std::string& problem);

// The path of a file of the layout's folder.
std::string LayoutPath(const std::string& folder, const std::string& fileName);

} // namespace vexa
