// Sequence walks: seeded random walks over the operations against simulated controllers, with
// the program's claims checked against the controllers after every step (see Walk.h). CI plays
// a fixed set of seeds; scripts/soak plays fresh seeds for as long as it is given.

#include "Walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

namespace vexa::sequence {
namespace {

constexpr int StepsPerWalk = 30;

void PlaySeeds(unsigned first, unsigned count, bool layout) {
    for (unsigned seed = first; seed < first + count; ++seed)
        EXPECT_EQ(RunWalk(seed, StepsPerWalk, layout), "");
}

TEST(SequenceWalk, CommandLineAndWindowWalksKeepEveryInvariant) {
    PlaySeeds(1, 12, false);
}

TEST(SequenceWalk, MoreWalksKeepEveryInvariant) {
    PlaySeeds(13, 12, false);
}

TEST(SequenceWalk, LayoutWalksKeepEveryInvariant) {
    PlaySeeds(1, 4, true);
}

// Layout walks a soak once failed: a backup or a refused restore that met another controller
// behind the user's own address left the window showing the old one's parts as unchanged.
TEST(SequenceWalk, LayoutWalksThatMetASwappedControllerKeepEveryInvariant) {
    for (unsigned seed : {9300184u, 9300376u, 9300472u})
        EXPECT_EQ(RunWalk(seed, StepsPerWalk, true), "") << "seed " << seed;
}

// scripts/soak: VEXA_SOAK_SECONDS of walks from seed VEXA_SOAK_SEED on (one in eight a layout
// walk); prints how many walks and steps were played and every failure.
TEST(SequenceWalk, Soak) {
    const char* seconds = std::getenv("VEXA_SOAK_SECONDS");
    if (!seconds)
        GTEST_SKIP() << "set VEXA_SOAK_SECONDS (scripts/soak)";
    const char* first = std::getenv("VEXA_SOAK_SEED");
    unsigned seed = first ? static_cast<unsigned>(std::stoul(first)) : 1000;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::stoi(seconds));
    long walks = 0;
    std::size_t steps = 0;
    long failures = 0;
    while (std::chrono::steady_clock::now() < end) {
        const bool layout = seed % 8 == 0;
        const std::string report = RunWalk(seed, StepsPerWalk, layout);
        steps += DrawWalk(seed, StepsPerWalk, layout).steps.size(); // the steps drawn aside included
        ++walks;
        ++seed;
        if (!report.empty()) {
            ++failures;
            std::cout << report << std::flush;
        }
    }
    std::cout << "soak: " << walks << " walks, " << steps << " steps, " << failures << " failures, next seed " << seed
              << std::endl;
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace vexa::sequence
