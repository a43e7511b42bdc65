#include "link/Monitor.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(Monitor, PrintsOnlyValidFourByteAnswersAndStartsOnce) {
    LinkState link;
    link.answerValid = true;
    link.answerBuffer = {0x43, 0x64, 12, 0, 5, 100};
    EXPECT_EQ(ReportLine(link), "<12> <0> <5> <100> \r\n");
    link.answerBuffer[1] = 0x63; // three data bytes
    EXPECT_EQ(ReportLine(link), "");
    link.answerBuffer[1] = 0x64;
    link.answerValid = false;
    EXPECT_EQ(ReportLine(link), "");

    test::TestBench bench;
    EXPECT_TRUE(StartMonitoring(bench.session, false));
    EXPECT_TRUE(StartMonitoring(bench.session, true));
    StopMonitoring(bench.session);
    EXPECT_EQ(bench.session.monitorText.text(), "Start Monitoring\r\nMonitoring Stopped\r\n");
    bench.session.port.port->close();
    EXPECT_FALSE(StartMonitoring(bench.session, false));
    EXPECT_EQ(bench.prompter.last(), "Select Comm-port");
}

// The interface of a standing tunnel goes silent, or the user stops the poll while it waits:
// the tick fails (so the monitor ends) with at most one message.
TEST(Monitor, AFailedOrStoppedPollEndsTheMonitorWithAtMostOneMessage) {
    struct StopOnWait : Progress {
        bool stopRequested() override { return waits > 2; }
        void keepAlive() override { ++waits; }
        int waits = 0;
    };
    for (const bool stop : {false, true}) {
        test::TestBench bench;
        bench.session.link.useCorvan = true;
        StopOnWait stopping;
        if (stop)
            bench.session.progress = &stopping;
        const double start = bench.clock.now;
        std::string line;
        EXPECT_FALSE(MonitorTick(bench.session, line));
        EXPECT_EQ(bench.prompter.texts(),
                  stop ? std::vector<std::string>{} : std::vector<std::string>{"No answer from Corvan"});
        EXPECT_EQ(bench.clock.now - start < 1.0, stop);
        EXPECT_TRUE(bench.session.link.faultReported != stop);
    }
}

} // namespace
} // namespace vexa
