#include "SimulatorRun.h"

#include <gtest/gtest.h>

#include <regex>

namespace vexa::cli {
namespace {

using test::SimulatorRun;

TEST(CliSimulator, IdentityCommandsRunInOrder) {
    SimulatorRun cli;
    ASSERT_EQ(cli.run({"--port", "sim", "version", "read-id", "write-id", "Depot", "read-id"}), ExitSuccess)
        << cli.err.str();
    std::istringstream lines(cli.out.str());
    std::string version, before, after, extra;
    std::getline(lines, version);
    std::getline(lines, before);
    std::getline(lines, after);
    EXPECT_TRUE(std::regex_match(version, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+"))) << version;
    EXPECT_EQ(after, "Depot");
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_TRUE(cli.err.str().empty()) << cli.err.str();
}

// One simulated controller serves every port the provider makes, so what one run wrote,
// the next one reads.
TEST(CliSimulator, TheSimulatorKeepsItsStateForTheProvidersLifetime) {
    SimulatorRun cli;
    ASSERT_EQ(cli.run({"--port", "sim", "write-id", "Kept"}), ExitSuccess) << cli.err.str();
    ASSERT_EQ(cli.run({"--port", "sim", "--bitrate", "38400", "read-id"}), ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Kept\n");

    SimulatorRun fresh;
    ASSERT_EQ(fresh.run({"--port", "sim", "read-id"}), ExitSuccess);
    EXPECT_NE(fresh.out.str(), "Kept\n");
}

TEST(CliSimulator, OneWayWriteLeavesNoStrayAnswer) {
    SimulatorRun cli;
    ASSERT_EQ(cli.run({"--port", "sim", "--one-way", "write-id", "Quiet", "read-id"}), ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Quiet\n");
}

TEST(CliSimulator, TheSimulatedLayoutHasThreeControllersOfTheirOwn) {
    SimulatorRun cli;
    ASSERT_EQ(cli.run({"--port", "sim-layout", "scan"}), ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Module 1: \"Station\" 3.1.0.12\nModule 2: \"Goods Yard\" 3.1.0.12\n"
                             "Module 5: \"Main Signals\" 3.1.0.12\n");
    EXPECT_TRUE(cli.err.str().empty()) << cli.err.str();
}

TEST(CliSimulator, SimulatorIsListedLast) {
    const std::unique_ptr<PortProvider> provider = MakeSystemPortProvider(SimulatorPortMakers());
    PortProvider& ports = *provider;
    const std::vector<std::string> names = ports.scanPorts();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[names.size() - 3], "Simulator");
    EXPECT_EQ(names[names.size() - 2], "Simulator (Corvan)");
    EXPECT_EQ(names.back(), "Simulator (Layout)");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Simulator"), 1);
}

} // namespace
} // namespace vexa::cli
