#include "ConfigFileTestSupport.h"

#include "files/SafeFile.h"

#include <gtest/gtest.h>

namespace vexa::test {
namespace {

TEST(SafeFileTest, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    TemporaryFolder folder;
    const std::string target = folder.file("a.dat");
    WriteBytes(target, "old contents that are longer");
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(target, std::string("new\r\n\0\xFF", 7), error)) << error;
    EXPECT_EQ(ReadBytes(target), std::string("new\r\n\0\xFF", 7));
    EXPECT_FALSE(std::filesystem::exists(TemporaryFileFor(target)));
}

TEST(SafeFileTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    TemporaryFolder folder;
    const std::string target = folder.file("keep.dat");
    WriteBytes(target, "old");
    // A folder where the temporary file must go stops the save, for root as well.
    std::filesystem::create_directory(TemporaryFileFor(target));
    std::string error;
    EXPECT_FALSE(ReplaceFileBytes(target, "new", error));
    EXPECT_NE(error.find("keep.dat.tmp"), std::string::npos) << error;
    EXPECT_NE(error.find("cannot be created"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(target), "old");
}

TEST(SafeFileTest, SavingIntoAMissingFolderOrOverAFolderFails) {
    TemporaryFolder folder;
    std::string error;
    EXPECT_FALSE(ReplaceFileBytes(folder.file("missing/x.dat"), "new", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing")));

    std::filesystem::create_directory(folder.file("dir.dat"));
    error.clear();
    EXPECT_FALSE(ReplaceFileBytes(folder.file("dir.dat"), "new", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("dir.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("dir.dat.tmp")));
}

TEST(SafeFileTest, SavingThroughALinkReplacesTheLinkedFile) {
    TemporaryFolder folder;
    const std::string real = folder.file("real.dat");
    const std::string link = folder.file("link.dat");
    WriteBytes(real, "old");
    std::filesystem::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(link, "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "new");
}

TEST(SafeFileTest, ReadingGivesEveryByteOrAReason) {
    TemporaryFolder folder;
    const std::string path = folder.file("r.dat");
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    WriteBytes(path, bytes);
    std::string read;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(path, 1 << 20, read, error)) << error;
    EXPECT_EQ(read, bytes);

    EXPECT_FALSE(ReadFileBytes(path, 1000, read, error));
    EXPECT_EQ(error, "the file is larger than 1000 bytes");
    EXPECT_FALSE(ReadFileBytes(folder.file("none.dat"), 1000, read, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(ReadFileBytes(folder.path().string(), 1000, read, error));
    EXPECT_EQ(error, "it is a folder");
}

} // namespace
} // namespace vexa::test
