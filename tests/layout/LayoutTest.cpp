// The layout operations against a bus of simulated controllers in this process: scan, back up,
// verify and restore, each through the single-controller operations.

#include "../files/ConfigFileTestSupport.h"
#include "../sim/SimTestBench.h"
#include "TestSeams.h"

#include "batch/BatchOperations.h"
#include "files/ConfigFileActions.h"
#include "layout/LayoutOperations.h"
#include "layout/LayoutScan.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "link/Monitor.h"
#include "link/PortLossText.h"
#include "link/TunnelSwitch.h"
#include "module/Identity.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/SimBus.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace vexa {
namespace {

using Lines = std::vector<std::string>;

std::shared_ptr<Simulator> Controller(const std::string& id, int firstServoPin) {
    auto controller = MakeDefaultSimulator();
    controller->setIdString(id);
    controller->pin(firstServoPin).flashBlock = {1, 64, 10, 64, 127, 58, 127, 127, 64, 0, 64, 0};
    return controller;
}

// A session on a line of simulated controllers; by default three controllers, one with an ID
// string of the full 12 characters, one at the highest direct address. The session's own
// module address and configuration are the user's.
struct LayoutBench {
    explicit LayoutBench(std::shared_ptr<SimLine> line = nullptr, double clockFactor = 10) : clock(clockFactor) {
        if (!line) {
            bus->add(0, Controller("Station", 3));
            bus->add(7, Controller("Main Signals", 4));
            bus->add(15, Controller("Yard", 5));
            line = bus;
        }
        session.port.port = MakeSimLinePort(line);
        session.port.port->open(LayoutSimulatorPortName);
        session.port.name = LayoutSimulatorPortName;
        session.link.moduleAddress = 3;
        session.image.module.idString = "My edits";
    }

    Lines scan() {
        std::vector<LayoutModule> found;
        EXPECT_TRUE(ScanLayout(session, found));
        Lines lines;
        for (const LayoutModule& module : found)
            lines.push_back(ScanLine(session, module));
        return lines;
    }

    Lines lines(const std::vector<ModuleResult>& results) const {
        Lines all;
        for (const ModuleResult& result : results)
            for (const std::string& line : ResultLines(session, result))
                all.push_back(line);
        return all;
    }

    test::RecordingPrompter prompter;
    test::FastClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    std::shared_ptr<SimBus> bus = std::make_shared<SimBus>();
    test::TemporaryFolder folder;
};

TEST(LayoutScan, ListsEveryControllerAndLeavesTheUsersSessionAsItWas) {
    LayoutBench bench;
    const ConfigurationImage before = bench.session.image;
    EXPECT_EQ(bench.scan(), (Lines{"Module 1: \"Station\" 3.1.0.12", "Module 8: \"Main Signals\" 3.1.0.12",
                                   "Module 16: \"Yard\" 3.1.0.12"}));
    // Thirteen silent addresses: no message, no fault, the box still on, nothing of the user's changed.
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_TRUE(bench.session.link.bidirectional);
    EXPECT_FALSE(bench.session.link.faultReported);
    EXPECT_EQ(bench.session.link.moduleAddress, 3);
    EXPECT_TRUE(bench.session.image == before);
    EXPECT_TRUE(bench.session.port.isOpen());
}

TEST(LayoutScan, BehindACorvanInterfaceEveryAddressUpTo31IsAsked) {
    auto bus = std::make_shared<SimBus>();
    bus->add(2, Controller("Low", 3));
    bus->add(31, Controller("Top", 4));
    LayoutBench bench(std::make_shared<CorvanInterfaceSim>(bus));
    ASSERT_TRUE(SwitchTunnelling(bench.session, true));
    EXPECT_EQ(bench.scan(), (Lines{"Module 3: \"Low\" 3.1.0.12", "Module 32: \"Top\" 3.1.0.12"}));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

TEST(LayoutScan, ALateBoardIsAskedAgainAndCountedButNeverTakenForTheNextAddress) {
    // The controller at 3 answers after the scan has gone on to 4, where nobody is (the scan
    // waits 100 ms at each address); the one at 15 answers after the scan's last address.
    auto bus = std::make_shared<SimBus>();
    for (int address : {3, 15}) {
        auto late = Controller(address == 3 ? "Late" : "Last", 3);
        late->injectFault(SimulatorFault::Late, EveryAnswer);
        late->setLateDelay(std::chrono::milliseconds(address == 3 ? 150 : 300));
        bus->add(address, late);
    }
    bus->add(5, Controller("Next", 4));
    LayoutBench bench(bus, 1);
    EXPECT_EQ(bench.scan(), (Lines{"Module 4: \"Late\" 3.1.0.12 (answered late)", "Module 6: \"Next\" 3.1.0.12",
                                   "Module 16: \"Last\" 3.1.0.12 (answered late)"}));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

TEST(LayoutScan, ASilentBusFindsNothingAndAFailingPortEndsTheScanWithItsMessage) {
    LayoutBench silent(std::make_shared<SimBus>());
    EXPECT_TRUE(silent.scan().empty());
    EXPECT_TRUE(silent.prompter.messages.empty());
    std::vector<LayoutModule> found;

    test::TestBench failing;
    failing.port().vanished = true;
    EXPECT_FALSE(ScanLayout(failing.session, found));
    ASSERT_EQ(failing.prompter.messages.size(), 1u);
    EXPECT_NE(failing.prompter.last().find("stopped working"), std::string::npos) << failing.prompter.last();
    EXPECT_EQ(failing.port().written.size(), 0u);
}

TEST(LayoutBackup, SavesEachControllerAsItsOwnSaveWouldAndListsThemLast) {
    LayoutBench bench;
    std::vector<ModuleResult> results;
    ASSERT_TRUE(BackupLayout(bench.session, bench.folder.path().string(), results)) << bench.prompter.last();
    EXPECT_EQ(bench.lines(results),
              (Lines{"Module 1 \"Station\": saved as module-1.dat", "Module 8 \"Main Signals\": saved as module-8.dat",
                     "Module 16 \"Yard\": saved as module-16.dat"}));
    EXPECT_EQ(test::ReadBytes(bench.folder.file("layout.txt")),
              "Vexa layout 2\r\nBase,1\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n"
              "7,\"Main Signals\",\"3.1.0.12\",\"module-8.dat\"\r\n15,\"Yard\",\"3.1.0.12\",\"module-16.dat\"\r\n");
    EXPECT_EQ(bench.session.image.module.idString, "My edits");

    // The same controllers, each read and saved on its own as the window does it.
    for (int address : {0, 7, 15}) {
        test::SimBench single(bench.bus->at(address), 10);
        single.session.link.moduleAddress = address;
        ASSERT_TRUE(ReadAll(single.session));
        const std::string own = bench.folder.file("own.dat");
        ASSERT_TRUE(SaveConfigurationFile(single.session, own, false));
        EXPECT_EQ(test::ReadBytes(bench.folder.file("module-" + std::to_string(address + 1) + ".dat")),
                  test::ReadBytes(own))
            << address;
    }
}

// Runs `hook` once the progress names a stage that starts with the given text.
struct AtStage : Progress {
    AtStage(std::string start, std::function<void()> hook) : start_(std::move(start)), hook_(std::move(hook)) {}
    void stage(const std::string& text) override {
        if (text.rfind(start_, 0) == 0)
            hook_();
    }
    bool stopRequested() override { return stop; }
    bool stop = false;

private:
    std::string start_;
    std::function<void()> hook_;
};

TEST(LayoutBackup, AFailingControllerIsReportedAndTheOthersAreStillSaved) {
    LayoutBench bench;
    AtStage progress("Module 8 \"Main Signals\": Read All: all pins",
                     [&bench] { bench.bus->at(7)->injectFault(SimulatorFault::Drop, EveryAnswer); });
    bench.session.progress = &progress;
    std::vector<ModuleResult> results;
    EXPECT_FALSE(BackupLayout(bench.session, bench.folder.path().string(), results));
    EXPECT_EQ(bench.lines(results),
              (Lines{"Module 1 \"Station\": saved as module-1.dat", "Module 8 \"Main Signals\": not saved",
                     "Module 16 \"Yard\": saved as module-16.dat"}));
    // One message for the backup, naming the board; the user's "Bidirectional Comm." stays on.
    EXPECT_EQ(bench.prompter.texts(),
              (Lines{"Back Up All did not save every controller:\r\nModule 8 \"Main Signals\": No response received"}));
    EXPECT_TRUE(bench.session.link.bidirectional);
    EXPECT_FALSE(std::filesystem::exists(bench.folder.file("module-8.dat")));
    EXPECT_EQ(test::ReadBytes(bench.folder.file("layout.txt")),
              "Vexa layout 2\r\nBase,1\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n"
              "15,\"Yard\",\"3.1.0.12\",\"module-16.dat\"\r\n");
}

TEST(LayoutBackup, AMessageFromAControllerThatWasSavedIsNotCalledAFailure) {
    LayoutBench bench;
    bench.bus->at(7)->setting(13) = {1, 1 << 4}; // a parity value without an option: the read says so
    std::vector<ModuleResult> results;
    EXPECT_TRUE(BackupLayout(bench.session, bench.folder.path().string(), results));
    ASSERT_EQ(bench.prompter.texts().size(), 1U);
    EXPECT_EQ(bench.prompter.texts()[0].rfind("Back Up All saved every controller, with these messages:\r\n"
                                              "Module 8 \"Main Signals\": Serial port answer has a parity value",
                                              0),
              0U)
        << bench.prompter.texts()[0];
    EXPECT_TRUE(VerifyLayout(bench.session, bench.folder.path().string(), {}, results));
}

// A controller that answers its version but loses every second answer: its ID string does not
// come, in the scan as in the backup. It is listed and named, and the backup is not done.
TEST(LayoutBackup, AControllerWhoseIdStringDoesNotComeIsListedAndNamedAsNotSaved) {
    auto bus = std::make_shared<SimBus>();
    bus->add(0, Controller("Station", 3));
    auto mute = Controller("Mute", 4);
    mute->injectPeriodicFault(SimulatorFault::Drop, 2);
    bus->add(7, mute);
    LayoutBench bench(bus);
    EXPECT_EQ(bench.scan(), (Lines{"Module 1: \"Station\" 3.1.0.12",
                                   "Module 8: ID string not read (No response received) 3.1.0.12"}));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    std::vector<ModuleResult> results;
    EXPECT_FALSE(BackupLayout(bench.session, bench.folder.path().string(), results));
    EXPECT_EQ(bench.lines(results),
              (Lines{"Module 1 \"Station\": saved as module-1.dat", "Module 8 (ID string not read): not saved"}));
    EXPECT_EQ(
        bench.prompter.texts(),
        (Lines{"Back Up All did not save every controller:\r\nModule 8 (ID string not read): No response received"}));
}

// A port the test unplugs: until then it passes everything to the port it wraps; afterwards
// every call fails with a reason of its own.
class UnpluggablePort : public SerialPort {
public:
    explicit UnpluggablePort(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {}
    bool open(const std::string& name) override { return inner_->open(name); }
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    bool setSettings(const std::string& settings) override { return inner_->setSettings(settings); }
    bool writeByte(std::uint8_t byte) override { return !unplugged && inner_->writeByte(byte); }
    int bytesWaiting() override { return unplugged ? -1 : inner_->bytesWaiting(); }
    int readByte() override { return unplugged ? -1 : inner_->readByte(); }
    bool waitReadable(int timeoutMs) override { return !unplugged && inner_->waitReadable(timeoutMs); }
    std::string errorString() const override { return unplugged ? "Input/output error" : inner_->errorString(); }

    bool unplugged = false;

private:
    std::unique_ptr<SerialPort> inner_;
};

// Read All, the monitor and the layout's backup tell an unplugged port in the same words,
// whatever reason the system gave for the call that failed.
TEST(LayoutBackup, APortThatStopsWorkingIsToldInTheSameWordsAsByReadAllAndTheMonitor) {
    const auto unplugged = [](test::TestBench& bench) {
        bench.session.port.watched = bench.session.port.followed = true;
        bench.port().vanished = true;
    };
    test::TestBench reading;
    unplugged(reading);
    EXPECT_FALSE(ReadAll(reading.session));
    test::TestBench polling;
    unplugged(polling);
    polling.port().error = "Bad file descriptor";
    std::string line;
    EXPECT_FALSE(MonitorTick(polling.session, line));
    const std::string words = "The serial port test stopped working; it may have been unplugged.\r\n"
                              "The port has been closed; it opens again by itself when it is plugged back in.";
    EXPECT_EQ(reading.prompter.texts(), (Lines{words}));
    EXPECT_EQ(polling.prompter.texts(), (Lines{words}));

    LayoutBench bench;
    auto port = std::make_unique<UnpluggablePort>(std::move(bench.session.port.port));
    UnpluggablePort& plug = *port;
    bench.session.port.port = std::move(port);
    bench.session.port.name = "test";
    bench.session.port.watched = bench.session.port.followed = true;
    AtStage progress("Module 8 \"Main Signals\": Read All: all pins", [&plug] { plug.unplugged = true; });
    bench.session.progress = &progress;
    std::vector<ModuleResult> results;
    EXPECT_FALSE(BackupLayout(bench.session, bench.folder.path().string(), results));
    EXPECT_EQ(bench.prompter.texts(),
              (Lines{"Back Up All did not save every controller:\r\nModule 8 \"Main Signals\": The serial port "
                     "test stopped working; it may have been unplugged. The port has been closed; it opens again "
                     "by itself when it is plugged back in."}));
}

TEST(LayoutBackup, StopEndsBetweenTwoExchangesAndLeavesFinishedFiles) {
    LayoutBench bench;
    AtStage progress("Module 8 \"Main Signals\": Read All: all pins", [&progress] { progress.stop = true; });
    bench.session.progress = &progress;
    std::vector<ModuleResult> results;
    EXPECT_FALSE(BackupLayout(bench.session, bench.folder.path().string(), results));
    // Every board found is named; those the stop kept from being saved say so.
    EXPECT_EQ(bench.lines(results), (Lines{"Module 1 \"Station\": saved as module-1.dat",
                                           "Module 8 \"Main Signals\": not saved", "Module 16 \"Yard\": not saved"}));
    EXPECT_TRUE(std::filesystem::exists(bench.folder.file("module-1.dat")));
    EXPECT_FALSE(std::filesystem::exists(bench.folder.file("module-8.dat")));
    EXPECT_FALSE(std::filesystem::exists(bench.folder.file("layout.txt")));
    // Only the scan reached the last controller: its synchronisation, version and ID string.
    EXPECT_EQ(bench.bus->at(15)->requests().size(), 3u);
    EXPECT_TRUE(bench.session.port.isOpen());
}

// The boards at 2 and 3 backed up numbered from 0, then again numbered from 1 until a stop:
// module-3.dat now holds the board at 2, and the list of the first backup must no longer give
// it to the board at 3, or a restore would write one board's backup onto the other.
TEST(LayoutBackup, AStoppedBackupWithTheOtherNumberingBaseLeavesNoFileListedForAnotherBoard) {
    auto bus = std::make_shared<SimBus>();
    bus->add(2, Controller("Low", 3));
    bus->add(3, Controller("High", 4));
    LayoutBench bench(bus);
    const std::string folder = bench.folder.path().string();
    std::vector<ModuleResult> results;
    bench.session.numberingBase = 0;
    ASSERT_TRUE(BackupLayout(bench.session, folder, results)) << bench.prompter.last();
    const ControllerMemory high = bus->at(3)->memory();

    bench.session.numberingBase = 1;
    AtStage progress("Module 4 \"High\": Read All", [&progress] { progress.stop = true; });
    bench.session.progress = &progress;
    EXPECT_FALSE(BackupLayout(bench.session, folder, results));
    EXPECT_EQ(bench.lines(results)[0], "Module 3 \"Low\": saved as module-3.dat");
    EXPECT_NE(bench.prompter.last().find("module-3.dat"), std::string::npos) << bench.prompter.last();

    Progress idle;
    bench.session.progress = &idle;
    bench.prompter.messages.clear();
    RestoreLayout(bench.session, folder, {}, results);
    EXPECT_TRUE(bus->at(3)->memory() == high) << bench.prompter.last();
    EXPECT_EQ(bench.lines(results), (Lines{"Module 3 \"Low\": Verify OK"}));
}

TEST(LayoutVerify, OnlyTheBoardWithAChangedSettingDiffers) {
    LayoutBench bench;
    std::vector<ModuleResult> results;
    ASSERT_TRUE(BackupLayout(bench.session, bench.folder.path().string(), results));
    bench.bus->at(7)->setting(SettingLedGreen) = {3};
    bench.bus->at(15)->injectFault(SimulatorFault::Drop, EveryAnswer);
    // The user's window reaches board 1 and knows its ID string.
    SetModuleAddress(bench.session, 0);
    ASSERT_TRUE(ReadIdString(bench.session));

    EXPECT_FALSE(VerifyLayout(bench.session, bench.folder.path().string(), {}, results));
    EXPECT_EQ(bench.lines(results),
              (Lines{"Module 1 \"Station\": Verify OK", "Module 8 \"Main Signals\": does not compare",
                     "  Green LED configuration does not compare", "  Verification Stopped",
                     "Module 16 \"Yard\": no answer"}));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_EQ(bench.session.link.moduleAddress, 0);
    EXPECT_FALSE(bench.session.controllerCopy().empty()); // reads leave what it knows true
}

TEST(LayoutVerify, ASlowListedBoardIsAskedWithTheNormalAnswerWait) {
    LayoutBench bench(nullptr, 1);
    std::vector<ModuleResult> results;
    ASSERT_TRUE(BackupLayout(bench.session, bench.folder.path().string(), results));
    // Its version and ID string come after 300 ms: more than the scan's wait, well within the link's.
    bench.bus->at(7)->setLateDelay(std::chrono::milliseconds(300));
    bench.bus->at(7)->injectFault(SimulatorFault::Late, 2);
    EXPECT_TRUE(VerifyLayout(bench.session, bench.folder.path().string(), {}, results)) << bench.prompter.last();
    EXPECT_EQ(bench.lines(results)[1], "Module 8 \"Main Signals\": Verify OK");
}

TEST(LayoutRestore, AsksFirstNamingEveryBoardAndSkipsABoardWithAForeignIdString) {
    LayoutBench bench;
    const std::string folder = bench.folder.path().string();
    std::vector<ModuleResult> results;
    ASSERT_TRUE(BackupLayout(bench.session, folder, results));
    bench.bus->at(0)->pin(3).flashBlock[1] = 20; // changed since the backup
    bench.bus->at(7)->erase();                   // a fresh board: no ID string
    bench.bus->at(15)->setIdString("Other");     // another board moved here
    const ControllerMemory other = bench.bus->at(15)->memory();
    SetModuleAddress(bench.session, 0); // the user's window reaches board 1 and knows its ID string
    ASSERT_TRUE(ReadIdString(bench.session));

    bench.prompter.answers = {false};
    const auto sent = bench.bus->requestBytes();
    bench.session.numberingBase = 0; // numbered from 0 now: the same boards, other numbers
    EXPECT_FALSE(RestoreLayout(bench.session, folder, {}, results));
    EXPECT_EQ(bench.bus->requestBytes(), sent);
    EXPECT_EQ(bench.prompter.last(), "Restore the 3 controllers listed in " + bench.folder.file("layout.txt") +
                                         "?\r\nModule 0 \"Station\" from module-1.dat\r\n"
                                         "Module 7 \"Main Signals\" from module-8.dat\r\n"
                                         "Module 15 \"Yard\" from module-16.dat\r\n"
                                         "(The data files were named when numbering started at 1.)\r\n"
                                         "Each is written with Write All from its data file, and what it holds now "
                                         "is overwritten.");
    bench.session.numberingBase = 1;

    bench.prompter.messages.clear();
    EXPECT_FALSE(RestoreLayout(bench.session, folder, {}, results));
    EXPECT_EQ(bench.lines(results), (Lines{"Module 1 \"Station\": Verify OK", "Module 8 \"Main Signals\": Verify OK",
                                           "Module 16 \"Yard\": skipped"}));
    EXPECT_EQ(bench.bus->at(0)->pin(3).flashBlock[1], 64);
    EXPECT_EQ(bench.bus->at(7)->idString(), "Main Signals");
    EXPECT_TRUE(bench.bus->at(15)->memory() == other);
    EXPECT_TRUE(bench.session.controllerCopy().empty()); // board 1 was written: nothing known of it
    ASSERT_EQ(bench.prompter.messages.size(), 2u);       // the question, then the skipped board
    EXPECT_NE(bench.prompter.last().find("Module 16 \"Yard\": skipped: the board at this address has the ID string "
                                         "\"Other\""),
              std::string::npos)
        << bench.prompter.last();

    // One board: one controller.
    test::WriteBytes(bench.folder.file("layout.txt"),
                     "Vexa layout 2\r\nBase,1\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n");
    bench.prompter.answers = {false};
    EXPECT_FALSE(RestoreLayout(bench.session, folder, {}, results));
    EXPECT_EQ(bench.prompter.last().rfind("Restore the 1 controller listed in", 0), 0u) << bench.prompter.last();
}

TEST(LayoutRestore, AValueThatCannotBeSentIsSaidWithItsModule) {
    LayoutBench bench;
    const std::string folder = bench.folder.path().string();
    std::vector<ModuleResult> results;
    ASSERT_TRUE(BackupLayout(bench.session, folder, results));
    const std::string file = bench.folder.file("module-8.dat");
    std::string bytes = test::ReadBytes(file);
    const std::size_t dcc = bytes.find("\"DCC\",");
    ASSERT_NE(dcc, std::string::npos);
    bytes.replace(dcc, bytes.find(',', dcc + 6) - dcc, "\"DCC\",9999");
    test::WriteBytes(file, bytes);

    EXPECT_FALSE(RestoreLayout(bench.session, folder, {}, results));
    EXPECT_EQ(bench.lines(results)[1], "Module 8 \"Main Signals\": not written");
    ASSERT_EQ(bench.prompter.messages.size(), 2u); // the question and one message for the restore
    EXPECT_NE(bench.prompter.last().find("\r\nModule 8 \"Main Signals\": DCC address = 9999 cannot be sent"),
              std::string::npos)
        << bench.prompter.last();
}

TEST(LayoutBackup, BoardsThatShareAnIdStringAreSavedWithAWarning) {
    auto bus = std::make_shared<SimBus>();
    bus->add(2, Controller("Vexa Sim", 3));
    bus->add(4, Controller("Vexa Sim", 4));
    bus->add(6, Controller("Say \"Hi\"", 5)); // written by another tool: shown so that the line stays one record
    LayoutBench bench(bus);
    std::vector<ModuleResult> results;
    EXPECT_TRUE(BackupLayout(bench.session, bench.folder.path().string(), results));
    EXPECT_EQ(bench.lines(results)[2], "Module 7 \"Say 'Hi'\": saved as module-7.dat");
    EXPECT_EQ(bench.scan()[2], "Module 7: \"Say \\\"Hi\\\"\" 3.1.0.12");
    ASSERT_EQ(bench.prompter.messages.size(), 1u); // one message for the backup
    EXPECT_EQ(bench.prompter.last().rfind("Several controllers have the same ID string:\r\n\"Vexa Sim\": Module 3, "
                                          "Module 5\r\n",
                                          0),
              0u)
        << bench.prompter.last();
    EXPECT_NE(
        bench.prompter.last().find("\r\n\r\nModule 7 \"Say \\\"Hi\\\"\": The ID string cannot hold the character \""),
        std::string::npos)
        << bench.prompter.last();
}

TEST(LayoutFile, EachFormIsReadWithTheNumberingBaseItWasMadeWith) {
    const std::string line = "1,\"Station\",\"3.1.0.12\",\"module-2.dat\"\r\n";
    struct Case {
        std::string bytes;
        std::optional<int> olderBase;
        int address; // of the one controller
        int base;
    };
    const std::vector<Case> cases{
        {"Vexa layout 2\r\nBase,1\r\n" + line, std::nullopt, 1, 1},
        {"Vexa layout 2\r\nBase,0\r\n" + line, 1, 1, 0}, // the stated base is for older files only
        {"\xEF\xBB\xBFVexa layout 2\r\nBase,1\r\n" + line, std::nullopt, 1, 1}, // saved by a Windows editor
        {"Vexa layout\r\n" + line, 1, 0, 1},
        {"Vexa layout\r\n" + line, 0, 1, 0},
    };
    for (const Case& item : cases) {
        LayoutListing listing;
        std::string problem;
        ASSERT_TRUE(ParseLayoutFile(item.bytes, item.olderBase, 15, listing, problem)) << problem << item.bytes;
        ASSERT_EQ(listing.entries.size(), 1u);
        EXPECT_EQ(listing.entries[0].address, item.address) << item.bytes;
        EXPECT_EQ(listing.numberingBase, item.base) << item.bytes;
    }
}

TEST(LayoutVerify, AFaultyLayoutFileOrDataFileIsNamedAndNothingIsSent) {
    const std::string head = "Vexa layout 2\r\nBase,1\r\n";
    const std::string good = head + "0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n";
    struct Case {
        std::string layout;
        std::string dataFile; // module-1.dat
        std::string expected; // in the message
    };
    const std::vector<Case> cases{
        {"", "", "layout.txt"},
        {"Vexa layouts\r\nBase,1\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "Line 1"},
        {"Vexa layout 2\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "Line 2: expected \"Base,0\""},
        {"Vexa layout 2\r\nBase,2\r\n0,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "Line 2"},
        {head + "0,\"Station\",\"module-1.dat\"\r\n", "", "Line 3"},
        {head + "\r\n16,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "Line 4"},
        {good + "0,\"Again\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "Line 4"},
        {head + "0,\"Station\",\"3.1.0.12\",\"../module-1.dat\"\r\n", "", "Line 3"},
        {head + "0,\"Station\",\"3.1.0.12\",\"module-1.dat\r\n", "", "Line 3: the text \"module-1.dat has no closing"},
        {head + "0,\"Station\",\"3.1.0.12\",\"module-1.dat\",\r\n", "", "Line 3: the line ends with a comma"},
        {head, "", "Line 3"},
        {"Vexa layout\r\n1,\"Station\",\"3.1.0.12\",\"module-1.dat\"\r\n", "", "was written by an earlier version"},
        {good, "", "module-1.dat"},
        {good, "VexaConfiguration 3100\r\n\"Pin\",40,0,0,\"\"\r\n", "Line 2"},
    };
    for (const Case& item : cases) {
        LayoutBench bench;
        if (!item.layout.empty())
            test::WriteBytes(bench.folder.file("layout.txt"), item.layout);
        if (!item.dataFile.empty())
            test::WriteBytes(bench.folder.file("module-1.dat"), item.dataFile);
        std::vector<ModuleResult> results;
        EXPECT_FALSE(VerifyLayout(bench.session, bench.folder.path().string(), {}, results)) << item.layout;
        EXPECT_EQ(bench.bus->requestBytes(), 0u) << item.layout;
        ASSERT_EQ(bench.prompter.messages.size(), 1u) << item.layout;
        EXPECT_NE(bench.prompter.last().find(item.expected), std::string::npos) << bench.prompter.last();
    }
}

} // namespace
} // namespace vexa
