// The module settings as a user backs them up: vexaconfig-cli against vexa-sim on a
// pseudo-terminal, the controllers' memory kept in state files between runs.

#include "ProcessRunner.h"
#include "SimStateFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

CliResult RunCli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
}

std::string ReadFile(const fs::path& path) {
    return vexa::test::ReadWholeFile(path.string());
}

void SetSettings(const fs::path& path, const std::vector<std::pair<int, std::string>>& settings) {
    vexa::test::SetSimSettings(path.string(), settings);
}

void MakeState(const fs::path& path) {
    vexa::test::MakeSimState(VEXA_SIM_PATH, path.string());
    ASSERT_TRUE(fs::exists(path));
}

struct TempDir {
    TempDir() : path(fs::temp_directory_path() / ("vexa-module-e2e-" + std::to_string(::getpid()))) {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

TEST(ModuleSettingsE2E, BackupRestoresEveryModuleSettingAndVerifyFindsAChange) {
    TempDir dir;
    const fs::path first = dir.path / "first.state";
    const fs::path second = dir.path / "second.state";
    MakeState(first);
    // Hardware, DCC address 300, options 5 (125ms, state invert, no address 0), LEDs, flex
    // block 3, eXtended address 17, group mask, extended DCC address 2046, serial port 38400 8O2
    // enabled: no two options or fields hold the same value.
    SetSettings(first, {{1, "1 2 3 0"},
                        {2, "17"},
                        {3, "1 2 0 8"},
                        {4, "44 4"},
                        {5, "5"},
                        {6, "5"},
                        {7, "64"},
                        {8, "1 3"},
                        {12, "62 31"},
                        {13, "1 124"}});
    const std::string backup = (dir.path / "backup.dat").string();
    {
        vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--state", first.string()});
        ASSERT_FALSE(sim.device().empty());
        const CliResult read = RunCli({"--port", sim.device(), "read-all", "save", backup});
        ASSERT_EQ(read.status, 0) << read.out << read.err;
        const CliResult settings = RunCli({"--port", sim.device(), "read-settings"});
        ASSERT_EQ(settings.status, 0) << settings.err;
        EXPECT_EQ(SplitLines(settings.out),
                  (std::vector<std::string>{
                      "DCC address: 300 (Output 1197 .. 1228)", "eXtended DCC address: 2046 (Output 2046 .. OVERFLOW)",
                      "DCC options: packet repeat 125ms, basic packet state invert on, allow address 0 off",
                      "Serial addressing: flex on (start 13), native off, enforced eXtended address off, module "
                      "eXtended address 18, group mask 0 5 15",
                      "Green LED: Basic DCC Packet, Lumo Message", "Orange LED: Orange 6",
                      "Hardware drivers: 1..8 sink; 9..16 source; 17..24 sink and source; 25..32 none",
                      "Serial port: enabled, 38400 baud, data bits 8, parity odd, stop bits 2"}));
    }
    EXPECT_NE(ReadFile(backup).find("\"DCC\",300,2046,5"), std::string::npos) << ReadFile(backup);

    const std::string copy = (dir.path / "copy.dat").string();
    {
        vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--state", second.string()});
        ASSERT_FALSE(sim.device().empty());
        const CliResult written = RunCli({"--port", sim.device(), "load", backup, "write-all"});
        ASSERT_EQ(written.status, 0) << written.out << written.err;
        const CliResult read = RunCli({"--port", sim.device(), "read-all", "save", copy});
        ASSERT_EQ(read.status, 0) << read.out << read.err;
    }
    EXPECT_EQ(ReadFile(copy), ReadFile(backup));

    // One setting changed inside the controller: the verification names it and fails.
    SetSettings(second, {{6, "4"}});
    vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--state", second.string()});
    ASSERT_FALSE(sim.device().empty());
    const CliResult verified = RunCli({"--port", sim.device(), "load", backup, "verify-all"});
    EXPECT_EQ(verified.status, 1) << verified.err;
    EXPECT_EQ(SplitLines(verified.out),
              (std::vector<std::string>{"Start General Settings Verification",
                                        "Green LED configuration does not compare", "Verification Stopped"}));
    const CliResult settingsOnly = RunCli({"--port", sim.device(), "load", backup, "verify-settings"});
    EXPECT_EQ(settingsOnly.status, 1);
}

TEST(ModuleSettingsE2E, EraseFlashWaitsUntilTheControllerAnswersAgain) {
    vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--erase-time", "2"});
    ASSERT_FALSE(sim.device().empty());
    const CliResult erased = RunCli({"--port", sim.device(), "erase-flash", "read-id"});
    ASSERT_EQ(erased.status, 0) << erased.out << erased.err;
    const std::vector<std::string> lines = SplitLines(erased.out);
    ASSERT_GE(lines.size(), 4u) << erased.out;
    EXPECT_EQ(lines.front().rfind("Erase sent; waiting", 0), 0u);
    EXPECT_EQ(lines[1].rfind("waiting ... ", 0), 0u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("Erase done", 0), 0u);
    EXPECT_EQ(lines.back(), ""); // the ID string is gone
    EXPECT_GE(erased.seconds, 2.0);
    EXPECT_TRUE(erased.err.empty()) << erased.err;
}

TEST(ModuleSettingsE2E, AnEraseWaitEndedByCtrlCOrAnUnpluggedPortSaysWhatEndedIt) {
    for (const bool unplugged : {false, true}) {
        vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--erase-time", "30"});
        vexa::test::ChildProcess cli(VEXA_CLI_PATH, {"--port", sim.device(), "erase-flash"},
                                     vexa::test::ErrorOutput::Captured);
        ASSERT_EQ(cli.readLine().rfind("Erase sent", 0), 0u);
        ASSERT_EQ(cli.readLine().rfind("waiting ... ", 0), 0u);
        if (unplugged)
            sim.killNow();
        else
            cli.interrupt();
        EXPECT_EQ(cli.waitExit(std::chrono::seconds(10)), 1);
        const std::string err = cli.errorText();
        EXPECT_NE(err.find(unplugged ? "stopped working" : "Stopped by the user"), std::string::npos) << err;
        EXPECT_EQ(err.find("did not answer"), std::string::npos) << err;
    }
}

} // namespace
