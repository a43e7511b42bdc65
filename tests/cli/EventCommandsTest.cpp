#include "cli/CliRunner.h"
#include "core/Clock.h"
#include "link/SystemPortProvider.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::cli {
namespace {

TEST(EventCommands, EnableMapSetWrittenAndReadBack) {
    const std::unique_ptr<PortProvider> provider = MakeSystemPortProvider(SimulatorPortMakers());
    PortProvider& ports = *provider;
    SystemClock clock;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(
        RunCli({"--port", "sim", "set-enable-map", "1010", "0001", "write-events", "read-events", "verify-events"},
               ports, clock, out, err),
        ExitSuccess)
        << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Pin 32 ON: 0 0 0 0 OFF: 0 0 0 0\nInitial enable ON: 1 0 1 0 OFF: 0 0 0 1\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Verify OK\n"), std::string::npos) << text;

    err.str("");
    EXPECT_EQ(RunCli({"set-enable-map", "1111", "11"}, ports, clock, out, err), ExitFailure);
    EXPECT_NE(err.str().find("Invalid enable map"), std::string::npos) << err.str();
}

} // namespace
} // namespace vexa::cli
