#include "link/PortSetup.h"

#include "link/Exchange.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::ScriptedPort;

// A scripted port that logs its opens and closes.
struct LoggedPort : ScriptedPort {
    LoggedPort(test::FakeClock* clock, std::vector<std::string>& log) : ScriptedPort(clock), log_(log) {}
    bool open(const std::string& name) override {
        name_ = name;
        log_.push_back("open " + name);
        return ScriptedPort::open(name);
    }
    void close() override {
        if (isOpen())
            log_.push_back("close " + name_);
        ScriptedPort::close();
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// A session whose provider makes logged ScriptedPorts and keeps a view of each one it made.
struct SetupBench {
    SetupBench() {
        provider.names = {"/dev/ttyACM0", "/dev/ttyUSB0", "Simulator"};
        provider.factory = [this](const std::string& name) -> std::unique_ptr<SerialPort> {
            if (name == "/dev/missing")
                return nullptr;
            auto port = std::make_unique<LoggedPort>(&clock, log);
            if (name == "/dev/ttyBusy") {
                port->failOpen = true;
                port->error = "Permission denied";
            }
            made.push_back(port.get());
            return port;
        };
    }
    ScriptedPort& current() { return static_cast<ScriptedPort&>(*session.port.port); }

    test::RecordingPrompter prompter;
    test::FakeClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    std::vector<ScriptedPort*> made; // valid while the session holds them
    std::vector<std::string> log;
};

TEST(PortSetup, ScanListsThePortsAndLeavesThePortClosed) {
    SetupBench bench;
    ScanPorts(bench.session);
    EXPECT_EQ(bench.session.port.available, bench.provider.names);
    EXPECT_FALSE(bench.session.port.isOpen());

    bench.provider.names.clear();
    ScanPorts(bench.session);
    EXPECT_TRUE(bench.session.port.available.empty());
}

TEST(PortSetup, SelectOpensWithTheStoredSettingsAndResetsTheToggle) {
    SetupBench bench;
    bench.session.port.settings = "38400,o,8,1";
    bench.session.link.frameToggle = 0;
    EXPECT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    ASSERT_TRUE(bench.session.port.isOpen());
    EXPECT_EQ(bench.session.port.name, "/dev/ttyUSB0");
    EXPECT_EQ(bench.current().settings, "38400,o,8,1");
    EXPECT_EQ(bench.session.link.frameToggle, ToggleUnsynchronised);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(PortSetup, SelectingAnotherPortClosesTheFirstBeforeOpening) {
    SetupBench bench;
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyACM0"));
    EXPECT_EQ(bench.log, (std::vector<std::string>{"open /dev/ttyUSB0", "close /dev/ttyUSB0", "open /dev/ttyACM0"}));
    EXPECT_EQ(bench.session.port.name, "/dev/ttyACM0");
    EXPECT_TRUE(bench.session.port.isOpen());
}

TEST(PortSetup, FailingOpenNamesThePortAndTheReason) {
    SetupBench bench;
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    EXPECT_FALSE(SelectPort(bench.session, "/dev/ttyBusy"));
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_EQ(bench.session.port.name, "/dev/ttyBusy");
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkError);
    EXPECT_EQ(bench.prompter.last(), "The serial port /dev/ttyBusy could not be opened: Permission denied");

    // Nothing can be sent over it afterwards.
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

TEST(PortSetup, UnknownPortNameIsAClearFailure) {
    SetupBench bench;
    EXPECT_FALSE(SelectPort(bench.session, "/dev/missing"));
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_EQ(bench.prompter.last(), "The serial port /dev/missing could not be opened: there is no such port");
}

TEST(PortSetup, EmptySelectionOnlyCloses) {
    SetupBench bench;
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    EXPECT_TRUE(SelectPort(bench.session, ""));
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_EQ(bench.made.size(), 1u);
}

TEST(PortSetup, BitRateWithoutAPortOnlyStoresTheSettings) {
    SetupBench bench;
    EXPECT_TRUE(ChooseBitRate(bench.session, 0));
    EXPECT_EQ(bench.session.port.settings, "9600,o,8,1");
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_TRUE(bench.made.empty());
    EXPECT_FALSE(ChooseBitRate(bench.session, 3));
    EXPECT_FALSE(ChooseBitRate(bench.session, -1));
    EXPECT_EQ(bench.session.port.settings, "9600,o,8,1");
}

TEST(PortSetup, BitRateReopensTheChosenPortWithTheNewSettings) {
    SetupBench bench;
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    bench.session.link.frameToggle = 64;
    for (int index : {0, 2, 1}) {
        bench.log.clear();
        EXPECT_TRUE(ChooseBitRate(bench.session, index));
        EXPECT_EQ(bench.log, (std::vector<std::string>{"close /dev/ttyUSB0", "open /dev/ttyUSB0"}));
        ASSERT_TRUE(bench.session.port.isOpen());
        EXPECT_EQ(bench.current().settings, BitRateSettings[static_cast<std::size_t>(index)]);
        EXPECT_EQ(bench.session.link.frameToggle, ToggleUnsynchronised);
        bench.session.link.frameToggle = 0;
    }
    EXPECT_EQ(BitRateSettings[0], std::string("9600,o,8,1"));
    EXPECT_EQ(BitRateSettings[1], std::string("19200,o,8,1"));
    EXPECT_EQ(BitRateSettings[2], std::string("38400,o,8,1"));
}

TEST(PortSetup, BitRateIndexFindsTheOption) {
    EXPECT_EQ(BitRateIndex("9600,o,8,1"), 0);
    EXPECT_EQ(BitRateIndex("19200,o,8,1"), 1);
    EXPECT_EQ(BitRateIndex("38400,o,8,1"), 2);
    EXPECT_EQ(BitRateIndex("38400,n,8,1"), -1);
}

TEST(PortSetup, RefreshClosesForgetsAndScansAgain) {
    SetupBench bench;
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    bench.provider.names = {"/dev/ttyS4", "Simulator"};
    RefreshPorts(bench.session);
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_TRUE(bench.session.port.name.empty());
    EXPECT_EQ(bench.session.port.available, bench.provider.names);
    // A bit-rate change after the refresh does not reopen anything.
    EXPECT_TRUE(ChooseBitRate(bench.session, 2));
    EXPECT_FALSE(bench.session.port.isOpen());
}

} // namespace
} // namespace vexa
