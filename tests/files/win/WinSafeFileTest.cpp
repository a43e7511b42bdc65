// What only Windows has: file attributes that a save keeps or that refuse it.

#include "../ConfigFileTestSupport.h"

#include "core/Platform.h"
#include "files/SafeFile.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vexa::test {
namespace {

DWORD AttributesOf(const std::string& path) {
    return ::GetFileAttributesW(PathFromUtf8(path).c_str());
}

TEST(SafeFileTest, TheReplacedFileKeepsItsAttributesAndAReadOnlyOneIsRefused) {
    struct Case {
        const char* name;
        DWORD attributes;
        bool refused;
    };
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    const std::vector<Case> cases{
        {"plain", FILE_ATTRIBUTE_NORMAL, false},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
        {"read-only", FILE_ATTRIBUTE_READONLY, true},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        const std::string target = folder.file("a.dat");
        WriteBytes(target, "old");
        WriteBytes(TemporaryFileFor(target), "a file of the user's own");
        ASSERT_TRUE(::SetFileAttributesW(PathFromUtf8(target).c_str(), c.attributes)) << c.name;
        std::string error;
        EXPECT_EQ(ReplaceFileBytes(target, "new", error), !c.refused) << c.name << ": " << error;
        EXPECT_EQ(error, c.refused ? "the file " + target + " is read-only" : "") << c.name;
        EXPECT_EQ(ReadBytes(target), c.refused ? "old" : "new") << c.name;
        EXPECT_EQ(AttributesOf(target) & kept, c.attributes & kept) << c.name;
        EXPECT_EQ(ReadBytes(TemporaryFileFor(target)), "a file of the user's own") << c.name;
        EXPECT_EQ(NamesIn(folder.path()).size(), 2u) << c.name;
        ::SetFileAttributesW(PathFromUtf8(target).c_str(), FILE_ATTRIBUTE_NORMAL); // so that it can be removed
    }
}

} // namespace
} // namespace vexa::test
