#include "SimulatorRun.h"

#include "../files/ConfigFileTestSupport.h"
#include "files/ConfigFileWriter.h"

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

// A file may hold a longer ID string than the controller keeps: the write cuts it and says so
// in one line, also when the ID is one item of a whole write.
TEST(CliSimulator, AWriteThatCutsTheIdStringSaysSo) {
    test::TemporaryFolder folder;
    ConfigurationImage image;
    image.module.idString = "Goods yard east";
    image.module.enforcedXAddress = false; // the file holds all a write sends
    image.enableMap = EnableMap{};
    const std::string path = folder.file("long.dat");
    test::WriteBytes(path, FormatConfigurationFile(image, false));
    SimulatorRun cli;
    ASSERT_EQ(cli.run({"--port", "sim", "load", path, "write-all", "read-id"}), ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.err.str(), "ID string cut to 12 characters: Goods yard e\n");
    EXPECT_EQ(cli.out.str().substr(cli.out.str().rfind('\n', cli.out.str().size() - 2) + 1), "Goods yard e\n");
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
