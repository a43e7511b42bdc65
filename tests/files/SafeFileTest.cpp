#include "ConfigFileTestSupport.h"

#include "files/SafeFile.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexa::test {
namespace {

namespace fs = std::filesystem;
using Steps = std::vector<std::string>;

// The platform's save steps, recorded by name as they are called; the step named `failing`
// fails with `failure` instead of running.
class RecordingSaveSteps : public SaveSteps {
public:
    RecordingSaveSteps(const std::string& path, std::string failing = {}, std::string failure = {})
        : real_(PlatformSaveSteps(path)), failing_(std::move(failing)), failure_(std::move(failure)) {}

    SaveTarget inspect() override {
        steps.push_back("inspect");
        return real_->inspect();
    }
    bool writeTemporary(const std::string& bytes, std::string& error) override {
        return run("write", error) && real_->writeTemporary(bytes, error);
    }
    bool flushTemporary(std::string& error) override { return run("flush", error) && real_->flushTemporary(error); }
    bool replaceTarget(std::string& error) override { return run("replace", error) && real_->replaceTarget(error); }
    bool flushFolder(std::string& error) override { return run("flush folder", error) && real_->flushFolder(error); }
    void discardTemporary() override {
        steps.push_back("discard");
        real_->discardTemporary();
    }

    Steps steps;

private:
    bool run(const char* step, std::string& error) {
        steps.push_back(step);
        if (failing_ != step)
            return true;
        error = failure_;
        return false;
    }

    std::unique_ptr<SaveSteps> real_;
    std::string failing_;
    std::string failure_;
};

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SafeFileTest, TheStepsRunInOrderAndAFailedOneKeepsTheOldFile) {
    struct Case {
        std::string failing;
        Steps steps;
        std::string contents; // of the target afterwards
        std::string error;
    };
    const Steps full{"inspect", "write", "flush", "replace", "flush folder"};
    const std::vector<Case> cases{
        {"", full, "new", ""},
        {"write", {"inspect", "write", "discard"}, "old", "no space left"},
        {"flush", {"inspect", "write", "flush", "discard"}, "old", "no space left"},
        {"replace", {"inspect", "write", "flush", "replace", "discard"}, "old", "no space left"},
        {"flush folder", full, "new",
         "the new contents are in place, but the folder could not be flushed to the disk: no space left"},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        const std::string target = folder.file("a.dat");
        WriteBytes(target, "old");
        RecordingSaveSteps steps(target, c.failing, "no space left");
        std::string error;
        EXPECT_EQ(ReplaceFileBytesWith(steps, "new", error), c.failing.empty()) << c.failing;
        EXPECT_EQ(steps.steps, c.steps) << c.failing;
        EXPECT_EQ(ReadBytes(target), c.contents) << c.failing;
        EXPECT_EQ(error, c.error) << c.failing;
        EXPECT_EQ(EntriesIn(folder.path()), 1u) << c.failing; // no temporary file is left
    }
}

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
        EXPECT_EQ(EntriesIn(folder.path()), 1u) << c.name;
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
    EXPECT_EQ(error, "the folder " + folder.file("missing") + " does not exist");
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
