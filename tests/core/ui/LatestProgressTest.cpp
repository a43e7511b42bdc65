// A progress line told by an operation on another thread: it shows on its own thread, the
// latest of what it was told, not every call.

#include "core/ui/LatestProgress.h"

#include <QObject>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vexa {
namespace {

TEST(LatestProgress, ABurstFromAnotherThreadShowsOnTheLinesThreadAndEndsWithItsLatestCount) {
    constexpr int Total = 20000;
    QObject line;
    std::vector<std::string> stages;
    std::vector<std::pair<int, int>> counts;
    bool elsewhere = false;
    const auto onLine = [&elsewhere, &line] { elsewhere = elsewhere || QThread::currentThread() != line.thread(); };
    LatestProgress latest(
        &line,
        [&](const std::string& text) {
            onLine();
            stages.push_back(text);
        },
        [&](int done, int total) {
            onLine();
            counts.emplace_back(done, total);
        });
    latest.start();
    std::thread operation([&latest] {
        latest.stage("Write All Devices");
        for (int done = 1; done <= Total; ++done)
            latest.count(done, Total);
    });
    EXPECT_TRUE(QTest::qWaitFor([&counts] { return !counts.empty() && counts.back().first == Total; }, 30000));
    operation.join();
    latest.stop();

    EXPECT_FALSE(elsewhere);
    EXPECT_EQ(stages, std::vector<std::string>{"Write All Devices"});
    EXPECT_LT(counts.size(), static_cast<std::size_t>(Total / 10)); // the latest of each burst only
    EXPECT_EQ(counts.back(), std::make_pair(Total, Total));

    // Told on its own thread it shows at once; a new stage starts the count again (a busy bar).
    latest.count(3, 9);
    EXPECT_EQ(counts.back(), std::make_pair(3, 9));
    const std::size_t shownCounts = counts.size();
    latest.stage("Verify All");
    latest.stop();
    EXPECT_EQ(stages.back(), "Verify All");
    EXPECT_EQ(counts.size(), shownCounts);
}

} // namespace
} // namespace vexa
