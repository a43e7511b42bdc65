// The link over a real serial port adapter, against vexa-sim on a pseudo-terminal.

#include "link/PortSetup.h"
#include "link/qt/QtPortProvider.h"
#include "module/Identity.h"
#include "sim/SimulatorPort.h"

#include "ProcessRunner.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(LateAnswerPty, AnAnswerAfterTheWaitDoesNotPutTheLinkOneAnswerBehind) {
    test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--fault", "late:1", "--late-ms", "2300"});
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    test::RecordingPrompter prompter;
    SystemClock clock;
    QtPortProvider ports{SimulatorPortMakers()};
    Session session(prompter, clock, ports);
    ASSERT_TRUE(SelectPort(session, sim.device())) << prompter.last();

    EXPECT_FALSE(ReadVersion(session));
    // The late answer comes 0.3 s into the next wait: it is dropped there.
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(ReadIdString(session)) << prompter.last();
        EXPECT_TRUE(ReadVersion(session)) << prompter.last();
    }
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
    EXPECT_NE(session.trace.text().find("dropped [43] [66] [70] [00]"), std::string::npos) << session.trace.text();
}

} // namespace
} // namespace vexa
