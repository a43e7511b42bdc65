#include "cli/CliRunner.h"
#include "core/Clock.h"
#include "link/SystemPortProvider.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::cli {
namespace {

// The live commands against the in-process simulated controller: what it received.
TEST(CliLiveCommands, SlowAndDynamicChooseTheMovingFormsAndNegativePositionsAreArguments) {
    const std::unique_ptr<PortProvider> provider = MakeSystemPortProvider(SimulatorPortMakers());
    PortProvider& ports = *provider;
    SystemClock clock;
    std::ostringstream out;
    std::ostringstream err;
    const std::shared_ptr<Simulator> sim = SimulatorBehind(ports.makePort(SimulatorPortName).get());
    ASSERT_NE(sim, nullptr);
    ASSERT_EQ(RunCli({"--port", "sim", "pwm", "2", "20", "servo", "1", "-10", "set-address-aspect", "3", "1"}, ports,
                     clock, out, err),
              ExitSuccess)
        << err.str();
    ASSERT_EQ(RunCli({"--port", "sim", "--slow", "--dynamic", "--base", "0", "pwm", "1", "5", "servo", "0", "63"},
                     ports, clock, out, err),
              ExitSuccess)
        << err.str();
    std::vector<std::vector<std::uint8_t>> live;
    for (const SimReceivedRequest& request : sim->requests())
        if (request.data.size() == 4 && request.data[0] == 0)
            live.push_back(request.data);
    EXPECT_EQ(live, (std::vector<std::vector<std::uint8_t>>{
                        {0, 38, 1, 20}, {0, 39, 0, 54}, {0, 1, 3, 1}, {0, 54, 1, 5}, {0, 55, 0, 127}}));

    EXPECT_EQ(RunCli({"--port", "sim", "pwm", "2", "32"}, ports, clock, out, err), ExitFailure);
    EXPECT_NE(err.str().find("Invalid PWM level \"32\": give a number from 0 to 31"), std::string::npos) << err.str();
}

} // namespace
} // namespace vexa::cli
