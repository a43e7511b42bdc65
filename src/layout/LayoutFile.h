#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// The list of a layout backup, DIR/layout.txt: the line "Vexa layout 2", the line "Base,B" with
// the numbering base in force at the backup (which named the data files), then one line per
// controller in address order, A,"ID","version","module-N.dat" with A its module address on
// the bus (0..31, as stored) and N = A + B; every line ends in CR LF. The data files lie beside
// it. The older form, the line "Vexa layout" and then N,"ID","version","file" with N as shown,
// does not say which base N was shown with: it is read with the base the user states.
inline constexpr const char* LayoutFileName = "layout.txt";
inline constexpr const char* LayoutFileHeader = "Vexa layout 2";
inline constexpr const char* OlderLayoutFileHeader = "Vexa layout";
inline constexpr const char* LayoutBaseKeyword = "Base";

struct LayoutEntry {
    int address = 0; // stored module address, 0..31
    std::string idString;
    std::string version;
    std::string fileName; // name of the data file in the layout's folder

    bool operator==(const LayoutEntry&) const = default;
};

// What a layout.txt lists.
struct LayoutListing {
    int numberingBase = 1;  // the base of the backup: its data files are named with it
    bool olderForm = false; // numbers as shown, read with a stated base
    std::vector<LayoutEntry> entries;
};

// "module-N.dat" for the stored address shown with the numbering base.
std::string ModuleFileName(int address, int numberingBase);

// The text of layout.txt for the entries of a backup made with the numbering base (texts made
// file-safe).
std::string FormatLayoutFile(const std::vector<LayoutEntry>& entries, int numberingBase);

// True when the bytes start with the older form's header, which records no numbering base.
bool IsOlderLayoutFile(std::string_view bytes);

// Reads layout.txt (a UTF-8 byte-order mark before it is skipped): the header line, the base
// line (older form: the numbers are taken as shown with `olderBase`, which it then needs), then
// at least one controller line of exactly four fields, closed quotes and no trailing comma,
// its module address up to highestAddress (each at most once), an ID string of at most 12
// characters and a data-file name without a folder. Blank lines are skipped. False with
// `problem` ("Line 3: ...", UTF-8) at the first line that breaks these rules. Texts stay the
// file's Latin-1 bytes.
bool ParseLayoutFile(std::string_view bytes, std::optional<int> olderBase, int highestAddress, LayoutListing& listing,
                     std::string& problem);

// Reads DIR/layout.txt into bytes; false with `problem` saying why the file cannot be read.
bool ReadLayoutBytes(const std::string& folder, std::string& bytes, std::string& problem);

// The path of a file of the layout's folder.
std::string LayoutPath(const std::string& folder, const std::string& fileName);

} // namespace vexa
