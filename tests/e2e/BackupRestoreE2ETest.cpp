// A backup as a modeller takes and restores it: vexaconfig-cli against vexa-sim on a
// pseudo-terminal. The initial enable map and the enforced eXtended address travel with the
// file when it holds them, and are left alone when it does not.

#include "ProcessRunner.h"

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

struct SimProcess : vexa::test::DeviceServerProcess {
    SimProcess() : DeviceServerProcess(VEXA_SIM_PATH, {}) {}
};

std::string TempPath(const std::string& name) {
    return (fs::temp_directory_path() / ("vexa-backup-e2e-" + std::to_string(getpid()) + "-" + name)).string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The file's lines without those that start with one of the prefixes.
std::string WithoutLines(const std::string& text, const std::vector<std::string>& prefixes) {
    std::string kept;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        bool drop = false;
        for (const std::string& prefix : prefixes)
            drop = drop || line.rfind(prefix, 0) == 0;
        if (!drop)
            kept += line + "\n";
    }
    return kept;
}

class BackupRestoreE2E : public ::testing::Test {
protected:
    CliResult cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.device()});
        return vexa::test::RunProgram(VEXA_CLI_PATH, args, std::chrono::seconds(60));
    }
    // What the controller holds now, as a full data file.
    std::string backup(const std::string& name) {
        const std::string path = TempPath(name);
        const CliResult read = cli({"read-all", "save", path});
        EXPECT_EQ(read.status, 0) << read.out << read.err;
        paths.push_back(path);
        return path;
    }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = TempPath(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        paths.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::string& path : paths)
            fs::remove(path);
    }

    SimProcess sim;
    std::vector<std::string> paths;
};

TEST_F(BackupRestoreE2E, ARestoreGivesBackTheMapAndTheEnforcedModeAndVerifies) {
    ASSERT_FALSE(sim.device().empty());
    ASSERT_EQ(cli({"set-enable-map", "1010", "0110", "write-events"}).status, 0);
    const std::string original = backup("original.dat");
    const std::string text = ReadFile(original);
    EXPECT_NE(text.find("\"FXA\",0\r\n\"HWC\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"Eof\",31,1,1,1,1\r\n\"IEE\",1,0,1,0,0,1,1,0\r\n\"Pin\""), std::string::npos) << text;

    // Untouched, the controller verifies against its own backup.
    const CliResult untouched = cli({"load", original, "verify-all"});
    EXPECT_EQ(untouched.status, 0) << untouched.out << untouched.err;
    EXPECT_EQ(SplitLines(untouched.out).back(), "Verify OK");

    // Another map and the enforced mode, written from a changed copy of the backup.
    std::string changed = text;
    changed.replace(changed.find("\"FXA\",0"), 7, "\"FXA\",1");
    changed.replace(changed.find("\"IEE\",1,0,1,0,0,1,1,0"), 21, "\"IEE\",0,0,0,1,1,1,1,1");
    ASSERT_EQ(cli({"load", file("changed.dat", changed), "write-all"}).status, 0);
    EXPECT_NE(cli({"read-settings"}).out.find("enforced eXtended address on"), std::string::npos);

    const CliResult restore = cli({"load", original, "write-all", "verify-all"});
    EXPECT_EQ(restore.status, 0) << restore.out << restore.err;
    EXPECT_EQ(SplitLines(restore.out).back(), "Verify OK");
    EXPECT_EQ(ReadFile(backup("again.dat")), text);
}

TEST_F(BackupRestoreE2E, AFileOfTheOlderKindLeavesMapAndEnforcedModeAlone) {
    ASSERT_FALSE(sim.device().empty());
    const std::string current = ReadFile(backup("current.dat"));
    std::string enforced = current;
    enforced.replace(enforced.find("\"FXA\",0"), 7, "\"FXA\",1");
    enforced.replace(enforced.find("\"IEE\",1,1,1,1,1,1,1,1"), 21, "\"IEE\",0,1,0,1,1,0,0,0");
    ASSERT_EQ(cli({"load", file("enforced.dat", enforced), "write-all"}).status, 0);

    const std::string old = file("old.dat", WithoutLines(current, {"\"FXA\"", "\"IEE\""}));
    const CliResult written = cli({"load", old, "write-all", "verify-all"});
    EXPECT_EQ(written.status, 0) << written.out << written.err;
    EXPECT_EQ(SplitLines(written.out).back(), "Verify OK");
    EXPECT_NE(written.err.find("Initial enable map unknown: the controller's enable map is left as it is"),
              std::string::npos)
        << written.err;
    EXPECT_NE(written.err.find("Enforced eXtended Address unknown"), std::string::npos) << written.err;
    EXPECT_NE(written.out.find("ECInit: initial enable map unknown, not compared"), std::string::npos);

    const CliResult events = cli({"read-events"});
    EXPECT_EQ(SplitLines(events.out).back(), "Initial enable ON: 0 1 0 1 OFF: 1 0 0 0");
    EXPECT_NE(cli({"read-settings"}).out.find("enforced eXtended address on"), std::string::npos);
    // The file of the older kind loads and saves as it was.
    const std::string resaved = TempPath("resaved.dat");
    paths.push_back(resaved);
    ASSERT_EQ(vexa::test::RunProgram(VEXA_CLI_PATH, {"load", old, "save", resaved}, std::chrono::seconds(30)).status,
              0);
    EXPECT_EQ(ReadFile(resaved), ReadFile(old));
}

TEST_F(BackupRestoreE2E, AHandEditedBackupThatTheWireCannotCarryIsRefusedBeforeItsFirstByte) {
    ASSERT_FALSE(sim.device().empty());
    const std::string original = backup("kept.dat");
    const std::string text = ReadFile(original);
    std::string address = text;
    address.replace(address.find("\"DCC\",1,"), 8, "\"DCC\",9999,");
    // Pin 2 has layout "4": its first step gets a third parameter beyond a data byte.
    std::string step = text;
    const std::size_t at = step.find("\"Ins\",0,", step.find("\"Pin\",1,"));
    const std::size_t end = step.find("\r\n", at);
    step.replace(step.rfind(',', end) + 1, end - step.rfind(',', end) - 1, "200");

    const CliResult settings = cli({"load", file("address.dat", address), "write-settings"});
    EXPECT_EQ(settings.status, 1);
    EXPECT_NE(settings.err.find("DCC address = 9999 cannot be sent (1..510)"), std::string::npos) << settings.err;
    EXPECT_EQ(settings.out.find("Write Settings done"), std::string::npos);
    const CliResult pin = cli({"load", file("step.dat", step), "write-pin", "2"});
    EXPECT_EQ(pin.status, 1);
    EXPECT_NE(pin.err.find("Pin 2: step 0 of aspect 0: parameter 3 = 200 cannot be sent (0..127)"), std::string::npos)
        << pin.err;

    const CliResult untouched = cli({"load", original, "verify-all"});
    EXPECT_EQ(untouched.status, 0) << untouched.out << untouched.err;
    EXPECT_EQ(SplitLines(untouched.out).back(), "Verify OK");
}

} // namespace
