#include "documents/AddressMap.h"

#include "module/AddressOffsets.h"
#include "module/DccAddressing.h"

#include <map>
#include <utility>

namespace vexa {

namespace {

using AddressKey = std::pair<AddressKind, int>;

void Answer(std::map<AddressKey, std::vector<AddressUser>>& map, AddressKind kind, int address,
            const AddressUser& user) {
    map[{kind, address}].push_back(user);
}

void MapBoard(const BoardSet& set, const Board& board, std::map<AddressKey, std::vector<AddressUser>>& map) {
    const AddressContext context = AddressContextOf(set, board);
    const AddressOffsets offsets = ComputeAddressOffsets(board.image);
    const int firstDcc = FirstDccOutput(board.image.module, set.numberingBase);
    const int firstXDcc = FirstXDccOutput(board.image.module, set.numberingBase);
    for (std::size_t p = 0; p < board.image.pins.size(); ++p) {
        const PinRecord& pin = board.image.pins[p];
        if (!PinInUse(pin))
            continue;
        const AddressUser user{board.address, static_cast<int>(p), pin.description};
        for (int k = 0; k < pin.dccAddressCount; ++k)
            Answer(map, AddressKind::Dcc, firstDcc + offsets.dcc[p] + k, user);
        for (int k = 0; k < pin.xdccAddressCount; ++k)
            Answer(map, AddressKind::XDcc, firstXDcc + offsets.xdcc[p] + k, user);
        for (int k = 0; k < pin.lumoAddressCount; ++k)
            if (const auto address = SerialAddressAt(context, offsets.serial[p] + k))
                Answer(map, AddressKind::Serial, *address, user);
    }
}

} // namespace

const char* AddressKindWords(AddressKind kind) {
    switch (kind) {
    case AddressKind::Dcc:
        return "DCC address";
    case AddressKind::XDcc:
        return "eXtended DCC address";
    case AddressKind::Serial:
        return "serial address";
    }
    return "";
}

std::vector<AddressEntry> MapAddresses(const BoardSet& set) {
    std::map<AddressKey, std::vector<AddressUser>> map;
    for (const Board& board : set.boards)
        MapBoard(set, board, map);
    std::vector<AddressEntry> entries;
    entries.reserve(map.size());
    for (auto& [key, users] : map)
        entries.push_back({key.first, key.second, std::move(users)});
    return entries;
}

std::string UserWords(const AddressUser& user, int numberingBase) {
    return ModuleWords(user.module, numberingBase) + " pin " + std::to_string(user.pin + numberingBase);
}

std::string ConflictLine(const AddressEntry& entry, int numberingBase) {
    std::string line = std::string(AddressKindWords(entry.kind)) + " " + std::to_string(entry.address) + ": ";
    for (std::size_t i = 0; i < entry.users.size(); ++i) {
        if (i > 0)
            line += i + 1 == entry.users.size() ? " and " : ", ";
        line += UserWords(entry.users[i], numberingBase);
    }
    return line;
}

std::vector<std::string> AddressMapLines(const std::vector<AddressEntry>& entries, int numberingBase) {
    std::vector<std::string> lines;
    std::vector<std::string> conflicts;
    for (const AddressEntry& entry : entries) {
        const std::string head = std::string(AddressKindWords(entry.kind)) + " " + std::to_string(entry.address) + ": ";
        for (const AddressUser& user : entry.users)
            lines.push_back(head + UserWords(user, numberingBase));
        if (entry.conflict())
            conflicts.push_back(ConflictLine(entry, numberingBase));
    }
    if (conflicts.empty())
        lines.emplace_back("No address conflicts");
    lines.insert(lines.end(), conflicts.begin(), conflicts.end());
    return lines;
}

std::vector<AddressRun> AddressRuns(const std::vector<AddressEntry>& entries) {
    std::vector<AddressRun> runs;
    for (const AddressEntry& entry : entries) {
        if (!runs.empty()) {
            AddressRun& run = runs.back();
            if (run.kind == entry.kind && run.last + 1 == entry.address && run.users == entry.users) {
                run.last = entry.address;
                continue;
            }
        }
        runs.push_back({entry.kind, entry.address, entry.address, entry.users});
    }
    return runs;
}

} // namespace vexa
