#include "ConfigFileTestSupport.h"

#include "core/Platform.h"
#include "files/SafeFile.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(NamesIn(folder.path()).size(), 1u) << c.failing; // no temporary file is left
    }
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

TEST(SafeFileTest, ANameWithLettersBeyondAsciiIsSavedAndReadUnderThatName) {
    TemporaryFolder folder;
    const std::string name = "M\xC3\xBCller \xE2\x80\x93 Stellwerk.dat"; // UTF-8, as names come in
    const std::string target = folder.file(name);
    std::string error;
    ASSERT_TRUE(ReplaceFileBytes(target, "first", error)) << error;
    ASSERT_TRUE(ReplaceFileBytes(target, "second", error)) << error;
    std::string read;
    ASSERT_TRUE(ReadFileBytes(target, 1000, read, error)) << error;
    EXPECT_EQ(read, "second");
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{name});
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
    EXPECT_FALSE(ReadFileBytes(Utf8FromPath(folder.path()), 1000, read, error));
    EXPECT_EQ(error, "it is a folder");
}

} // namespace
} // namespace vexa::test
