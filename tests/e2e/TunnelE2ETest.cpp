// vexaconfig-cli through a Corvan interface: vexa-sim --corvan on a pseudo-terminal, through
// the real serial port adapter.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

constexpr auto ProgramTimeLimit = std::chrono::seconds(60);

CliResult RunCli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(TunnelE2E, ReadsAndWritesThroughTheTunnelAsOnTheDirectLink) {
    vexa::test::DeviceServerProcess direct(VEXA_SIM_PATH, {});
    vexa::test::DeviceServerProcess tunnel(VEXA_SIM_PATH, {"--corvan", "--address", "19", "--report", "12,0,5,100"});
    ASSERT_FALSE(direct.device().empty());
    ASSERT_FALSE(tunnel.device().empty());
    const std::vector<std::string> commands{"read-id", "read-all-pins", "save", "", "write-all-pins", "verify-pins"};

    const std::string directFile = ::testing::TempDir() + "tunnel_e2e_direct.dat";
    const std::string tunnelFile = ::testing::TempDir() + "tunnel_e2e_tunnel.dat";
    std::vector<std::string> directRun = commands;
    directRun[3] = directFile;
    std::vector<std::string> tunnelRun = commands;
    tunnelRun[3] = tunnelFile;
    const CliResult viaDirect = RunCli(With({"--port", direct.device()}, directRun));
    const CliResult viaTunnel = RunCli(With({"--port", tunnel.device(), "--tunnel", "--address", "20"}, tunnelRun));
    ASSERT_EQ(viaDirect.status, 0) << viaDirect.out << viaDirect.err;
    ASSERT_EQ(viaTunnel.status, 0) << viaTunnel.out << viaTunnel.err;
    EXPECT_EQ(viaTunnel.out, viaDirect.out);
    EXPECT_EQ(SplitLines(viaTunnel.out).back(), "Verify OK");
    EXPECT_TRUE(viaTunnel.err.empty()) << viaTunnel.err;
    EXPECT_FALSE(FileText(tunnelFile).empty());
    EXPECT_EQ(FileText(tunnelFile), FileText(directFile));

    const CliResult monitored = RunCli({"--port", tunnel.device(), "--tunnel", "--address", "20", "monitor", "1"});
    ASSERT_EQ(monitored.status, 0) << monitored.err;
    EXPECT_EQ(monitored.out, "<12> <0> <5> <100> \n");

    // Module 19 is not there without the tunnel's bound, and another module does not answer.
    EXPECT_EQ(RunCli({"--port", tunnel.device(), "--address", "20", "read-id"}).status, 2);
    const CliResult elsewhere = RunCli({"--port", tunnel.device(), "--tunnel", "--address", "21", "read-id"});
    EXPECT_EQ(elsewhere.status, 1);
    EXPECT_EQ(SplitLines(elsewhere.err).front(), "No valid response received");
}

// The write's echo comes 500 ms late, while "version" waits: it is dropped, and no later
// exchange is one answer behind.
TEST(TunnelE2E, ALateEchoOfAWriteIsNotTakenAsTheNextAnswer) {
    vexa::test::DeviceServerProcess tunnel(VEXA_SIM_PATH, {"--corvan", "--fault", "late:1", "--late-ms", "500"});
    ASSERT_FALSE(tunnel.device().empty());
    const CliResult run =
        RunCli({"--port", tunnel.device(), "--tunnel", "write-id", "ABC", "version", "read-id", "version"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[1], "ABC");
    EXPECT_EQ(lines[0], lines[2]);
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(TunnelE2E, OldProtocolRefusesTheTunnelAndTransparentModeOpensTheDirectLink) {
    vexa::test::DeviceServerProcess old(
        VEXA_SIM_PATH, {"--corvan", "--protocol", "3107", "--interface", "hubo", "--firmware", "1020"});
    ASSERT_FALSE(old.device().empty());
    const CliResult refused = RunCli({"--port", old.device(), "--tunnel", "read-id"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Your system does not support this function\r\nProtocol = 3.107\n");

    const CliResult transparent = RunCli({"--port", old.device(), "transparent-mode", "read-id"});
    ASSERT_EQ(transparent.status, 0) << transparent.err;
    EXPECT_EQ(transparent.err, "Your Hubo has been put in Transparent Mode\n");
    EXPECT_EQ(transparent.out, "Vexa Sim\n");
}

} // namespace
