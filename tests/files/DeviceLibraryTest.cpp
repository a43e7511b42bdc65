#include "ConfigFileTestSupport.h"
#include "TestSeams.h"

#include "files/DeviceLibraryActions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vexa::test {
namespace {

// A three-pin device: a head with a four-aspect program (aspect 1 has steps but no
// description), a PWM member and an input member.
const std::vector<std::string> ThreePinDevice{
    "\"VexaDeviceDefinitions Test 1\"",
    "\"Dev\",\"Three\"",
    "  \"Pin\",0,3,1,\"head\"",
    "    \"Cfg\",1,64,18,64,127,58,12,20,74,60,68,40",
    "    \"PAM\",1,2,2",
    "    \"Asp\",0,\"Stop\"",
    "      \"Ins\",0,29,0,1,0,0",
    "      \"Ins\",3,100,0,44,40,0",
    "    \"Asp\",1,\"\"",
    "      \"Ins\",0,9,1,0,0,0",
    "  \"Pin\",1,0,0,\"lamp\"",
    "    \"Cfg\",2,0,1,28,0,31",
    "    \"PAM\",0,0,0",
    "  \"Pin\",2,0,0,\"button\"",
    "    \"Cfg\",5,0,0,4,6",
    "    \"PAM\",0,0,0",
    "\"End\"",
};

class DeviceLibraryTest : public ::testing::Test {
protected:
    Session& session() { return bench.session; }
    PinRecord& pin(int p) { return session().image.pins[static_cast<std::size_t>(p)]; }
    std::string library(const std::string& name, const std::vector<std::string>& lines) {
        const std::string path = folder.file(name);
        WriteBytes(path, JoinCrLf(lines));
        return path;
    }

    TestBench bench;
    TemporaryFolder folder;
};

TEST_F(DeviceLibraryTest, DeviceLoadedAtPin30WrapsAndSavesHeadFirstThenMembersAscending) {
    ASSERT_TRUE(AddDeviceLibrary(session(), library("three.def", ThreePinDevice), false));
    pin(0).description = "old";
    pin(0).aspectLayout = LayoutFourByNine;
    pin(0).aspects[2].steps[4] = AspectStep{9, 1, 1, 1, 1, 1};
    ASSERT_TRUE(LoadDevice(session(), "Three", 30));

    EXPECT_EQ(pin(30).deviceReferral, 0);
    EXPECT_EQ(pin(30).deviceDescription, "Three");
    EXPECT_EQ(pin(31).deviceReferral, -1);
    EXPECT_EQ(pin(0).deviceReferral, 30) << "pin 0 refers to head 30";
    EXPECT_EQ(pin(0).description, "button");
    EXPECT_EQ(pin(0).aspects[2].steps[4], AspectStep{}) << "steps are cleared";
    EXPECT_EQ((std::array<int, 3>{pin(30).xdccAddressCount, pin(30).dccAddressCount, pin(30).lumoAddressCount}),
              (std::array<int, 3>{1, 2, 2}));
    EXPECT_EQ(pin(30).aspects[0].steps[0], (AspectStep{13, 1, 0, 1, 0, 0})) << "fade split as in the data file";
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkWarning);
    EXPECT_EQ(bench.prompter.last(), "The following Pin numbers were already used: \n\r 0");

    const std::string saved = folder.file("saved.def");
    ASSERT_TRUE(SaveDevice(session(), 0, saved)) << "saved from a member: the device around it";
    // Named after the device; head 30, then pin 0 (r = 2), then pin 31 (r = 1); the aspect with
    // steps but no description is saved too.
    const std::vector<std::string>& in = ThreePinDevice;
    std::vector<std::string> expected{"\"VexaDeviceDefinitions Three\""};
    expected.insert(expected.end(), in.begin() + 1, in.begin() + 10);
    expected.insert(expected.end(), in.begin() + 13, in.begin() + 16);
    expected.insert(expected.end(), in.begin() + 10, in.begin() + 13);
    expected.push_back(in.back());
    EXPECT_EQ(SplitCrLfLines(ReadBytes(saved)), expected);

    // The saved device loads back elsewhere with the same pins, the input's four parameters included.
    const ConfigurationImage before = session().image;
    ASSERT_TRUE(AddDeviceLibrary(session(), saved, false));
    ASSERT_TRUE(LoadDevice(session(), "Three", 10));
    EXPECT_EQ(pin(12).configType, 5);
    EXPECT_EQ(pin(12).configParams, before.pins[0].configParams);
    EXPECT_EQ(pin(11).configParams, before.pins[31].configParams);
    EXPECT_EQ(pin(10).aspects, before.pins[30].aspects);
}

TEST_F(DeviceLibraryTest, LoadingOverAnotherHeadDetachesItsMembersAndPwmLevelsMayBeMissing) {
    // Pins 5..7 form a device headed by 5; the three-pin device loaded at 3 covers its head.
    pin(5).deviceDescription = "Old";
    pin(6).deviceReferral = -1;
    pin(7).deviceReferral = -2;
    ASSERT_TRUE(AddDeviceLibrary(session(), library("three.def", ThreePinDevice), false));
    ASSERT_TRUE(LoadDevice(session(), "Three", 3));
    EXPECT_EQ(pin(5).deviceReferral, -2);
    EXPECT_EQ(pin(5).deviceDescription, "");
    EXPECT_EQ(pin(6).deviceReferral, 0) << "detached from the old head";
    EXPECT_EQ(pin(7).deviceReferral, 0);

    ASSERT_TRUE(AddDeviceLibrary(session(),
                                 library("short.def", {"\"VexaDeviceDefinitions\"", "\"Dev\",\"Lamp\"",
                                                       "\"Pin\",0,0,0,\"lamp\"", "\"Cfg\",2,5,1,28", "\"PAM\",0,3,0",
                                                       "\"Dev\",\"Other\"", "\"Pab\",9,0,0,\"x\"", "\"End\""}),
                                 false));
    EXPECT_EQ(session().devices.caption, "Unknown");
    pin(20).param(4) = 7;
    pin(20).param(5) = 25;
    ASSERT_TRUE(LoadDevice(session(), "Lamp", 20));
    EXPECT_EQ(pin(20).param(3), 28);
    EXPECT_EQ(pin(20).param(4), 7) << "p4 and p5 kept";
    EXPECT_EQ(pin(20).param(5), 25);
    EXPECT_EQ(pin(20).dccAddressCount, 3) << "the field after p3 is read as a keyword";
    EXPECT_TRUE(bench.prompter.messages.empty());
    EXPECT_EQ(pin(9).description, "") << "the next device is not loaded";
}

TEST_F(DeviceLibraryTest, MalformedLibrariesChangeNothing) {
    const std::string bad = library("bad.def", {"\"VexaConfiguration 3100\"", "\"End\""});
    ASSERT_FALSE(AddDeviceLibrary(session(), bad, false));
    EXPECT_EQ(bench.prompter.last(),
              "Invalid definition file\r\nThe file " + bad + " does not start with \"VexaDeviceDefinitions\"");
    EXPECT_EQ(session().devices.caption, "None");

    // A huge relative pin wraps; a field that does not fit ends the load of that device alone.
    const std::string path =
        library("open.def", {"\"VexaDeviceDefinitions v2\"", "\"Dev\",\"Far\"", "\"Pin\",32001,0,0,\"far\"",
                             "\"Dev\",\"Broken\"", "\"Pin\",0,0,0,\"a\"", "\"Pin\",1,0,0,\"b\"", "\"PAM\",1,x,1",
                             "\"Dev\",\"Quote\"\"", "\"Dev\",\"Wide\"", "\"Pin\",40000,0,0,\"c\"", "\"End\""});
    ASSERT_TRUE(AddDeviceLibrary(session(), path, false));
    EXPECT_EQ(session().devices.caption, "v2");
    ASSERT_EQ(session().devices.entries.size(), 4u);
    EXPECT_EQ(session().devices.entries[2].name, "Quote");
    ASSERT_TRUE(LoadDevice(session(), "Far", 0));
    EXPECT_EQ(pin(1).description, "far") << "32001 mod 32 = 1";

    const ConfigurationImage before = session().image;
    bench.prompter.messages.clear();
    EXPECT_FALSE(LoadDevice(session(), "Broken", 20));
    EXPECT_EQ(bench.prompter.last(),
              "Invalid definition file\r\n" + path + ": Line 7: the DCC address count is not a whole number: \"x\"");
    EXPECT_FALSE(LoadDevice(session(), "Wide", 20));
    EXPECT_EQ(bench.prompter.last(),
              "Invalid definition file\r\n" + path + ": Line 10: the relative pin 40000 is outside -32768..32767");
    EXPECT_FALSE(LoadDevice(session(), "", 20));
    EXPECT_EQ(bench.prompter.last(), "Select Devicename to load");
    EXPECT_EQ(session().image, before);
}

TEST_F(DeviceLibraryTest, ALibraryCutOffOrWithAnOpenQuoteIsInvalidAsAWhole) {
    const std::vector<std::string> whole = {"\"VexaDeviceDefinitions Cut\"", "\"Dev\",\"Lamp\"",
                                            "\"Pin\",0,3,1,\"lamp\"", "\"Asp\",0,\"On\"", "\"End\""};
    struct Case {
        const char* name;
        std::string bytes;
        std::string problem;
    };
    const std::string full = JoinCrLf(whole);
    const std::vector<Case> cases{
        {"cut inside the device", full.substr(0, full.find("\"Asp\"")),
         "Line 4: the file ends before the \"End\" line"},
        {"cut inside a text field", full.substr(0, full.find("On\"") + 1),
         "Line 4: the text field has no closing quote"},
        {"an open quote before the end", JoinCrLf({whole[0], whole[1], "\"Pin\",0,3,1,\"lamp", whole[3], whole[4]}),
         "Line 3: the text field has no closing quote"},
    };
    const std::string good = library("good.def", whole);
    for (const Case& c : cases) {
        ASSERT_TRUE(AddDeviceLibrary(session(), good, false));
        const std::string path = folder.file("cut.def");
        WriteBytes(path, c.bytes);
        const DeviceCatalogue catalogue = session().devices;
        bench.prompter.messages.clear();
        EXPECT_FALSE(AddDeviceLibrary(session(), path, true)) << c.name;
        EXPECT_EQ(bench.prompter.last(), "Invalid definition file\r\n" + path + ": " + c.problem) << c.name;
        EXPECT_EQ(session().devices.entries, catalogue.entries) << c.name;

        // The same file cut after its devices were listed: the device does not load.
        WriteBytes(good, c.bytes);
        const ConfigurationImage before = session().image;
        EXPECT_FALSE(LoadDevice(session(), "Lamp", 4)) << c.name;
        EXPECT_EQ(bench.prompter.last(), "Invalid definition file\r\n" + good + ": " + c.problem) << c.name;
        EXPECT_EQ(session().image, before) << c.name;
        WriteBytes(good, full);
    }
}

TEST_F(DeviceLibraryTest, CaptionAfterTwoShiftReloadsIsJoinedThenCut) {
    ScriptedFileDialogs dialogs;
    const std::string first =
        library("first.def", {"\"VexaDeviceDefinitions Standard 1.0\"", "\"Dev\",\"A\"", "\"End\""});
    dialogs.names = {
        library("second.def", {"\"VexaDeviceDefinitions Signals of the branch line\"", "\"Dev\",\"B\"", "\"End\""}),
        library("third.def", {"\"VexaDeviceDefinitions Depot\"", "\"Dev\",\"C\"", "\"End\""})};
    ASSERT_TRUE(AddDeviceLibrary(session(), first, false));
    ASSERT_TRUE(ReloadDeviceLibrary(session(), dialogs, true));
    EXPECT_EQ(session().devices.caption, "Standard 1.0 + Signals of the branch line");
    ASSERT_TRUE(ReloadDeviceLibrary(session(), dialogs, true));
    const std::string joined = "Standard 1.0 + Signals of the branch line + Depot";
    EXPECT_EQ(joined.size(), 49u);
    EXPECT_EQ(session().devices.caption, joined);
    ASSERT_TRUE(AddDeviceLibrary(session(), first, true));
    EXPECT_EQ(session().devices.caption, ".." + (joined + " + Standard 1.0").substr(16));
    EXPECT_EQ(session().devices.caption.size(), 50u);
    ASSERT_EQ(session().devices.entries.size(), 4u);
    EXPECT_EQ(session().devices.entries[1].path, folder.file("second.def"));

    EXPECT_FALSE(ReloadDeviceLibrary(session(), dialogs, false)) << "dialog cancelled";
    EXPECT_EQ(bench.prompter.last(), "No Device Configuration file selected");
    EXPECT_EQ(session().devices.entries.size(), 4u);
}

TEST_F(DeviceLibraryTest, StandardLibraryMissingAsksForOne) {
    ScriptedFileDialogs dialogs;
    dialogs.names = {library("chosen.def", {"\"VexaDeviceDefinitions Mine\"", "\"Dev\",\"A\"", "\"End\""})};
    ASSERT_TRUE(LoadStandardDeviceLibrary(session(), dialogs, folder.file("nowhere")));
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"Can not find Device Configuration file at standard "
                                                               "location\r\nThe file " +
                                                               folder.file("nowhere/VexaDevices.def") +
                                                               " could not be read:\r\nNo such file or directory"});
    EXPECT_EQ(session().devices.caption, "Mine");

    EXPECT_FALSE(LoadStandardDeviceLibrary(session(), dialogs, folder.file("nowhere")));
    EXPECT_EQ(bench.prompter.last(), "No Device Configuration available");
    EXPECT_TRUE(session().devices.entries.empty());
}

TEST_F(DeviceLibraryTest, SaveRefusesNonHeadsAndAFailedSaveKeepsTheOldFile) {
    pin(3).deviceReferral = -1;
    pin(2).deviceReferral = 1;
    const std::string path = folder.file("keep.def");
    WriteBytes(path, "old");
    EXPECT_FALSE(SaveDevice(session(), 3, path));
    EXPECT_EQ(bench.prompter.last(), "Referral is not a device");

    pin(2).deviceReferral = 0;
    pin(2).deviceDescription = "Quoted \"name\"";
    // A name that just fits leaves the longer temporary name no room: the save fails.
    const std::string tight = folder.file(std::string(250, 'k') + ".def");
    WriteBytes(tight, "old");
    EXPECT_FALSE(SaveDevice(session(), 3, tight));
    EXPECT_EQ(ReadBytes(tight), "old");
    ASSERT_TRUE(SaveDevice(session(), 3, path));
    EXPECT_EQ(SplitCrLfLines(ReadBytes(path))[0], "\"VexaDeviceDefinitions Quoted 'name'\"");

    // A text that a reader would take for a keyword is never written; the file stays.
    pin(3).aspectLayout = LayoutTwelveByThree;
    const std::string saved = ReadBytes(path);
    struct Case {
        std::function<void()> set;
        std::string message;
    };
    const std::vector<Case> cases{
        {[this] { pin(2).deviceDescription = "End"; }, "the device name \"End\""},
        {[this] { pin(3).description = "Dev"; }, "the description of pin 4 \"Dev\""},
        {[this] { pin(3).aspects[11].description = "Pab"; }, "the description of aspect 11 of pin 4 \"Pab\""},
        {[this] { pin(3).aspects[1].description = "IEE"; }, "the description of aspect 1 of pin 4 \"IEE\""},
    };
    for (const Case& c : cases) {
        const ConfigurationImage before = session().image;
        c.set();
        EXPECT_FALSE(SaveDevice(session(), 3, path)) << c.message;
        EXPECT_EQ(bench.prompter.last(), "The device cannot be saved: " + c.message +
                                             " is a keyword of the data file and the device library: choose another");
        EXPECT_EQ(ReadBytes(path), saved);
        session().image = before;
    }
}

} // namespace
} // namespace vexa::test
