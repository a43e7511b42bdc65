// What only a POSIX system has: owners, groups and permission bits, named pipes, symbolic links.

#include "../ConfigFileTestSupport.h"

#include "files/SafeFile.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexa::test {
namespace {

namespace fs = std::filesystem;

// Whether the user running the test gets past the file permissions the way the superuser does.
bool RunsAsSuperuser() {
    return ::geteuid() == 0;
}

TEST(SafeFileTest, WhatTheUsersRightsForbidIsRefusedAndTheOldFileStays) {
    struct Case {
        const char* name;
        fs::perms file;
        fs::perms folder;
        bool refused;
        std::string error; // what the refusal names, after the folder's path
    };
    const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
    const fs::perms r = fs::perms::owner_read | fs::perms::group_read;
    const fs::perms rwx = fs::perms::owner_all;
    const fs::perms rx = fs::perms::owner_read | fs::perms::owner_exec;
    // Write permission for the group only: the owner may not write, the superuser may.
    const fs::perms groupWrite = fs::perms::owner_read | fs::perms::group_read | fs::perms::group_write;
    const std::vector<Case> cases{
        {"writable file", rw, rwx, false, ""},
        {"mode 0440", r, rwx, true, "/a.dat is read-only"},
        {"folder without write permission", rw, rx, true, " is read-only"},
        {"group may write, owner not", groupWrite, rwx, !RunsAsSuperuser(), "/a.dat (Permission denied)"},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        const std::string target = folder.file("a.dat");
        WriteBytes(target, "old");
        fs::permissions(target, c.file);
        fs::permissions(folder.path(), c.folder);
        std::string error;
        const bool saved = ReplaceFileBytes(target, "new", error);
        fs::permissions(folder.path(), rwx);
        EXPECT_EQ(saved, !c.refused) << c.name << ": " << error;
        EXPECT_EQ(ReadBytes(target), c.refused ? "old" : "new") << c.name;
        if (c.refused) {
            EXPECT_EQ(error.substr(error.find(folder.path().string()) + folder.path().string().size()), c.error)
                << c.name << ": " << error;
        }
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, c.file) << c.name;
        EXPECT_EQ(NamesIn(folder.path()).size(), 1u) << c.name;
    }
}

TEST(SafeFileTest, TheReplacedFileKeepsItsOwnerAndGroupWhereTheSystemAllows) {
    TemporaryFolder folder;
    const std::string target = folder.file("o.dat");
    WriteBytes(target, "old");
    // The superuser may give the file to anybody; another user only to a group of its own.
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    if (RunsAsSuperuser()) {
        owner = 4321;
        group = 8765;
    } else {
        std::vector<gid_t> groups(static_cast<std::size_t>(::getgroups(0, nullptr)));
        groups.resize(static_cast<std::size_t>(::getgroups(static_cast<int>(groups.size()), groups.data())));
        for (const gid_t g : groups)
            if (g != group)
                group = g;
    }
    ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(target, "new", error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
}

TEST(SafeFileTest, TheSavedFileKeepsItsPermissionsAndOtherFilesStayAlone) {
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

} // namespace
} // namespace vexa::test
