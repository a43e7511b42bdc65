#include "link/PortList.h"
#include "link/PortSetup.h"
#include "link/PortWatch.h"
#include "link/RememberedLink.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

// A provider that knows descriptions and who owns each device, and whose ports can be
// denied or pulled out.
struct DescribedProvider : test::ScriptedPortProvider {
    std::vector<PortInfo> listPorts() override { return ports; }
    PortAccess accessOf(const std::string& name) override {
        asked.push_back(name);
        return access;
    }
    std::vector<PortInfo> ports;
    PortAccess access;
    std::vector<std::string> asked;
};

struct DeniedPort : test::ScriptedPort {
    DeniedPort() {
        failOpen = true;
        error = "Permission denied";
    }
    bool accessDenied() const override { return true; }
};

struct PortBench {
    test::RecordingPrompter prompter;
    test::FakeClock clock;
    DescribedProvider provider;
    Session session{prompter, clock, provider};
};

TEST(PortList, SortsNaturallyWithUsbAdaptersFirstAndShowsWhatTheSystemSays) {
    PortBench bench;
    bench.provider.ports = {{"/dev/ttyS10", "", "", false, {}},
                            {"Simulator", "", "", false, {}},
                            {"/dev/ttyUSB10", "FT232R USB UART", "FTDI", true, {}},
                            {"/dev/ttyS2", "", "", false, {}},
                            {"/dev/ttyACM0", "Arduino Uno", "Arduino (www.arduino.cc)", true, {}},
                            {"/dev/ttyUSB2", "USB Serial", "", true, {}}};
    ScanPorts(bench.session);
    EXPECT_EQ(bench.session.port.available, (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                                                      "/dev/ttyS2", "/dev/ttyS10", "Simulator"}));
    EXPECT_TRUE(NaturalLess("COM2", "COM10"));
    EXPECT_FALSE(NaturalLess("/dev/ttyS10", "/dev/ttyS9"));

    EXPECT_EQ(PortDisplayText(bench.session.port.listed[2]), "/dev/ttyUSB10 \u2013 FT232R USB UART (FTDI)");
    EXPECT_EQ(PortDisplayText(bench.session.port.listed[1]), "/dev/ttyUSB2 \u2013 USB Serial");
    EXPECT_EQ(PortDisplayText(bench.session.port.listed[3]), "/dev/ttyS2");
    // Choosing an entry, or typing a path, opens the system name.
    EXPECT_EQ(PortNameFromText(PortDisplayText(bench.session.port.listed[2])), "/dev/ttyUSB10");
    EXPECT_EQ(PortNameFromText("  /dev/pts/3 "), "/dev/pts/3");
}

TEST(PortList, ComPortsSortAsSystemPortsAndOpenByTheirDevicePath) {
    PortBench bench;
    bench.provider.ports = {{"Simulator", "", "", false, {}},
                            {"COM10", "Communications Port", "", false, {}},
                            {"COM3", "USB Serial Port", "FTDI", true, {}},
                            {"COM2", "", "", false, {}}};
    ScanPorts(bench.session);
    EXPECT_EQ(bench.session.port.available, (std::vector<std::string>{"COM3", "COM2", "COM10", "Simulator"}));
    EXPECT_EQ(PortDisplayText(bench.session.port.listed[0]), "COM3 \u2013 USB Serial Port (FTDI)");

    const std::vector<std::pair<std::string, std::string>> paths{{"COM3", "\\\\.\\COM3"},
                                                                 {"COM12", "\\\\.\\COM12"},
                                                                 {"com7", "\\\\.\\com7"},
                                                                 {"\\\\.\\COM12", "\\\\.\\COM12"},
                                                                 {"/dev/ttyUSB0", "/dev/ttyUSB0"},
                                                                 {"COM", "COM"},
                                                                 {"COMX", "COMX"},
                                                                 {"Simulator", "Simulator"}};
    for (const auto& [name, path] : paths)
        EXPECT_EQ(ComDevicePath(name), path) << name;
    for (const char* name : {"COM1", "COM256", "\\\\.\\COM12", "/dev/ttyS0"})
        EXPECT_TRUE(IsSystemPortName(name)) << name;
    for (const char* name : {"Simulator", "Simulator (Corvan)", "COM", "COMPUTER", ""})
        EXPECT_FALSE(IsSystemPortName(name)) << name;
}

TEST(PortList, DeniedAccessNamesThePortTheReasonAndTheGroupToJoin) {
    PortBench bench;
    bench.provider.factory = [](const std::string&) { return std::make_unique<DeniedPort>(); };
    bench.provider.access = {"dialout", "anna", false, false};
    EXPECT_FALSE(SelectPort(bench.session, "/dev/ttyUSB0"));
    EXPECT_EQ(bench.provider.asked, std::vector<std::string>{"/dev/ttyUSB0"});
    EXPECT_EQ(bench.prompter.last(), "The serial port /dev/ttyUSB0 could not be opened: Permission denied\r\n"
                                     "Only members of the group \"dialout\" may open it. Join the group with\r\n"
                                     "    sudo usermod -aG dialout anna\r\n"
                                     "then log out and log in again.");

    // Already in the group database, but not in this login: only logging in again helps.
    bench.provider.access = {"uucp", "anna", true, false};
    EXPECT_FALSE(SelectPort(bench.session, "/dev/ttyS0"));
    EXPECT_NE(bench.prompter.last().find("member of the group \"uucp\""), std::string::npos);
    EXPECT_NE(bench.prompter.last().find("log out and log in again"), std::string::npos);
    EXPECT_EQ(bench.prompter.last().find("usermod"), std::string::npos);
}

TEST(PortList, APulledAdapterIsReportedOnceAndOpenedAgainWhenItComesBack) {
    PortBench bench;
    const PortInfo adapter{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", true, {}};
    bench.provider.ports = {adapter, {"Simulator", "", "", false, {}}};
    ScanPorts(bench.session);
    ASSERT_TRUE(SelectPort(bench.session, "/dev/ttyUSB0"));
    bench.session.image.pins[3].description = "Signal";

    bench.provider.ports = {{"Simulator", "", "", false, {}}};
    PortWatchReport report = WatchPorts(bench.session);
    EXPECT_TRUE(report.listChanged);
    EXPECT_FALSE(bench.session.port.isOpen());
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_NE(bench.prompter.last().find("/dev/ttyUSB0 stopped working"), std::string::npos);
    report = WatchPorts(bench.session);
    EXPECT_FALSE(report.listChanged);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);

    // Not while an operation runs.
    bench.provider.ports = {adapter, {"Simulator", "", "", false, {}}};
    bench.session.operationRunning = true;
    EXPECT_FALSE(WatchPorts(bench.session).listChanged);
    EXPECT_FALSE(bench.session.port.isOpen());
    bench.session.operationRunning = false;

    report = WatchPorts(bench.session);
    EXPECT_TRUE(bench.session.port.isOpen());
    EXPECT_EQ(bench.session.port.name, "/dev/ttyUSB0");
    EXPECT_EQ(report.status, "The serial port /dev/ttyUSB0 is back and open again.");
    EXPECT_EQ(bench.session.image.pins[3].description, "Signal");
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
}

// A USB adapter is found again by its serial number on another port name, at start and when it
// comes back; one that is not there at start stays chosen and lost, never replaced.
TEST(PortList, ARememberedAdapterIsFoundByItsSerialNumberAndAnAbsentOneWaits) {
    PortBench bench;
    const PortInfo simulator{"Simulator", "", "", false, {}};
    bench.provider.ports = {{"/dev/ttyUSB1", "FT232R USB UART", "FTDI", true, "A10K"}, simulator};
    ScanPorts(bench.session);
    RememberedLink link{"/dev/ttyUSB0", "A10K", "38400,o,8,1", 7, false, 0};
    EXPECT_EQ(RestoreLink(bench.session, link), "");
    EXPECT_EQ(bench.session.port.name, "/dev/ttyUSB1");
    EXPECT_TRUE(bench.session.port.isOpen());
    EXPECT_EQ(RememberLink(bench.session), (RememberedLink{"/dev/ttyUSB1", "A10K", "38400,o,8,1", 7, false, 0}));

    PortBench absent;
    absent.provider.ports = {simulator};
    ScanPorts(absent.session);
    EXPECT_EQ(RestoreLink(absent.session, link), "The serial port /dev/ttyUSB0 chosen last time is not there; it "
                                                 "opens by itself when it is plugged in.");
    EXPECT_EQ(absent.session.port.name, "/dev/ttyUSB0");
    EXPECT_TRUE(absent.session.port.lost);
    absent.provider.ports = {{"/dev/ttyUSB3", "FT232R USB UART", "FTDI", true, "A10K"}, simulator};
    EXPECT_EQ(WatchPorts(absent.session).status, "The serial port /dev/ttyUSB3 is back and open again.");
    EXPECT_TRUE(absent.session.port.isOpen());
    EXPECT_TRUE(absent.prompter.messages.empty()) << absent.prompter.last();
}

} // namespace
} // namespace vexa
