#include "documents/Boards.h"

#include "core/Platform.h"
#include "files/ConfigFileActions.h"
#include "layout/LayoutFile.h"
#include "link/LinkAddress.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

namespace vexa {

namespace {

constexpr int AddressCount = HighestTunnelModuleAddress + 1;

std::string LastNameOf(const std::string& path) {
    std::filesystem::path name = PathFromUtf8(path).lexically_normal();
    if (!name.has_filename())
        name = name.parent_path();
    return Utf8FromPath(name.filename());
}

// The module address, as stored, of a data file named "module-N.dat"; nothing for other names.
std::optional<int> AddressOfFileName(const std::string& path, int numberingBase) {
    const std::string name = LastNameOf(path);
    const std::string prefix = "module-";
    const std::string suffix = ".dat";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return std::nullopt;
    int shown = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size() - suffix.size();
    const auto result = std::from_chars(first, last, shown);
    if (result.ec != std::errc() || result.ptr != last || shown < numberingBase ||
        shown >= numberingBase + AddressCount)
        return std::nullopt;
    return shown - numberingBase;
}

// The configuration a data file holds; false with `problem` naming the file.
bool ReadBoardImage(const std::string& path, ConfigurationImage& image, std::string& problem) {
    ConfigurationFileContents contents;
    if (!ReadConfigurationFile(path, contents, problem))
        return false;
    image = std::move(contents.image);
    return true;
}

bool ReadLayoutBoards(const std::string& folder, BoardSet& set, std::string& problem) {
    // A layout file of the older form is read with the numbering base in force, as the user
    // states it for every layout command.
    std::string bytes;
    LayoutListing listing;
    const std::string list = LayoutPath(folder, LayoutFileName);
    if (!ReadLayoutBytes(folder, bytes, problem) ||
        !ParseLayoutFile(bytes, set.numberingBase, HighestTunnelModuleAddress, listing, problem)) {
        problem = "The layout file " + list + " cannot be used:\r\n" + problem;
        return false;
    }
    for (const LayoutEntry& entry : listing.entries) {
        Board board;
        board.address = entry.address;
        board.version = entry.version;
        board.fileName = LayoutPath(folder, entry.fileName);
        if (!ReadBoardImage(board.fileName, board.image, problem))
            return false;
        set.boards.push_back(std::move(board));
    }
    set.layout = true;
    set.title = LastNameOf(folder);
    return true;
}

bool ReadFileBoards(const std::vector<std::string>& files, int firstAddress, BoardSet& set, std::string& problem) {
    std::set<int> taken;
    for (const std::string& file : files)
        if (const auto address = AddressOfFileName(file, set.numberingBase))
            taken.insert(*address);
    int next = firstAddress;
    for (const std::string& file : files) {
        Board board;
        board.fileName = file;
        if (const auto address = AddressOfFileName(file, set.numberingBase)) {
            board.address = *address;
        } else {
            while (taken.contains(next))
                ++next;
            if (next >= AddressCount) {
                problem = "No module address is left for " + file + ": name the files module-N.dat";
                return false;
            }
            board.address = next;
            taken.insert(next);
        }
        if (!ReadBoardImage(file, board.image, problem))
            return false;
        set.boards.push_back(std::move(board));
    }
    std::stable_sort(set.boards.begin(), set.boards.end(),
                     [](const Board& a, const Board& b) { return a.address < b.address; });
    for (std::size_t i = 1; i < set.boards.size(); ++i)
        if (set.boards[i].address == set.boards[i - 1].address) {
            problem = set.boards[i - 1].fileName + " and " + set.boards[i].fileName + " are both " +
                      ModuleWords(set.boards[i].address, set.numberingBase);
            return false;
        }
    set.title = files.size() == 1 ? LastNameOf(files.front()) : std::to_string(files.size()) + " data files";
    return true;
}

} // namespace

AddressContext AddressContextOf(const BoardSet& set, const Board& board) {
    return {board.image, set.numberingBase, board.address, board.xAddress};
}

bool PinInUse(const PinRecord& pin) {
    return pin.configType != 0 || pin.aspectLayout != LayoutNone || !pin.description.empty() ||
           pin.deviceReferral != 0 || !pin.deviceDescription.empty();
}

std::string ModuleWords(int address, int numberingBase) {
    return "module " + std::to_string(address + numberingBase);
}

BoardSet SessionBoards(const Session& session, const std::string& title) {
    BoardSet set;
    set.title = title;
    set.numberingBase = session.numberingBase;
    Board board;
    board.address = session.link.moduleAddress;
    if (session.link.useXAddress)
        board.xAddress = session.link.xAddress;
    if (session.versionText != "Unknown")
        board.version = session.versionText;
    board.image = session.image;
    set.boards.push_back(std::move(board));
    return set;
}

bool ReadBoards(const std::vector<std::string>& sources, int numberingBase, int firstAddress, BoardSet& set,
                std::string& problem) {
    set = BoardSet{};
    set.numberingBase = numberingBase;
    std::error_code error;
    const bool folder = sources.size() == 1 && std::filesystem::is_directory(PathFromUtf8(sources.front()), error);
    if (folder)
        return ReadLayoutBoards(sources.front(), set, problem);
    for (const std::string& source : sources)
        if (std::filesystem::is_directory(PathFromUtf8(source), error)) {
            problem = source + " is a folder: give a layout folder alone, or data files";
            return false;
        }
    return ReadFileBoards(sources, firstAddress, set, problem);
}

} // namespace vexa
