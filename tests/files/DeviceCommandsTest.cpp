#include "ConfigFileTestSupport.h"

#include "core/Platform.h"
#include "cli/CliRunner.h"
#include "core/Clock.h"
#include "link/SystemPortProvider.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::test {
namespace {

struct DeviceCli {
    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return cli::RunCli(args, ports, clock, out, err, ProgramFolder());
    }
    const std::unique_ptr<PortProvider> provider = MakeSystemPortProvider(SimulatorPortMakers());
    PortProvider& ports = *provider;
    SystemClock clock;
    std::ostringstream out;
    std::ostringstream err;
};

TEST(DeviceCommands, ListLoadWriteVerifyAndSaveFromTheCommandLine) {
    DeviceCli cli;
    ASSERT_EQ(cli.run({"devices"}), cli::ExitSuccess) << cli.err.str();
    EXPECT_TRUE(cli.out.str().starts_with("Signal 2 aspects\nSignal 3 aspects\n")) << cli.out.str();
    EXPECT_TRUE(cli.out.str().ends_with("\nStandard devices 1.0\n"));

    // The simulated controller starts with a demonstration on pins 1..3: read it first.
    ASSERT_EQ(cli.run({"--port", "sim", "read-all-pins", "load-device", "Signal 3 aspects", "5", "write-device", "5",
                       "verify-pins"}),
              cli::ExitSuccess)
        << cli.err.str() << cli.out.str();
    EXPECT_TRUE(cli.out.str().ends_with("Verify OK\n")) << cli.out.str();

    TemporaryFolder folder;
    const std::string saved = folder.file("signal.def");
    ASSERT_EQ(cli.run({"load-device", "Signal 3 aspects", "31", "load-device", "Signal 2 aspects", "32", "save-device",
                       "1", saved}),
              cli::ExitSuccess)
        << cli.err.str();
    EXPECT_NE(cli.err.str().find("The following Pin numbers were already used: \n\r 31, 0"), std::string::npos)
        << cli.err.str();
    const std::vector<std::string> lines = SplitCrLfLines(ReadBytes(saved));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\"Dev\",\"Signal 2 aspects\"");

    // Two libraries: the first replaces the standard one, the second is appended.
    const std::string extra = folder.file("extra.def");
    WriteBytes(extra, JoinCrLf({"\"VexaDeviceDefinitions Extra\"", "\"Dev\",\"Crane\"", "\"End\""}));
    ASSERT_EQ(cli.run({"--library", saved, "--library", extra, "devices"}), cli::ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Signal 2 aspects\nCrane\nSignal 2 aspects + Extra\n");
    EXPECT_EQ(cli.run({"--library", extra, "load-device", "Signal 3 aspects", "1"}), cli::ExitFailure);
    EXPECT_NE(cli.err.str().find("not a device of the loaded definitions"), std::string::npos) << cli.err.str();
}

} // namespace
} // namespace vexa::test
