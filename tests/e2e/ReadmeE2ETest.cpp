// What the README promises: each of its command lines, word for word, run against vexa-sim on a
// pseudo-terminal (or the simulated controller inside vexaconfig-cli where the README says
// --port sim), ends with the exit status and leaves the result the README describes.

#include "ProcessRunner.h"
#include "SimStateFiles.h"

#include "../files/ConfigFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vexa::test::DeviceServerProcess;
using vexa::test::ProgramResult;
using vexa::test::ReadWholeFile;
using vexa::test::SplitLines;

constexpr auto ProgramTimeLimit = std::chrono::seconds(60);

// The command lines of the README, each run by one of the tests below.
const std::vector<std::string> ReadmeRecipes{
    "vexaconfig-cli --help",
    "vexaconfig-cli --port /dev/ttyUSB0 read-all save backup.dat",
    "vexaconfig-cli --port /dev/ttyUSB0 load backup.dat write-all verify-all",
    "vexaconfig-cli --port /dev/ttyUSB0 load backup.dat verify-all",
    "vexaconfig-cli --port /dev/ttyUSB0 read-all load edited.dat write-changes verify-all",
    "vexaconfig-cli diff backup.dat edited.dat",
    "vexaconfig-cli --port /dev/ttyUSB0 read-all save clone.dat",
    "vexaconfig-cli --port /dev/ttyUSB1 load clone.dat write-all verify-all",
    "vexaconfig-cli --port /dev/ttyUSB0 --address 3 version",
    "vexaconfig-cli --port /dev/ttyUSB0 --xaddress 12 read-all save module12.dat",
    "vexaconfig-cli --port /dev/ttyUSB0 --tunnel --address 20 read-all save module20.dat",
    "vexaconfig-cli --port sim read-all-pins load-device \"Signal 3 aspects\" 5 write-device 5 verify-pins",
    "vexaconfig-cli --port /dev/ttyUSB0 read-all-pins set-device-name 2 \"Station lamp\" save-device 2 lamp.def",
    "vexaconfig-cli --port /dev/ttyUSB0 set-aspect 2 1 servo 1 -10 lamp-test",
    "vexa-sim",
    "vexaconfig-cli --port /dev/pts/3 version read-all",
    "vexa-sim --help",
    "vexa-sim --corvan --address 19 --report 12,0,5,100",
    "vexaconfig-cli --port /dev/pts/3 --tunnel --address 20 read-id monitor 2",
    "vexaconfig-cli --port /dev/ttyUSB0 scan",
    "vexaconfig-cli --port /dev/ttyUSB0 backup-layout ~/layout-2024-05",
    "vexaconfig-cli --port /dev/ttyUSB0 verify-layout ~/layout-2024-05",
    "vexaconfig-cli --port /dev/ttyUSB0 --yes restore-layout ~/layout-2024-05",
    "vexa-sim --modules 1,4,9 --state-dir ~/sim-layout",
    "vexaconfig-cli --port /dev/pts/3 backup-layout ~/layout-test",
    "vexaconfig-cli sheet ~/layout-2024-05.pdf ~/layout-2024-05",
    "vexaconfig-cli export-csv ~/layout-2024-05.csv ~/layout-2024-05",
    "vexaconfig-cli addresses ~/layout-2024-05",
};

// The Windows program's lines (vexaconfig-cli.exe) are run under wine by scripts/test-windows.
bool IsProgramLine(const std::string& text) {
    return (text.starts_with("vexaconfig-cli") && !text.starts_with("vexaconfig-cli.exe")) ||
           text.starts_with("vexa-sim");
}

// The command lines of the README: the lines of its code blocks that start a program (without
// their "#" comments), and the program calls it quotes in its text ("`vexa-sim --help`"); a
// program's name alone or a usage pattern with "[" is not a command line.
std::vector<std::string> ReadmeCommandLines() {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(ReadWholeFile(VEXA_README_PATH))) {
        if (line.starts_with("    ")) {
            std::string text = line.substr(line.find_first_not_of(' '));
            if (!IsProgramLine(text))
                continue;
            text = text.substr(0, text.find(" #"));
            lines.push_back(text.substr(0, text.find_last_not_of(' ') + 1));
            continue;
        }
        for (std::size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open + 1)) {
            const std::size_t close = line.find('`', open + 1);
            if (close == std::string::npos)
                break;
            const std::string quoted = line.substr(open + 1, close - open - 1);
            if (IsProgramLine(quoted) && quoted.find(' ') != std::string::npos && quoted.find('[') == std::string::npos)
                lines.push_back(quoted);
            open = close;
        }
    }
    return lines;
}

// The words of a command line as a shell splits them (double quotes group words).
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// A folder of its own for one test; the README's file names are taken inside it, and its port
// names stand for the devices of the simulated controllers the test started.
class Desk {
public:
    Desk() : dir_(fs::temp_directory_path() / ("vexa-readme-" + std::to_string(::getpid()))) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~Desk() { fs::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    // A word of a command line as the test runs it: a file or a folder in the home folder
    // ("~/...") is taken inside the desk.
    std::string inDesk(const std::string& word) const {
        if (word.starts_with("~/") || word.ends_with(".dat") || word.ends_with(".def"))
            return file(word.starts_with("~/") ? word.substr(2) : word);
        return word;
    }

    // Starts a simulated controller for a port name of the README, with its memory in a state
    // file of that name (made first when it is missing).
    DeviceServerProcess& controller(const std::string& port, const std::string& state,
                                    std::vector<std::string> options = {}) {
        if (!fs::exists(file(state)))
            vexa::test::MakeSimState(VEXA_SIM_PATH, file(state));
        options.insert(options.end(), {"--state", file(state)});
        return serve(port, options);
    }
    DeviceServerProcess& serve(const std::string& port, const std::vector<std::string>& args) {
        auto& server = servers_[port];
        server.reset(); // a controller on the same port stops first and keeps its memory
        server = std::make_unique<DeviceServerProcess>(VEXA_SIM_PATH, args);
        EXPECT_TRUE(server->device().starts_with("/dev/")) << port;
        return *server;
    }
    // Starts vexa-sim by a command line of the README, for the port name that stands for it.
    DeviceServerProcess& serveLine(const std::string& port, const std::string& line) {
        EXPECT_NE(std::find(ReadmeRecipes.begin(), ReadmeRecipes.end(), line), ReadmeRecipes.end()) << line;
        std::vector<std::string> words = Words(line);
        std::transform(words.begin(), words.end(), words.begin(), [this](const std::string& w) { return inDesk(w); });
        return serve(port, std::vector<std::string>(words.begin() + 1, words.end()));
    }
    // Stops the controllers, which write their state files.
    void stopControllers() { servers_.clear(); }

    // Runs a command line of the README as it stands there.
    ProgramResult run(const std::string& line) {
        EXPECT_NE(std::find(ReadmeRecipes.begin(), ReadmeRecipes.end(), line), ReadmeRecipes.end()) << line;
        std::vector<std::string> words = Words(line);
        const std::string program = words.front() == "vexa-sim" ? VEXA_SIM_PATH : VEXA_CLI_PATH;
        words.erase(words.begin());
        for (std::string& word : words) {
            if (const auto server = servers_.find(word); server != servers_.end())
                word = server->second->device();
            else
                word = inDesk(word);
        }
        return vexa::test::RunProgram(program, words, ProgramTimeLimit);
    }
    // A command line of the test's own, to change a controller between the README's steps.
    ProgramResult runCli(std::vector<std::string> args) {
        if (!args.empty() && servers_.contains(args.front()))
            args = [&] {
                std::vector<std::string> all{"--port", servers_[args.front()]->device()};
                all.insert(all.end(), args.begin() + 1, args.end());
                return all;
            }();
        return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
    }

private:
    fs::path dir_;
    std::map<std::string, std::unique_ptr<DeviceServerProcess>> servers_;
};

// The lines of a controller's state file that differ from another state, as "was -> is".
std::vector<std::string> StateChanges(const std::string& was, const std::string& is) {
    const std::vector<std::string> before = SplitLines(was);
    const std::vector<std::string> after = SplitLines(is);
    std::vector<std::string> changes;
    for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        const std::string a = i < before.size() ? before[i] : "";
        const std::string b = i < after.size() ? after[i] : "";
        if (a != b)
            changes.push_back(a + " -> " + b);
    }
    return changes;
}

bool EndsInVerifyOk(const ProgramResult& result) {
    const std::vector<std::string> lines = SplitLines(result.out);
    return !lines.empty() && lines.back() == "Verify OK";
}

// A controller set up as a modeller leaves it: its demonstration pins, DCC address 300 with
// packet repeat 125 ms, and event inputs 1 and 3 held off at start for the On events, 2 and 4
// for the Off events (every value unlike the start state).
void SetUpYard(Desk& desk, const std::string& state) {
    vexa::test::MakeSimState(VEXA_SIM_PATH, desk.file(state));
    vexa::test::SetSimSettings(desk.file(state), {{4, "44 4"}, {5, "1"}, {11, "5 10"}});
}

TEST(ReadmeE2E, TheReadmeHoldsTheCommandLinesThatTheseTestsRun) {
    std::vector<std::string> lines = ReadmeCommandLines();
    std::vector<std::string> recipes = ReadmeRecipes;
    std::sort(lines.begin(), lines.end());
    std::sort(recipes.begin(), recipes.end());
    EXPECT_EQ(lines, recipes);
}

TEST(ReadmeE2E, BackupRestoreAndVerifyOnlyBringBackTheWholeController) {
    Desk desk;
    SetUpYard(desk, "yard.state");
    const std::string before = ReadWholeFile(desk.file("yard.state"));
    desk.controller("/dev/ttyUSB0", "yard.state", {"--erase-time", "0"});

    const ProgramResult backup = desk.run("vexaconfig-cli --port /dev/ttyUSB0 read-all save backup.dat");
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_NE(ReadWholeFile(desk.file("backup.dat")).find("\"DCC\",300,1,1\r\n"), std::string::npos);

    // The next day, after experiments: the controller's memory is erased.
    const ProgramResult erased = desk.runCli({"/dev/ttyUSB0", "erase-flash"});
    ASSERT_EQ(erased.status, 0) << erased.err;
    const ProgramResult restored = desk.run("vexaconfig-cli --port /dev/ttyUSB0 load backup.dat write-all verify-all");
    EXPECT_EQ(restored.status, 0) << restored.out << restored.err;
    EXPECT_TRUE(EndsInVerifyOk(restored)) << restored.out;
    const ProgramResult verified = desk.run("vexaconfig-cli --port /dev/ttyUSB0 load backup.dat verify-all");
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
    EXPECT_TRUE(EndsInVerifyOk(verified)) << verified.out;
    desk.stopControllers();
    // Every setting (the initial enable map included), pin and event as before.
    EXPECT_EQ(StateChanges(before, ReadWholeFile(desk.file("yard.state"))), std::vector<std::string>{});

    // A controller that differs: the verification says so and fails.
    vexa::test::SetSimSettings(desk.file("yard.state"), {{6, "4"}});
    desk.controller("/dev/ttyUSB0", "yard.state");
    const ProgramResult differs = desk.run("vexaconfig-cli --port /dev/ttyUSB0 load backup.dat verify-all");
    EXPECT_EQ(differs.status, 1) << differs.out;
    EXPECT_EQ(SplitLines(differs.out).back(), "Verification Stopped") << differs.out;
}

TEST(ReadmeE2E, WriteChangesWritesTheEditedFileAndDiffNamesWhatItChanged) {
    Desk desk;
    SetUpYard(desk, "yard.state");
    desk.controller("/dev/ttyUSB0", "yard.state");
    const ProgramResult backup = desk.run("vexaconfig-cli --port /dev/ttyUSB0 read-all save backup.dat");
    ASSERT_EQ(backup.status, 0) << backup.err;
    // The edited file: the DCC address 300 becomes 301.
    std::string edited = ReadWholeFile(desk.file("backup.dat"));
    const std::size_t dcc = edited.find("\"DCC\",300,");
    ASSERT_NE(dcc, std::string::npos);
    edited.replace(dcc, 10, "\"DCC\",301,");
    vexa::test::WriteBytes(desk.file("edited.dat"), edited);

    const ProgramResult changes =
        desk.run("vexaconfig-cli --port /dev/ttyUSB0 read-all load edited.dat write-changes verify-all");
    EXPECT_EQ(changes.status, 0) << changes.out << changes.err;
    EXPECT_TRUE(vexa::test::HasLineStarting(SplitLines(changes.out), "Write Changes done: 1 setting block"))
        << changes.out;
    EXPECT_TRUE(EndsInVerifyOk(changes)) << changes.out;

    const ProgramResult diff = desk.run("vexaconfig-cli diff backup.dat edited.dat");
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, "DCC address does not compare\n");
}

TEST(ReadmeE2E, CloneMakesTheSecondControllerTheFirst) {
    Desk desk;
    SetUpYard(desk, "first.state");
    vexa::test::MakeSimState(VEXA_SIM_PATH, desk.file("second.state"));
    vexa::test::SetSimSettings(desk.file("second.state"), {{11, "15 15"}, {10, "83 101 99 111 110 100"}});
    desk.controller("/dev/ttyUSB0", "first.state");
    desk.controller("/dev/ttyUSB1", "second.state");

    const ProgramResult saved = desk.run("vexaconfig-cli --port /dev/ttyUSB0 read-all save clone.dat");
    ASSERT_EQ(saved.status, 0) << saved.err;
    const ProgramResult cloned = desk.run("vexaconfig-cli --port /dev/ttyUSB1 load clone.dat write-all verify-all");
    EXPECT_EQ(cloned.status, 0) << cloned.out << cloned.err;
    EXPECT_TRUE(EndsInVerifyOk(cloned)) << cloned.out;
    desk.stopControllers();
    EXPECT_EQ(StateChanges(ReadWholeFile(desk.file("first.state")), ReadWholeFile(desk.file("second.state"))),
              std::vector<std::string>{});
}

TEST(ReadmeE2E, ControllersOnOtherAddressesAndBehindACorvanInterfaceAnswer) {
    Desk desk;
    // The command line counts addresses from 1, vexa-sim as the controller holds them.
    desk.serve("/dev/ttyUSB0", {"--address", "2"});
    const ProgramResult version = desk.run("vexaconfig-cli --port /dev/ttyUSB0 --address 3 version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "3.1.0.12\n");

    for (const auto& [options, line, file] :
         std::vector<std::tuple<std::vector<std::string>, std::string, std::string>>{
             {{"--xaddress", "11"},
              "vexaconfig-cli --port /dev/ttyUSB0 --xaddress 12 read-all save module12.dat",
              "module12.dat"},
             {{"--corvan", "--address", "19"},
              "vexaconfig-cli --port /dev/ttyUSB0 --tunnel --address 20 read-all save module20.dat",
              "module20.dat"}}) {
        desk.serve("/dev/ttyUSB0", options);
        const ProgramResult read = desk.run(line);
        EXPECT_EQ(read.status, 0) << line << "\n" << read.err;
        EXPECT_NE(ReadWholeFile(desk.file(file)).find("\"ID$\",\"Vexa Sim\"\r\n"), std::string::npos) << line;
    }
}

TEST(ReadmeE2E, ADeviceFromTheLibraryIsWrittenAndVerifies) {
    Desk desk;
    const ProgramResult device = desk.run(
        "vexaconfig-cli --port sim read-all-pins load-device \"Signal 3 aspects\" 5 write-device 5 verify-pins");
    EXPECT_EQ(device.status, 0) << device.out << device.err;
    EXPECT_TRUE(EndsInVerifyOk(device)) << device.out;
}

TEST(ReadmeE2E, ADeviceReadFromTheControllerIsSavedUnderItsName) {
    Desk desk;
    desk.serve("/dev/ttyUSB0", {});
    const std::string line =
        "vexaconfig-cli --port /dev/ttyUSB0 read-all-pins set-device-name 2 \"Station lamp\" save-device 2 lamp.def";
    const ProgramResult saved = desk.run(line);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::vector<std::string> lines = SplitLines(ReadWholeFile(desk.file("lamp.def")));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\"Dev\",\"Station lamp\"\r");
    // The four programs of the demonstration's PWM pin, although a controller has no descriptions.
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("    \"Asp\""); }),
        4);

    const ProgramResult again = desk.run(line);
    EXPECT_EQ(again.status, 1) << "an existing file is replaced only with --yes";
}

TEST(ReadmeE2E, LiveCommandsMoveTheOutputs) {
    Desk desk;
    desk.serve("/dev/ttyUSB0", {"--dump-outputs", desk.file("outputs.txt")});
    const ProgramResult live = desk.run("vexaconfig-cli --port /dev/ttyUSB0 set-aspect 2 1 servo 1 -10 lamp-test");
    EXPECT_EQ(live.status, 0) << live.err;
    desk.stopControllers();
    const std::vector<std::string> outputs = SplitLines(ReadWholeFile(desk.file("outputs.txt")));
    ASSERT_EQ(outputs.size(), 32u);
    EXPECT_EQ(outputs[0], "output 0 servo aspect 0 position -10 lamp-test");
    EXPECT_TRUE(outputs[1].starts_with("output 1 pwm aspect 1 ")) << outputs[1];
    for (const std::string& output : outputs)
        EXPECT_TRUE(output.ends_with(" lamp-test")) << output;
}

#ifdef VEXA_WINDOW_PATH
TEST(ReadmeE2E, EveryProgramAnswersVersionAlike) {
    const ProgramResult window = vexa::test::RunProgram(VEXA_WINDOW_PATH, {"--version"}, ProgramTimeLimit);
    ASSERT_EQ(window.status, 0) << window.err;
    EXPECT_NE(window.out.find("Release "), std::string::npos) << window.out;
    for (const char* program : {VEXA_CLI_PATH, VEXA_SIM_PATH}) {
        const ProgramResult other = vexa::test::RunProgram(program, {"--version"}, ProgramTimeLimit);
        EXPECT_EQ(other.status, 0) << program;
        EXPECT_EQ(other.out, window.out) << program;
    }
}
#endif

TEST(ReadmeE2E, TheSimulatorSectionAndTheHelpTexts) {
    Desk desk;
    const ProgramResult cliHelp = desk.run("vexaconfig-cli --help");
    EXPECT_EQ(cliHelp.status, 0);
    EXPECT_NE(cliHelp.out.find("save-device N FILE"), std::string::npos);
    const ProgramResult simHelp = desk.run("vexa-sim --help");
    EXPECT_EQ(simHelp.status, 0);
    EXPECT_NE(simHelp.out.find("--xaddress N"), std::string::npos);

    // "vexa-sim" prints its device; the README's /dev/pts/3 stands for it.
    desk.serveLine("/dev/pts/3", "vexa-sim");
    const ProgramResult read = desk.run("vexaconfig-cli --port /dev/pts/3 version read-all");
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(SplitLines(read.out).front(), "3.1.0.12");

    desk.serveLine("/dev/pts/3", "vexa-sim --corvan --address 19 --report 12,0,5,100");
    const ProgramResult tunnel = desk.run("vexaconfig-cli --port /dev/pts/3 --tunnel --address 20 read-id monitor 2");
    EXPECT_EQ(tunnel.status, 0) << tunnel.err;
    EXPECT_EQ(tunnel.out, "Vexa Sim\n<12> <0> <5> <100> \n");
}

TEST(ReadmeE2E, AWholeLayoutIsScannedBackedUpVerifiedAndRestored) {
    Desk desk;
    desk.serve("/dev/ttyUSB0", {"--modules", "1,4,9", "--erase-time", "0"});
    const ProgramResult scan = desk.run("vexaconfig-cli --port /dev/ttyUSB0 scan");
    EXPECT_EQ(scan.status, 0) << scan.err;
    EXPECT_EQ(SplitLines(scan.out),
              (std::vector<std::string>{"Module 2: \"Vexa Sim\" 3.1.0.12", "Module 5: \"Vexa Sim\" 3.1.0.12",
                                        "Module 10: \"Vexa Sim\" 3.1.0.12"}));
    const ProgramResult backup = desk.run("vexaconfig-cli --port /dev/ttyUSB0 backup-layout ~/layout-2024-05");
    EXPECT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(SplitLines(ReadWholeFile(desk.file("layout-2024-05/layout.txt"))).size(), 5u); // head, base, 3 boards

    // Board 5 erased: it no longer compares, and the restore brings it back.
    ASSERT_EQ(desk.runCli({"/dev/ttyUSB0", "--address", "5", "erase-flash"}).status, 0);
    const std::string verifyLine = "vexaconfig-cli --port /dev/ttyUSB0 verify-layout ~/layout-2024-05";
    const ProgramResult differs = desk.run(verifyLine);
    EXPECT_EQ(differs.status, 1);
    EXPECT_NE(differs.out.find("Module 5 \"Vexa Sim\": does not compare\n"), std::string::npos) << differs.out;
    const ProgramResult restore = desk.run("vexaconfig-cli --port /dev/ttyUSB0 --yes restore-layout ~/layout-2024-05");
    EXPECT_EQ(restore.status, 0) << restore.out << restore.err;
    const ProgramResult compares = desk.run(verifyLine);
    EXPECT_EQ(compares.status, 0) << compares.out;

    // The backup on paper and in a table; the boards' demonstration pins share DCC addresses.
    const ProgramResult sheet = desk.run("vexaconfig-cli sheet ~/layout-2024-05.pdf ~/layout-2024-05");
    EXPECT_EQ(sheet.status, 0) << sheet.err;
    EXPECT_TRUE(ReadWholeFile(desk.file("layout-2024-05.pdf")).starts_with("%PDF"));
    const ProgramResult table = desk.run("vexaconfig-cli export-csv ~/layout-2024-05.csv ~/layout-2024-05");
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_TRUE(ReadWholeFile(desk.file("layout-2024-05.csv")).starts_with("Module,ID String,Pin,"));
    const ProgramResult addresses = desk.run("vexaconfig-cli addresses ~/layout-2024-05");
    EXPECT_EQ(addresses.status, 1) << addresses.err;
    EXPECT_NE(addresses.out.find("DCC address 1: module 2 pin 1, module 5 pin 1 and module 10 pin 1\n"),
              std::string::npos)
        << addresses.out;

    desk.serveLine("/dev/pts/3", "vexa-sim --modules 1,4,9 --state-dir ~/sim-layout");
    const ProgramResult test = desk.run("vexaconfig-cli --port /dev/pts/3 backup-layout ~/layout-test");
    EXPECT_EQ(test.status, 0) << test.err;
    desk.stopControllers();
    for (const char* state : {"sim-layout/module-1.txt", "sim-layout/module-4.txt", "sim-layout/module-9.txt"})
        EXPECT_TRUE(fs::exists(desk.file(state))) << state;
}

} // namespace
