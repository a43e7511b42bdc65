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

} // namespace
} // namespace vexa
