// Which controllers the documents describe, at which module addresses, and what is said of a
// source that cannot be read.

#include "documents/Boards.h"

#include "files/ConfigFileWriter.h"
#include "layout/LayoutFile.h"

#include "../files/ConfigFileTestSupport.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TemporaryFolder;

std::string DataFile(const std::string& id) {
    ConfigurationImage image;
    image.module.idString = id;
    return FormatConfigurationFile(image, true);
}

std::vector<std::pair<int, std::string>> AddressesAndIds(const BoardSet& set) {
    std::vector<std::pair<int, std::string>> found;
    for (const Board& board : set.boards)
        found.emplace_back(board.address, board.image.module.idString);
    return found;
}

TEST(Boards, ABackupsFileNamesGiveTheModuleAndOtherFilesTakeTheFreeAddresses) {
    TemporaryFolder folder;
    test::WriteBytes(folder.file("module-2.dat"), DataFile("Two"));
    test::WriteBytes(folder.file("station.dat"), DataFile("Station"));
    test::WriteBytes(folder.file("yard.dat"), DataFile("Yard"));
    BoardSet set;
    std::string problem;
    // Base 1: module-2.dat is stored address 1; the others from stored 0 on, skipping 1.
    ASSERT_TRUE(ReadBoards({folder.file("station.dat"), folder.file("module-2.dat"), folder.file("yard.dat")}, 1, 0,
                           set, problem))
        << problem;
    EXPECT_EQ(AddressesAndIds(set),
              (std::vector<std::pair<int, std::string>>{{0, "Station"}, {1, "Two"}, {2, "Yard"}}));
    EXPECT_FALSE(set.layout);

    TemporaryFolder other;
    test::WriteBytes(other.file("module-2.dat"), DataFile("Other"));
    EXPECT_FALSE(ReadBoards({folder.file("module-2.dat"), other.file("module-2.dat")}, 1, 0, set, problem));
    EXPECT_NE(problem.find("are both module 2"), std::string::npos) << problem;
}

TEST(Boards, ALayoutFolderGivesItsListedControllersAndABrokenFileIsNamedWithItsLine) {
    TemporaryFolder folder;
    test::WriteBytes(folder.file("module-1.dat"), DataFile("Station"));
    test::WriteBytes(folder.file("module-5.dat"), DataFile("Signals"));
    test::WriteBytes(
        folder.file(LayoutFileName),
        FormatLayoutFile({{0, "Station", "3.1.0.12", "module-1.dat"}, {4, "Signals", "", "module-5.dat"}}, 1));
    BoardSet set;
    std::string problem;
    ASSERT_TRUE(ReadBoards({folder.path().string()}, 1, 0, set, problem)) << problem;
    EXPECT_TRUE(set.layout);
    EXPECT_EQ(AddressesAndIds(set), (std::vector<std::pair<int, std::string>>{{0, "Station"}, {4, "Signals"}}));
    EXPECT_EQ(set.boards.front().version, "3.1.0.12");
    EXPECT_EQ(set.title, folder.path().filename().string());

    // A data file that breaks off: the message names it and the line.
    std::string broken = DataFile("Signals");
    broken.resize(broken.find("\"Eof\""));
    test::WriteBytes(folder.file("module-5.dat"), broken);
    EXPECT_FALSE(ReadBoards({folder.path().string()}, 1, 0, set, problem));
    EXPECT_NE(problem.find(folder.file("module-5.dat")), std::string::npos) << problem;
    EXPECT_NE(problem.find("Line "), std::string::npos) << problem;

    EXPECT_FALSE(ReadBoards({folder.path().string(), folder.file("module-1.dat")}, 1, 0, set, problem));
    EXPECT_NE(problem.find("give a layout folder alone"), std::string::npos) << problem;
}

} // namespace
} // namespace vexa
