#include "core/Platform.h"
#include "core/Clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace vexa {
namespace {

TEST(Platform, LocalTimeConvertsBothWaysAndTheClockRunsOnIt) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ASSERT_TRUE(LocalTime(now, local));
    std::tm back = local;
    EXPECT_EQ(std::mktime(&back), now);

    SystemClock clock;
    const double seconds = clock.secondsOfDay();
    const double expected = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    // Within two seconds, or both sides of midnight.
    const double apart = std::fabs(seconds - expected);
    EXPECT_TRUE(apart < 2.0 || apart > 86400.0 - 2.0) << seconds << " " << expected;
    EXPECT_GE(seconds, 0.0);
    EXPECT_LT(seconds, 86400.0);
}

TEST(Platform, TheProgramFolderAndUtf8NamesReachTheFileSystem) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    // The build puts the standard device library beside the test program.
    EXPECT_TRUE(std::filesystem::is_regular_file(PathFromUtf8(folder) / "VexaDevices.def")) << folder;
    const std::string name = "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x86\x92 Stellwerk.dat";
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(folder + "/" + name).filename()), name);
}

} // namespace
} // namespace vexa
