// A layout as a modeller backs it up: vexaconfig-cli against vexa-sim --modules on a
// pseudo-terminal, the controllers kept in a state folder between runs.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using vexa::test::DeviceServerProcess;
using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

CliResult RunCli(const std::string& device, std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", device});
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, std::chrono::seconds(60));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TempDir {
    TempDir() : path(fs::temp_directory_path() / ("vexa-layout-e2e-" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

TEST(LayoutE2E, BackUpChangeOneBoardVerifyAndRestore) {
    TempDir dir;
    const std::string state = (dir.path / "state").string();
    const std::string backup = (dir.path / "backup").string();
    {
        DeviceServerProcess sim(VEXA_SIM_PATH, {"--modules", "1,4,15", "--state-dir", state});
        ASSERT_FALSE(sim.device().empty());
        const CliResult scan = RunCli(sim.device(), {"scan"});
        EXPECT_EQ(scan.status, 0) << scan.err;
        EXPECT_EQ(SplitLines(scan.out), (Lines{"Module 2: \"Vexa Sim\" 3.1.0.12", "Module 5: \"Vexa Sim\" 3.1.0.12",
                                               "Module 16: \"Vexa Sim\" 3.1.0.12"}));
        EXPECT_TRUE(scan.err.empty()) << scan.err;

        ASSERT_EQ(RunCli(sim.device(), {"--address", "5", "write-id", "Yard"}).status, 0);
        const CliResult saved = RunCli(sim.device(), {"backup-layout", backup});
        ASSERT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(ReadFile(fs::path(backup) / "layout.txt"),
                  "Vexa layout 2\r\nBase,1\r\n1,\"Vexa Sim\",\"3.1.0.12\",\"module-2.dat\"\r\n4,\"Yard\",\"3.1.0.12\","
                  "\"module-5.dat\"\r\n15,\"Vexa Sim\",\"3.1.0.12\",\"module-16.dat\"\r\n");

        // One LED setting of board 5 changed through the single-controller commands.
        const std::string board = (dir.path / "board5.dat").string();
        ASSERT_EQ(RunCli(sim.device(), {"--address", "5", "read-all", "save", board}).status, 0);
        std::string changed = std::regex_replace(ReadFile(board), std::regex("\"LED\",[0-9]+,"), "\"LED\",3,");
        std::ofstream(board, std::ios::binary | std::ios::trunc) << changed;
        ASSERT_EQ(RunCli(sim.device(), {"--address", "5", "load", board, "write-all"}).status, 0);

        const CliResult verify = RunCli(sim.device(), {"verify-layout", backup});
        EXPECT_EQ(verify.status, 1);
        EXPECT_EQ(SplitLines(verify.out),
                  (Lines{"Module 2 \"Vexa Sim\": Verify OK", "Module 5 \"Yard\": does not compare",
                         "  Green LED configuration does not compare", "  Verification Stopped",
                         "Module 16 \"Vexa Sim\": Verify OK"}));

        const CliResult refused = RunCli(sim.device(), {"restore-layout", backup});
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.out.empty()) << refused.out;
        EXPECT_NE(refused.err.find("-> Cancel"), std::string::npos) << refused.err;

        const CliResult restored = RunCli(sim.device(), {"--yes", "restore-layout", backup});
        EXPECT_EQ(restored.status, 0) << restored.err;
        EXPECT_EQ(SplitLines(restored.out), (Lines{"Module 2 \"Vexa Sim\": Verify OK", "Module 5 \"Yard\": Verify OK",
                                                   "Module 16 \"Vexa Sim\": Verify OK"}));
    }
    // Each controller was kept in its own state file and comes back from it.
    for (const char* file : {"module-1.txt", "module-4.txt", "module-15.txt"})
        EXPECT_TRUE(fs::exists(fs::path(state) / file)) << file;
    DeviceServerProcess again(VEXA_SIM_PATH, {"--modules", "1,4,15", "--state-dir", state});
    const CliResult verify = RunCli(again.device(), {"verify-layout", backup});
    EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
}

// Gives the board at the shown address the Green LED value, through the single-controller
// commands; `saved` keeps its whole configuration.
void SetGreenLed(const std::string& device, const std::string& shown, int value, const fs::path& saved) {
    ASSERT_EQ(RunCli(device, {"--address", shown, "read-all", "save", saved.string()}).status, 0);
    const std::string changed =
        std::regex_replace(ReadFile(saved), std::regex("\"LED\",[0-9]+,"), "\"LED\"," + std::to_string(value) + ",");
    std::ofstream(saved, std::ios::binary | std::ios::trunc) << changed;
    ASSERT_EQ(RunCli(device, {"--address", shown, "load", saved.string(), "write-all"}).status, 0);
}

TEST(LayoutE2E, FactoryBoardsOneSlowAreRestoredEachOntoItselfAfterTheNumberingChanged) {
    TempDir dir;
    const std::string state = (dir.path / "state").string();
    const std::string backup = (dir.path / "backup").string();
    const std::vector<std::string> bus{"--modules", "1,4", "--state-dir", state};
    {
        // Two boards with the factory ID string, each with a configuration of its own.
        DeviceServerProcess sim(VEXA_SIM_PATH, bus);
        SetGreenLed(sim.device(), "2", 3, dir.path / "board2.dat");
        SetGreenLed(sim.device(), "5", 5, dir.path / "board5.dat");
    }
    {
        // The board at 4 answers 250 ms late: after the scan's wait, within the link's.
        std::vector<std::string> slow = bus;
        slow.insert(slow.end(), {"--slow-module", "4:250:6"});
        DeviceServerProcess sim(VEXA_SIM_PATH, slow);
        const CliResult scan = RunCli(sim.device(), {"scan"});
        EXPECT_EQ(scan.status, 0) << scan.err;
        EXPECT_EQ(SplitLines(scan.out),
                  (Lines{"Module 2: \"Vexa Sim\" 3.1.0.12", "Module 5: \"Vexa Sim\" 3.1.0.12 (answered late)"}));
        const CliResult saved = RunCli(sim.device(), {"backup-layout", backup});
        EXPECT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(SplitLines(saved.out), (Lines{"Module 2 \"Vexa Sim\": saved as module-2.dat",
                                                "Module 5 \"Vexa Sim\": saved as module-5.dat"}));
        EXPECT_NE(saved.err.find("Several controllers have the same ID string"), std::string::npos) << saved.err;
    }
    DeviceServerProcess sim(VEXA_SIM_PATH, bus);
    // The two boards swapped their configurations since.
    ASSERT_EQ(RunCli(sim.device(), {"--address", "2", "load", (dir.path / "board5.dat").string(), "write-all"}).status,
              0);
    ASSERT_EQ(RunCli(sim.device(), {"--address", "5", "load", (dir.path / "board2.dat").string(), "write-all"}).status,
              0);

    const CliResult restored = RunCli(sim.device(), {"--base", "0", "--yes", "restore-layout", backup});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(SplitLines(restored.out),
              (Lines{"Module 1 \"Vexa Sim\": Verify OK", "Module 4 \"Vexa Sim\": Verify OK"}));
    EXPECT_NE(restored.err.find("Module 1 \"Vexa Sim\" from module-2.dat\r\nModule 4 \"Vexa Sim\" from module-5.dat"),
              std::string::npos)
        << restored.err;
    // Each board holds its own configuration again.
    for (const auto& [shown, file] : {std::pair{"1", "board2.dat"}, std::pair{"4", "board5.dat"}}) {
        const CliResult own =
            RunCli(sim.device(), {"--base", "0", "--address", shown, "load", (dir.path / file).string(), "verify-all"});
        EXPECT_EQ(own.status, 0) << shown << own.out;
    }

    // A list of the older kind gives the numbers as shown: it is read only with its base stated.
    std::ofstream(fs::path(backup) / "layout.txt", std::ios::binary | std::ios::trunc)
        << "Vexa layout\r\n2,\"Vexa Sim\",\"3.1.0.12\",\"module-2.dat\"\r\n5,\"Vexa "
           "Sim\",\"3.1.0.12\",\"module-5.dat\"\r\n";
    const CliResult unstated = RunCli(sim.device(), {"verify-layout", backup});
    EXPECT_EQ(unstated.status, 1);
    EXPECT_TRUE(unstated.out.empty()) << unstated.out;
    EXPECT_NE(unstated.err.find("--base"), std::string::npos) << unstated.err;
    const CliResult stated = RunCli(sim.device(), {"--base", "1", "verify-layout", backup});
    EXPECT_EQ(stated.status, 0) << stated.out << stated.err;
}

TEST(LayoutE2E, ASilentBusFindsNothingAndAPortThatGoesAwayEndsTheScan) {
    DeviceServerProcess silent(VEXA_SIM_PATH, {"--modules", "3", "--fault", "drop"});
    const CliResult none = RunCli(silent.device(), {"scan"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty()) << none.out;
    EXPECT_EQ(SplitLines(none.err), (Lines{"No controller answered at any module address."}));

    DeviceServerProcess sim(VEXA_SIM_PATH, {"--modules", "9"});
    bool opened = false;
    std::thread killer([&sim, &opened] { // as soon as the scan has the port open
        opened = sim.waitForClient();
        sim.killNow();
    });
    const CliResult cut = RunCli(sim.device(), {"scan"});
    killer.join();
    EXPECT_TRUE(opened);
    EXPECT_EQ(cut.status, 1);
    EXPECT_TRUE(cut.out.empty()) << cut.out;
    EXPECT_EQ(cut.err.rfind("The serial port " + sim.device() + " stopped working", 0), 0u) << cut.err;
    EXPECT_EQ(cut.err.find("stopped working", cut.err.find("stopped working") + 1), std::string::npos) << cut.err;
}

} // namespace
