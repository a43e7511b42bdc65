#include "ConfigFileTestSupport.h"

#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"

#include <gtest/gtest.h>

namespace vexa::test {
namespace {

// A file with the given header version text, the given lines and an "End" line.
std::string DataFile(const std::string& version, const std::vector<std::string>& lines) {
    std::vector<std::string> all{"\"VexaConfiguration " + version + "\""};
    all.insert(all.end(), lines.begin(), lines.end());
    all.push_back("\"End\"");
    return JoinCrLf(all);
}

struct ReadOutcome {
    bool header = false;
    bool body = false;
    int version = 0;
    std::string problem;
};

ReadOutcome Read(const std::string& bytes, ConfigurationImage& image) {
    ConfigFileReader reader(bytes);
    ReadOutcome outcome;
    outcome.header = reader.readHeader();
    if (outcome.header) {
        outcome.version = reader.version();
        outcome.body = reader.readBody(image);
        outcome.problem = reader.problem();
    }
    return outcome;
}

void ExpectReads(const std::string& bytes, ConfigurationImage& image) {
    const ReadOutcome outcome = Read(bytes, image);
    ASSERT_TRUE(outcome.header);
    ASSERT_TRUE(outcome.body) << outcome.problem;
}

TEST(ConfigFileReaderTest, HeaderMustBeTwentyTwoCharactersStartingWithTheName) {
    ConfigurationImage image;
    EXPECT_FALSE(Read("", image).header);
    EXPECT_FALSE(Read("\"VexaConfiguration 310\"\r\n\"End\"\r\n", image).header);
    EXPECT_FALSE(Read("\"VexaConfiguration 31000\"\r\n\"End\"\r\n", image).header);
    EXPECT_FALSE(Read("\"VexaDeviceDefinitions \"\r\n\"End\"\r\n", image).header);
    EXPECT_FALSE(Read("\"vexaConfiguration 3100\"\r\n\"End\"\r\n", image).header);

    ReadOutcome outcome = Read("\"VexaConfigurationX3100\"\r\n\"End\"\r\n", image);
    EXPECT_TRUE(outcome.header) << "only the first 17 characters are compared";
    EXPECT_EQ(outcome.version, 3100);
    outcome = Read(DataFile("0031", {}), image);
    EXPECT_EQ(outcome.version, 31);
    outcome = Read(DataFile("abcd", {}), image);
    EXPECT_TRUE(outcome.header);
    EXPECT_EQ(outcome.version, 0);
}

TEST(ConfigFileReaderTest, InstructionFieldsBetween19And63CarryTheFadeFlag) {
    ConfigurationImage image;
    image.pins[0].aspects[0].steps[5].fade = 1; // left as it is by whole instruction fields
    ExpectReads(DataFile("3100", {"\"Ins\",0,22,1,2,3,4", "\"Ins\",1,48,0,0,0,0", "\"Ins\",2,38,0,0,0,0",
                                  "\"Ins\",3,16,0,0,0,0", "\"Ins\",4,17,0,0,0,0", "\"Ins\",5,18,0,0,0,0",
                                  "\"Ins\",6,80,0,0,0,0", "\"Ins\",7,19,0,0,0,0", "\"Ins\",8,63,0,0,0,0"}),
                image);
    const auto& steps = image.pins[0].aspects[0].steps;
    EXPECT_EQ(steps[0], (AspectStep{6, 1, 1, 2, 3, 4}));
    EXPECT_EQ(steps[1], (AspectStep{32, 1, 0, 0, 0, 0}));
    EXPECT_EQ(steps[2], (AspectStep{38, 0, 0, 0, 0, 0}));
    EXPECT_EQ(steps[3].instruction, 16);
    EXPECT_EQ(steps[4].instruction, 17);
    EXPECT_EQ(steps[5].instruction, 18);
    EXPECT_EQ(steps[5].fade, 1);
    EXPECT_EQ(steps[6].instruction, 80);
    EXPECT_EQ(steps[7], (AspectStep{3, 1, 0, 0, 0, 0}));
    EXPECT_EQ(steps[8], (AspectStep{47, 1, 0, 0, 0, 0}));
}

TEST(ConfigFileReaderTest, Version31WithLeadingZerosHasNoExtendedDccFields) {
    ConfigurationImage image;
    image.module.xdccAddress = 77;
    image.pins[2].xdccAddressCount = 0;
    ExpectReads(DataFile("0031", {"\"DCC\",12,13", "\"XAD\",64,0,5,0,0,0,0", "\"Pin\",2,0,0,\"P\"", "\"PAM\",4,5"}),
                image);
    EXPECT_EQ(image.module.dccAddress, 12);
    EXPECT_EQ(image.module.xdccAddress, 77);
    EXPECT_EQ(image.module.dccPacketRepeat, 1);
    EXPECT_TRUE(image.module.dccStateInvert);
    EXPECT_TRUE(image.module.dccAllowZero);
    EXPECT_FALSE(image.module.nativeMode) << "older files do not carry native mode";
    EXPECT_EQ(image.pins[2].xdccAddressCount, 1) << "set by the Pin line, not read from PAM";
    EXPECT_EQ(image.pins[2].dccAddressCount, 4);
    EXPECT_EQ(image.pins[2].lumoAddressCount, 5);
}

TEST(ConfigFileReaderTest, OlderVersionsReadShorterLines) {
    ConfigurationImage image;
    image.module.dccPacketRepeat = 3;
    ExpectReads(DataFile("0022", {"\"DCC\",40,\"ID$\",\"id\""}), image);
    EXPECT_EQ(image.module.dccAddress, 40);
    EXPECT_EQ(image.module.dccPacketRepeat, 3) << "version 22 has no option byte";
    EXPECT_EQ(image.module.idString, "id");

    image.pins[5].configParams.fill(9);
    ExpectReads(DataFile("0019", {"\"Pin\",5,0,0,\"\"", "\"Cfg\",2,10,1,7", "\"Cfg\",9,9,9"}), image);
    EXPECT_EQ(image.pins[5].configParams, (std::array<std::uint8_t, 11>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))
        << "the unknown type 9 empties the type and every parameter";
    ExpectReads(DataFile("0019", {"\"Pin\",5,0,0,\"\"", "\"Cfg\",3,10,1,7"}), image);
    EXPECT_EQ(image.pins[5].configType, 3);
    EXPECT_EQ(image.pins[5].configParams, (std::array<std::uint8_t, 11>{10, 1, 7, 0, 31, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(image.pins[5].liveValue, 10);

    ExpectReads(DataFile("0020", {"\"Cfg\",2,1,2,3,4,5"}), image);
    EXPECT_EQ(image.pins[0].configParams, (std::array<std::uint8_t, 11>{1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0}));
}

TEST(ConfigFileReaderTest, NativeModeFollowsTheRoundedBlockFromVersion3100On) {
    const std::vector<std::pair<std::string, bool>> cases{{"64", true},   {"0", false},  {"96", false}, {"95", true},
                                                          {"160", false}, {"192", true}, {"-64", true}};
    for (const auto& [block, native] : cases) {
        ConfigurationImage image;
        image.module.lumoFlexAddressing = true;
        image.module.lumoFlexBlock = 9;
        ExpectReads(DataFile("3100", {"\"XAD\"," + block + ",0,95,15,0,3,8"}), image);
        EXPECT_EQ(image.module.nativeMode, native) << "block " << block;
        EXPECT_FALSE(image.module.lumoFlexAddressing);
        EXPECT_EQ(image.module.lumoFlexBlock, 0);
        EXPECT_EQ(image.module.moduleXAddress, 95);
    }
    ConfigurationImage image;
    image.module.nativeMode = true;
    ExpectReads(DataFile("3100", {"\"XAD\",100,1,0,15,0,3,8"}), image);
    EXPECT_TRUE(image.module.lumoFlexAddressing);
    EXPECT_FALSE(image.module.nativeMode);
    EXPECT_EQ(image.module.lumoFlexBlock, 100);
    const std::array<bool, 16> mask{true, true, true,  true,  false, false, false, false,
                                    true, true, false, false, false, false, false, true};
    EXPECT_EQ(image.module.groupMask, mask);
}

TEST(ConfigFileReaderTest, ServoOptionBitsOfTheOlderEncodingAreConverted) {
    const std::vector<std::pair<int, int>> cases{{16, 41}, {24, 24}, {12, 12}, {32, 42}, {255, 255}, {144, 49}};
    for (const auto& [inFile, expected] : cases) {
        ConfigurationImage image;
        ExpectReads(DataFile("3100", {"\"Cfg\",1,70," + std::to_string(inFile) + ",3,4,5,6,7,8,9,10,11"}), image);
        EXPECT_EQ(image.pins[0].param(2), expected) << "p2 " << inFile;
        EXPECT_EQ(image.pins[0].liveValue, 70);
    }
}

TEST(ConfigFileReaderTest, InputTypesKeepTheParametersTheyDoNotName) {
    ConfigurationImage image;
    image.pins[0].configParams.fill(7);
    ExpectReads(DataFile("3100", {"\"Cfg\",4,1,2,3,4"}), image);
    EXPECT_EQ(image.pins[0].configParams, (std::array<std::uint8_t, 11>{1, 2, 3, 4, 7, 7, 7, 7, 7, 7, 7}));
}

TEST(ConfigFileReaderTest, ExtraFieldsAreSkippedUnlessTheyAreKeywords) {
    ConfigurationImage image;
    ExpectReads(DataFile("3100", {"\"LED\",3,4,\"extra\",99,,\"Unknown\",7", "\"Pin\",3,0,0,\"x\",\"Asp\",5,\"A5\"",
                                  "junk,\"ID$\",\"found\",\"more\""}),
                image);
    EXPECT_EQ(image.module.ledGreen, (std::array<std::uint8_t, 8>{1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(image.module.ledOrange, (std::array<std::uint8_t, 8>{0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(image.pins[3].aspects[5].description, "A5");
    EXPECT_EQ(image.module.idString, "found");
}

TEST(ConfigFileReaderTest, LineEndsOnlySeparateFields) {
    ConfigurationImage image;
    ExpectReads("\"VexaConfiguration 3100\"\n\"Pin\",4,\r\n3\r\n1,\r\n\r\n\"Desc\"\r\"Dev\",-2,\"Dv\"\r\n\"End\"",
                image);
    EXPECT_EQ(image.pins[4].aspectLayout, 3);
    EXPECT_EQ(image.pins[4].initialAspect, 1);
    EXPECT_EQ(image.pins[4].description, "Desc");
    EXPECT_EQ(image.pins[4].deviceReferral, -2);
    EXPECT_EQ(image.pins[4].deviceDescription, "Dv");
}

TEST(ConfigFileReaderTest, EvtLinesAreReadLikeEonLines) {
    ConfigurationImage viaEvt;
    ConfigurationImage viaEon;
    ExpectReads(DataFile("3100", {"\"Evt\",9,0,1,12,5", "\"Eof\",9,3,3,3,0"}), viaEvt);
    ExpectReads(DataFile("3100", {"\"Eon\",9,0,1,12,5", "\"Eof\",9,3,3,3,0"}), viaEon);
    EXPECT_EQ(viaEvt.events[9].onEvents, (std::array<std::int16_t, 4>{-1, 0, 11, 4}));
    EXPECT_EQ(viaEvt.events[9].offEvents, (std::array<std::int16_t, 4>{2, 2, 2, -1}));
    EXPECT_EQ(viaEvt, viaEon);
}

TEST(ConfigFileReaderTest, PinLineEmptiesAspectsAndResetsCountsButKeepsDeviceAndType) {
    ConfigurationImage image;
    PinRecord& pin = image.pins[8];
    pin.deviceReferral = -2;
    pin.deviceDescription = "dev";
    pin.configType = 2;
    pin.configParams[0] = 33;
    pin.dccAddressCount = 4;
    pin.xdccAddressCount = 0;
    pin.lumoAddressCount = 6;
    pin.aspects[11].description = "old";
    pin.aspects[11].steps[8] = {9, 1, 1, 1, 1, 1};
    ExpectReads(DataFile("3100", {"\"Pin\",8,2,3,\"new\""}), image);
    EXPECT_EQ(pin.aspectLayout, 2);
    EXPECT_EQ(pin.initialAspect, 3);
    EXPECT_EQ(pin.description, "new");
    EXPECT_EQ(pin.deviceReferral, -2);
    EXPECT_EQ(pin.deviceDescription, "dev");
    EXPECT_EQ(pin.configType, 2);
    EXPECT_EQ(pin.configParams[0], 33);
    EXPECT_EQ(pin.dccAddressCount, 1);
    EXPECT_EQ(pin.xdccAddressCount, 1);
    EXPECT_EQ(pin.lumoAddressCount, 1);
    EXPECT_EQ(pin.aspects[11], AspectRecord{});
}

TEST(ConfigFileReaderTest, GeneralSettingsAreDecoded) {
    ConfigurationImage image;
    image.module.serialBaud = 3;
    ExpectReads(DataFile("3100", {"\"HWC\",1,2,3,0", "\"LED\",0,64", "\"SPC\",1,\"115200\",8,3,2"}), image);
    EXPECT_EQ(image.module.hwcSink, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(image.module.hwcSource, (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(image.module.ledGreen, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 0, CheckGrey}));
    EXPECT_EQ(image.module.ledOrange, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_TRUE(image.module.serialEnable);
    EXPECT_EQ(image.module.serialBaud, 7);
    EXPECT_EQ(image.module.serialDataBits, 8);
    EXPECT_EQ(image.module.serialParity, 3);
    EXPECT_EQ(image.module.serialStopBits, 2);

    ExpectReads(DataFile("3100", {"\"LED\",128,0", "\"SPC\",2,\"1200\",9,1,3"}), image);
    EXPECT_EQ(image.module.ledGreen[7], CheckGrey) << "no bit of 0..6 set: the default function";
    EXPECT_FALSE(image.module.serialEnable);
    EXPECT_EQ(image.module.serialBaud, 7) << "an unknown rate changes nothing";
    EXPECT_EQ(image.module.serialDataBits, 7);
    EXPECT_EQ(image.module.serialParity, 0);
    EXPECT_EQ(image.module.serialStopBits, 1);
}

TEST(ConfigFileReaderTest, DccAddressesAreReadAsTypedNumbers) {
    ConfigurationImage image;
    ExpectReads(DataFile("3100", {"\"DCC\",12.0,\"\",4"}), image);
    EXPECT_EQ(image.module.dccAddress, 12);
    EXPECT_EQ(image.module.xdccAddress, 0) << "text without a number counts as 0";
    EXPECT_EQ(image.module.dccPacketRepeat, 0);
    EXPECT_TRUE(image.module.dccStateInvert);
}

struct MalformedCase {
    std::string name;
    std::string bytes;
    std::string problem;
};

TEST(ConfigFileReaderTest, EnforcedModeAndEnableMapAreTakenWhenTheFileHoldsThem) {
    ConfigurationImage image;
    ExpectReads(DataFile("3100", {"\"FXA\",1", "\"IEE\",0,1,1,1,1,1,1,0"}), image);
    EXPECT_EQ(image.module.enforcedXAddress, std::optional<bool>(true));
    EXPECT_EQ(image.enableMap, (EnableMap{false, true, true, true, true, true, true, false}));

    // A file without them (the older kind) leaves them unknown: nothing stays from before.
    ExpectReads(DataFile("3100", {"\"XAD\",0,0,5,0,0,0,0"}), image);
    EXPECT_FALSE(image.module.enforcedXAddress.has_value());
    EXPECT_FALSE(image.enableMap.has_value());

    // Only 0 and 1 are flags; a line cut short is malformed.
    EXPECT_EQ(Read(DataFile("3100", {"\"FXA\",2"}), image).problem,
              "Line 2: the enforced eXtended address flag 2 is outside 0..1");
    EXPECT_FALSE(Read(DataFile("3100", {"\"IEE\",1,1,1"}), image).body);
}

TEST(ConfigFileReaderTest, MalformedFilesNameTheLineAndTheFault) {
    const std::string head = "\"VexaConfiguration 3100\"\r\n";
    const std::vector<MalformedCase> cases{
        {"ends before End", head + "\"Pin\",1,0,0,\"x\"\r\n", "Line 3: the file ends before the \"End\" line"},
        {"ends inside a line", head + "\"Ins\",1,2", "Line 2: the file ends before the \"End\" line"},
        {"byte too large", head + "\"LED\",256,0\r\n\"End\"\r\n", "Line 2: the green LED byte 256 is outside 0..255"},
        {"negative byte", head + "\r\n\"PAM\",1,-1,1\r\n\"End\"\r\n",
         "Line 3: the DCC address count -1 is outside 0..255"},
        {"int too large", head + "\"Dev\",40000,\"\"\r\n\"End\"\r\n",
         "Line 2: the device referral 40000 is outside -32768..32767"},
        {"pin outside the table", head + "\"Pin\",32,0,0,\"\"\r\n\"End\"\r\n", "Line 2: the pin 32 is outside 0..31"},
        {"aspect outside the table", head + "\"Asp\",12,\"\"\r\n\"End\"\r\n", "Line 2: the aspect 12 is outside 0..11"},
        {"step outside the table", head + "\"Ins\",9,0,0,0,0,0\r\n\"End\"\r\n", "Line 2: the step 9 is outside 0..8"},
        {"event pin outside the table", head + "\"Eof\",40,0,0,0,0\r\n\"End\"\r\n",
         "Line 2: the event pin 40 is outside 0..31"},
        {"event action whose stored value minus one does not fit", head + "\"Eon\",0,1,-32768,1,1\r\n\"End\"\r\n",
         "Line 2: the event action -32768 is outside -32767..32768"},
        {"not a number", head + "\"Cfg\",1,2,x3\r\n\"End\"\r\n",
         "Line 2: the configuration parameter is not a whole number: \"x3\""},
        {"missing number", head + "\"HWC\",1,,1,1\r\n\"End\"\r\n",
         "Line 2: the hardware configuration is not a whole number: \"\""},
        {"flex block beyond the field", head + "\"XAD\",128,1,0,0,0,0,0\r\n\"End\"\r\n",
         "Line 2: the Lumo flex block 128 is outside 0..127"},
        {"DCC address beyond 16 bits", head + "\"DCC\",99999,1,2\r\n\"End\"\r\n",
         "Line 2: the DCC address 99999 is outside -32768..32767"},
        {"huge number", head + "\"LED\",99999999999999999999999,0\r\n\"End\"\r\n",
         "Line 2: the green LED byte 1000000000000000000 is outside 0..255"},
        // Rounded, they would be saved as 12 and 4.
        {"a fraction", head + "\"DCC\",12.5,3.75,2\r\n\"End\"\r\n",
         "Line 2: the DCC address 12.5 is not a whole number"},
        {"a line break inside a text", head + "\"Pin\",0,0,0,\"Weiche\r\nS\u00FCd\"\r\n\"End\"\r\n",
         "Line 2: the text field has no closing quote"},
    };
    for (const MalformedCase& c : cases) {
        ConfigurationImage image;
        const ReadOutcome outcome = Read(c.bytes, image);
        ASSERT_TRUE(outcome.header) << c.name;
        EXPECT_FALSE(outcome.body) << c.name;
        EXPECT_EQ(outcome.problem, c.problem) << c.name;
    }
}

TEST(ConfigFileReaderTest, EventActionsAtTheLimitsOfTheFieldReadBack) {
    ConfigurationImage image;
    image.events[0].onEvents = {32767, -32768, -1, 11};
    ConfigurationImage loaded;
    ExpectReads(FormatConfigurationFile(image, false), loaded);
    EXPECT_EQ(loaded.events[0].onEvents, image.events[0].onEvents);
}

} // namespace
} // namespace vexa::test
