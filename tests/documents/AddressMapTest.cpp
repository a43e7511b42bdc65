// The address map against worked examples, each number derived by hand from the rules of the
// pin page's address labels.

#include "documents/AddressMap.h"

#include "module/AddressLabels.h"

#include <gtest/gtest.h>

#include <utility>

namespace vexa {
namespace {

// A board at a stored module address whose pins `inUse` are PWM outputs, every count 1 unless
// set otherwise.
Board MakeBoard(int address, std::initializer_list<int> inUse) {
    Board board;
    board.address = address;
    for (int pin : inUse)
        board.image.pins[static_cast<std::size_t>(pin)].configType = 2;
    return board;
}

BoardSet MakeSet(int base, std::vector<Board> boards) {
    BoardSet set;
    set.numberingBase = base;
    set.boards = std::move(boards);
    return set;
}

// The addresses of a kind, each with its users as "module.pin" (as shown).
std::vector<std::pair<int, std::string>> Addresses(const BoardSet& set, AddressKind kind) {
    std::vector<std::pair<int, std::string>> found;
    for (const AddressEntry& entry : MapAddresses(set))
        if (entry.kind == kind)
            for (const AddressUser& user : entry.users)
                found.emplace_back(entry.address, std::to_string(user.module + set.numberingBase) + "." +
                                                      std::to_string(user.pin + set.numberingBase));
    return found;
}

using Found = std::vector<std::pair<int, std::string>>;

TEST(AddressMap, TwoBoardsOnOneDccOutputAreAConflictInTheWordsOfTheReport) {
    // Module 2: basic address 10 without "Allow Address 0": first output (10 - 1) x 4 + 1 = 37.
    // Pin 1 takes 3 outputs (37..39), pins 2..6 one each (40..44), so pin 7 answers to 45.
    Board two = MakeBoard(1, {0, 1, 2, 3, 4, 5, 6});
    two.image.module.dccAddress = 10;
    two.image.pins[0].dccAddressCount = 3;
    // Module 5: basic address 12: first output (12 - 1) x 4 + 1 = 45, pin 1's. Its eXtended DCC
    // addresses start at 50, away from module 2's 1..7.
    Board five = MakeBoard(4, {0});
    five.image.module.dccAddress = 12;
    five.image.module.xdccAddress = 50;
    const BoardSet set = MakeSet(1, {two, five});

    const Found dcc = Addresses(set, AddressKind::Dcc);
    EXPECT_EQ(dcc.front(), (std::pair<int, std::string>{37, "2.1"}));
    EXPECT_EQ(dcc.back(), (std::pair<int, std::string>{45, "5.1"}));
    EXPECT_EQ(dcc.size(), 10u); // 37..45, and 45 twice
    std::vector<std::string> conflicts;
    for (const AddressEntry& entry : MapAddresses(set))
        if (entry.conflict())
            conflicts.push_back(ConflictLine(entry, set.numberingBase));
    EXPECT_EQ(conflicts, std::vector<std::string>{"DCC address 45: module 2 pin 7 and module 5 pin 1"});

    const std::vector<std::string> lines = AddressMapLines(MapAddresses(set), set.numberingBase);
    EXPECT_EQ(lines.back(), "DCC address 45: module 2 pin 7 and module 5 pin 1");
    EXPECT_EQ(lines.front(), "DCC address 37: module 2 pin 1");
}

TEST(AddressMap, AllowAddressZeroCountsFromTheNumberingBase) {
    for (const auto& [base, firstDcc, firstExtended] : {std::tuple{0, 0, 0}, {1, 1, 1}}) {
        // Basic address 0 with "Allow Address 0": first output (0 - 1 + 1) x 4 + base; the
        // eXtended address 0 is shown as 0 + base.
        Board board = MakeBoard(0, {0});
        board.image.module.dccAllowZero = true;
        board.image.module.dccAddress = 0;
        board.image.module.xdccAddress = 0;
        const BoardSet set = MakeSet(base, {board});
        const std::string pin = std::to_string(base) + "." + std::to_string(base);
        EXPECT_EQ(Addresses(set, AddressKind::Dcc), (Found{{firstDcc, pin}})) << base;
        EXPECT_EQ(Addresses(set, AddressKind::XDcc), (Found{{firstExtended, pin}})) << base;
    }
}

TEST(AddressMap, EachPinTakesAsManyExtendedAddressesAsItsCount) {
    // eXtended address 100: pin 1 answers to 100, pin 2 (count 0) to none, pin 3 to 101.
    Board board = MakeBoard(0, {0, 1, 2});
    board.image.module.xdccAddress = 100;
    board.image.pins[1].xdccAddressCount = 0;
    EXPECT_EQ(Addresses(MakeSet(1, {board}), AddressKind::XDcc), (Found{{100, "1.1"}, {101, "1.3"}}));
}

// Pins 1..5 take 6 serial addresses each, so pin 6 starts at serial offset 30 and takes 3.
Board SerialBoard() {
    Board board = MakeBoard(1, {5});
    for (int pin = 0; pin < 5; ++pin)
        board.image.pins[static_cast<std::size_t>(pin)].lumoAddressCount = 6;
    board.image.pins[5].lumoAddressCount = 3;
    return board;
}

TEST(AddressMap, SerialAddressesFollowTheModesOfTheSerialLabel) {
    // Neither flex nor native, module 2 (stored 1), base 1: 1 x 32 + 1 + offset, for offsets
    // below 32 only: 63 and 64; offset 32 is not reachable.
    Board board = SerialBoard();
    EXPECT_EQ(Addresses(MakeSet(1, {board}), AddressKind::Serial), (Found{{63, "2.6"}, {64, "2.6"}}));
    EXPECT_EQ(SerialAddressLabel(AddressContextOf(MakeSet(1, {board}), board), 5), "63");

    // Native, base 0: 1 x 128 + 0 + offset: 158, 159, 160.
    board.image.module.nativeMode = true;
    EXPECT_EQ(Addresses(MakeSet(0, {board}), AddressKind::Serial), (Found{{158, "1.5"}, {159, "1.5"}, {160, "1.5"}}));

    // Flex from block 5, base 1: 1 + offset + 5 x 4, whatever the module address: 51, 52, 53.
    board.image.module.lumoFlexAddressing = true;
    board.image.module.lumoFlexBlock = 5;
    EXPECT_EQ(Addresses(MakeSet(1, {board}), AddressKind::Serial), (Found{{51, "2.6"}, {52, "2.6"}, {53, "2.6"}}));
}

TEST(AddressMap, EmptyPinsAnswerToNothingAndThreeUsersAreListedInOneLine) {
    const BoardSet empty = MakeSet(1, {MakeBoard(0, {})});
    EXPECT_TRUE(MapAddresses(empty).empty());
    EXPECT_EQ(AddressMapLines(MapAddresses(empty), 1), std::vector<std::string>{"No address conflicts"});

    // Three boards with the same basic address: output 1 is pin 1 of each.
    const BoardSet three = MakeSet(1, {MakeBoard(0, {0}), MakeBoard(1, {0}), MakeBoard(2, {0})});
    const AddressEntry first = MapAddresses(three).front();
    EXPECT_EQ(ConflictLine(first, 1), "DCC address 1: module 1 pin 1, module 2 pin 1 and module 3 pin 1");
}

} // namespace
} // namespace vexa
