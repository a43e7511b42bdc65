#include "cli/CliRunner.h"

#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::cli {
namespace {

// vexaconfig-cli on the in-process simulated controller, or on a port where nothing answers.
class BatchCommandsTest : public ::testing::Test {
protected:
    BatchCommandsTest() {
        ports.names = {SimulatorPortName, "silent"};
        ports.factory = [this](const std::string& name) -> std::unique_ptr<SerialPort> {
            if (name == SimulatorPortName)
                return MakeSimulatorPort(simulator);
            return std::make_unique<test::ScriptedPort>(&clock);
        };
    }

    int run(const std::vector<std::string>& args) {
        out.str({});
        err.str({});
        return RunCli(args, ports, clock, out, err);
    }

    std::shared_ptr<Simulator> simulator = MakeDefaultSimulator();
    test::FakeClock clock;
    test::ScriptedPortProvider ports;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BatchCommandsTest, VerifyAfterReadPrintsTheReportEndingInVerifyOk) {
    EXPECT_EQ(run({"--port", "sim", "read-all", "verify-all"}), ExitSuccess) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Read All done\n"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos); // plain line feeds on standard output
    ASSERT_GE(text.size(), 10u);
    EXPECT_EQ(text.substr(text.size() - 10), "Verify OK\n");
}

TEST_F(BatchCommandsTest, VerifyWithoutAReadFindsDifferencesAndFails) {
    // A fresh configuration differs from the simulated controller's pins.
    EXPECT_EQ(run({"--port", "sim", "verify-all"}), ExitFailure);
    EXPECT_NE(out.str().find("Verification Stopped"), std::string::npos) << out.str();
}

TEST_F(BatchCommandsTest, BatchesFailWithoutAnAnsweringController) {
    EXPECT_EQ(run({"--port", "silent", "read-all"}), ExitFailure);
    EXPECT_EQ(out.str().find("Read All done"), std::string::npos);
    EXPECT_NE(err.str().find("No response received"), std::string::npos) << err.str();
    EXPECT_EQ(run({"verify-all"}), ExitFailure);
    EXPECT_NE(err.str().find("Select communications port"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
}

TEST_F(BatchCommandsTest, WriteAllSendsTheLoadedIdString) {
    EXPECT_EQ(run({"--port", "sim", "write-id", "Depot", "write-all"}), ExitSuccess) << err.str();
    EXPECT_NE(out.str().find("Write All done\n"), std::string::npos);
    EXPECT_EQ(simulator->idString(), "Depot");
}

} // namespace
} // namespace vexa::cli
