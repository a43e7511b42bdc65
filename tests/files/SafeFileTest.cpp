#include "ConfigFileTestSupport.h"

#include "files/SafeFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
    // The temporary name is longer than the target's: a name that just fits leaves it no room.
    const std::string target = folder.file(std::string(250, 'k') + ".dat");
    WriteBytes(target, "old");
    std::string error;
    EXPECT_FALSE(ReplaceFileBytes(target, "new", error));
    EXPECT_NE(error.find("cannot be created"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(target), "old");
}

TEST(SafeFileTest, TheSavedFileKeepsItsPermissionsAndOtherFilesStayAlone) {
    namespace fs = std::filesystem;
    TemporaryFolder folder;
    const std::string target = folder.file("p.dat");
    WriteBytes(target, "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    WriteBytes(TemporaryFileFor(target), "a file of the user's own");
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(target, "new", error)) << error;
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
    EXPECT_EQ(ReadBytes(TemporaryFileFor(target)), "a file of the user's own");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(SafeFileTest, ANamedPipeIsRefusedWithoutWaitingOnIt) {
    TemporaryFolder folder;
    const std::string pipe = folder.file("pipe.dat");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(ReplaceFileBytes(pipe, "new", error));
    EXPECT_EQ(error, "it is not a regular file");
    std::string read;
    error.clear();
    EXPECT_FALSE(ReadFileBytes(pipe, 1000, read, error));
    EXPECT_EQ(error, "it is not a regular file");
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
