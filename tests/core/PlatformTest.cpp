#include "core/Platform.h"
#include "core/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace vexa {
namespace {

// Waits run on the system's steady clock, which a change of the time of day does not move: a
// reading lies between two readings of it taken around it, and a pause shows in full.
TEST(Platform, TheClockOfWaitsIsTheSteadyClock) {
    using std::chrono::steady_clock;
    const auto seconds = [](steady_clock::time_point t) {
        return std::chrono::duration<double>(t.time_since_epoch()).count();
    };
    SystemClock clock;
    const double before = seconds(steady_clock::now());
    const double reading = clock.steadySeconds();
    const double after = seconds(steady_clock::now());
    EXPECT_LE(before, reading);
    EXPECT_LE(reading, after);
    clock.pauseMs(20);
    EXPECT_GE(clock.steadySeconds() - reading, 0.02);
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
