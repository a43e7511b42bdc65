#include "ConfigFileTestSupport.h"

#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexa::test {
namespace {

std::vector<std::string> FullSaveLines(ConfigurationImage& image) {
    return SplitCrLfLines(FormatConfigurationFile(image, false));
}

std::size_t FirstLineStartingWith(const std::vector<std::string>& lines, const std::string& start) {
    const auto found =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    return static_cast<std::size_t>(found - lines.begin());
}

std::size_t CountLinesStartingWith(const std::vector<std::string>& lines, const std::string& start) {
    return static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; }));
}

TEST(ConfigFileWriterTest, FreshImageHasTheFixedHeadAndFourLinesPerEmptyPin) {
    ConfigurationImage image;
    const std::vector<std::string> lines = FullSaveLines(image);

    EXPECT_EQ(FirstLineStartingWith(lines, "\"Pin\""), 71u);
    ASSERT_EQ(lines.size(), 71u + 32u * 4u + 1u);
    EXPECT_EQ(lines[0], "\"VexaConfiguration 3100\"");
    EXPECT_EQ(lines[1], "\"ID$\",\"\"");
    EXPECT_EQ(lines[2], "\"DCC\",1,1,2");
    EXPECT_EQ(lines[3], "\"XAD\",0,0,0,0,0,0,0");
    EXPECT_EQ(lines[4], "\"HWC\",0,0,0,0");
    EXPECT_EQ(lines[5], "\"LED\",0,0");
    EXPECT_EQ(lines[6], "\"SPC\",0,\"9600\",7,0,1");
    EXPECT_EQ(lines[7], "\"Eon\",0,1,1,1,1");
    EXPECT_EQ(lines[38], "\"Eon\",31,1,1,1,1");
    EXPECT_EQ(lines[39], "\"Eof\",0,1,1,1,1");
    EXPECT_EQ(lines[70], "\"Eof\",31,1,1,1,1");
    for (int pin = 0; pin < PinCount; ++pin) {
        const std::size_t first = 71u + 4u * static_cast<std::size_t>(pin);
        EXPECT_EQ(lines[first], "\"Pin\"," + std::to_string(pin) + ",0,0,\"\"");
        EXPECT_EQ(lines[first + 1], "  \"Dev\",0,\"\"");
        EXPECT_EQ(lines[first + 2], "  \"Cfg\",0");
        EXPECT_EQ(lines[first + 3], "  \"PAM\",1,1,1");
    }
    EXPECT_EQ(lines.back(), "\"End\"");
}

TEST(ConfigFileWriterTest, KnownEnforcedModeAndEnableMapHaveTheirLinesAfterXadAndTheLastEof) {
    ConfigurationImage image;
    image.module.enforcedXAddress = false;
    image.enableMap = EnableMap{true, false, false, true, false, false, false, true};
    std::vector<std::string> lines = FullSaveLines(image);
    EXPECT_EQ(lines[4], "\"FXA\",0");
    EXPECT_EQ(lines[5], "\"HWC\",0,0,0,0");
    EXPECT_EQ(lines[71], "\"Eof\",31,1,1,1,1");
    EXPECT_EQ(lines[72], "\"IEE\",1,0,0,1,0,0,0,1");
    EXPECT_EQ(lines[73], "\"Pin\",0,0,0,\"\"");

    image.module.enforcedXAddress = true;
    lines = SplitCrLfLines(FormatConfigurationFile(image, true));
    EXPECT_EQ(lines[4], "\"FXA\",1");
    EXPECT_EQ(lines[72], "\"IEE\",1,0,0,1,0,0,0,1");

    ConfigurationImage read;
    const std::string bytes = FormatConfigurationFile(image, false);
    ConfigFileReader reader(bytes);
    ASSERT_TRUE(reader.readHeader() && reader.readBody(read)) << reader.problem();
    EXPECT_EQ(read.module.enforcedXAddress, std::optional<bool>(true));
    EXPECT_EQ(read.enableMap, image.enableMap);
}

TEST(ConfigFileWriterTest, CountedAspectsAndStepsFollowTheLayout) {
    ConfigurationImage image;
    image.pins[4].aspectLayout = LayoutTwelveByThree;
    image.pins[9].aspectLayout = LayoutFourByNine;
    image.pins[9].aspects[3].steps[8] = {9, 0, 1, 2, 3, 4};
    image.pins[9].aspects[5].description = "not counted";
    const std::vector<std::string> lines = FullSaveLines(image);

    EXPECT_EQ(CountLinesStartingWith(lines, "  \"Asp\""), 12u + 4u);
    EXPECT_EQ(CountLinesStartingWith(lines, "    \"Ins\""), 12u * 3u + 4u * 9u);

    const std::size_t pin4 = FirstLineStartingWith(lines, "\"Pin\",4,");
    EXPECT_EQ(lines[pin4], "\"Pin\",4,2,0,\"\"");
    EXPECT_EQ(lines[pin4 + 4], "  \"Asp\",0,\"\"");
    EXPECT_EQ(lines[pin4 + 5], "    \"Ins\",0,0,0,0,0,0");
    EXPECT_EQ(lines[pin4 + 7], "    \"Ins\",2,0,0,0,0,0");
    EXPECT_EQ(lines[pin4 + 8], "  \"Asp\",1,\"\"");
    EXPECT_EQ(lines[pin4 + 4 + 11 * 4], "  \"Asp\",11,\"\"");
    EXPECT_EQ(lines[pin4 + 4 + 12 * 4], "\"Pin\",5,0,0,\"\"");

    const std::size_t pin9 = FirstLineStartingWith(lines, "\"Pin\",9,");
    EXPECT_EQ(lines[pin9 + 4 + 3 * 10], "  \"Asp\",3,\"\"");
    EXPECT_EQ(lines[pin9 + 4 + 3 * 10 + 9], "    \"Ins\",8,9,1,2,3,4");
    EXPECT_EQ(lines[pin9 + 4 + 4 * 10], "\"Pin\",10,0,0,\"\"");
}

TEST(ConfigFileWriterTest, CompactSaveOmitsUndescribedPinsAspectsAndEmptySteps) {
    ConfigurationImage image;
    image.pins[2].configType = 2; // configured, but without a description
    image.pins[2].configParams = {1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0};
    PinRecord& pin = image.pins[6];
    pin.description = "Signal";
    pin.aspectLayout = LayoutTwelveByThree;
    pin.aspects[0].description = "Red";
    pin.aspects[0].steps[1] = {9, 0, 0, 0, 0, 0};
    pin.aspects[1].steps[0] = {8, 0, 0, 0, 0, 0}; // steps, but no description
    pin.aspects[2].description = "Green";

    const std::vector<std::string> lines = SplitCrLfLines(FormatConfigurationFile(image, true));
    const std::vector<std::string> expectedTail{
        "\"Pin\",6,2,0,\"Signal\"", "  \"Dev\",0,\"\"",        "  \"Cfg\",0",           "  \"PAM\",1,1,1",
        "  \"Asp\",0,\"Red\"",      "    \"Ins\",1,9,0,0,0,0", "  \"Asp\",2,\"Green\"", "\"End\""};
    ASSERT_EQ(lines.size(), 71u + expectedTail.size());
    EXPECT_EQ(CountLinesStartingWith(lines, "\"Eon\""), 32u);
    EXPECT_EQ(CountLinesStartingWith(lines, "\"Eof\""), 32u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 71, lines.end()), expectedTail);
}

TEST(ConfigFileWriterTest, ModuleSettingsAreEncodedIntoTheirFields) {
    ConfigurationImage image = MakeSampleImage();
    std::vector<std::string> lines = FullSaveLines(image);
    EXPECT_EQ(lines[1], "\"ID$\",\"Station \xC4rnes\"");
    EXPECT_EQ(lines[2], "\"DCC\",300,1500,5");
    EXPECT_EQ(lines[3], "\"XAD\",64,0,17,1,2,0,8"); // native mode; flags 0, 5 and 15
    EXPECT_EQ(lines[4], "\"HWC\",1,2,3,0");
    EXPECT_EQ(lines[5], "\"LED\",5,0"); // the grey default function is not a bit
    EXPECT_EQ(lines[6], "\"SPC\",1,\"38400\",8,3,2");
    EXPECT_EQ(lines[7], "\"Eon\",0,0,1,2,3");

    image.module.lumoFlexAddressing = true;
    image.module.lumoFlexBlock = 100;
    lines = FullSaveLines(image);
    EXPECT_EQ(lines[3], "\"XAD\",100,1,17,1,2,0,8"); // flex wins over native
}

TEST(ConfigFileWriterTest, ParametersFollowTheConfigurationType) {
    ConfigurationImage image;
    const std::array<std::uint8_t, 11> params{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int type = 0; type <= 6; ++type) {
        image.pins[static_cast<std::size_t>(type)].configType = static_cast<std::uint8_t>(type);
        image.pins[static_cast<std::size_t>(type)].configParams = params;
    }
    const std::vector<std::string> lines = FullSaveLines(image);
    const std::vector<std::string> expected{"  \"Cfg\",0",
                                            "  \"Cfg\",1,1,2,3,4,5,6,7,8,9,10,11",
                                            "  \"Cfg\",2,1,2,3,4,5",
                                            "  \"Cfg\",3,1,2,3,4,5",
                                            "  \"Cfg\",4,1,2,3,4",
                                            "  \"Cfg\",5,1,2,3,4",
                                            "  \"Cfg\",6"};
    for (std::size_t type = 0; type < expected.size(); ++type)
        EXPECT_EQ(lines[71 + 4 * type + 2], expected[type]) << "type " << type;
}

TEST(ConfigFileWriterTest, ServoOptionBitsAreMaskedInFileAndImageForWrittenPinsOnly) {
    ConfigurationImage image;
    image.pins[0].configType = 1;
    image.pins[0].configParams[1] = 64 + 27; // "Servo Initialised" and the stored bits
    image.pins[0].description = "Servo";
    image.pins[1].configType = 1;
    image.pins[1].configParams[1] = 128 + 9; // not written in a compact save
    image.pins[2].configType = 2;
    image.pins[2].configParams[1] = 200; // PWM mode bits are not masked

    const std::vector<std::string> lines = SplitCrLfLines(FormatConfigurationFile(image, true));
    EXPECT_EQ(lines[71 + 2], "  \"Cfg\",1,0,27,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(image.pins[0].param(2), 27);
    EXPECT_EQ(image.pins[1].param(2), 128 + 9);

    FormatConfigurationFile(image, false);
    EXPECT_EQ(image.pins[1].param(2), 9);
    EXPECT_EQ(image.pins[2].param(2), 200);

    // Stored bits the reader would take for the older encoding (above 15, bit 3 clear) are
    // written as the reader converts them, so that save, load and save again give the same file.
    image.pins[0].configParams[1] = 64 + 22;
    const std::string saved = FormatConfigurationFile(image, true);
    EXPECT_EQ(SplitCrLfLines(saved)[71 + 2], "  \"Cfg\",1,0,41,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(image.pins[0].param(2), 41);
    ConfigurationImage loaded;
    ConfigFileReader reader(saved);
    ASSERT_TRUE(reader.readHeader() && reader.readBody(loaded)) << reader.problem();
    EXPECT_EQ(FormatConfigurationFile(loaded, true), saved);
}

TEST(ConfigFileWriterTest, FadeIsFoldedIntoTheInstructionField) {
    ConfigurationImage image;
    image.pins[0].aspectLayout = LayoutTwelveByThree;
    image.pins[0].aspects[0].steps[0] = {6, 1, 0, 0, 0, 0};
    image.pins[0].aspects[0].steps[1] = {32, 1, 0, 0, 0, 0};
    image.pins[0].aspects[0].steps[2] = {38, 0, 0, 0, 0, 0};
    image.pins[0].aspects[1].steps[0] = {0, 1, 0, 0, 0, 0};   // fade on an empty step
    image.pins[0].aspects[1].steps[1] = {102, 1, 0, 0, 0, 0}; // fade on an instruction without fade
    image.pins[0].aspects[1].steps[2] = {17, 1, 0, 0, 0, 0};  // 17 + 16 would be another instruction
    const std::vector<std::string> lines = FullSaveLines(image);
    EXPECT_EQ(lines[76], "    \"Ins\",0,22,0,0,0,0");
    EXPECT_EQ(lines[77], "    \"Ins\",1,48,0,0,0,0");
    EXPECT_EQ(lines[78], "    \"Ins\",2,38,0,0,0,0");
    EXPECT_EQ(lines[80], "    \"Ins\",0,0,0,0,0,0");
    EXPECT_EQ(lines[81], "    \"Ins\",1,102,0,0,0,0");
    EXPECT_EQ(lines[82], "    \"Ins\",2,17,0,0,0,0");
}

TEST(ConfigFileWriterTest, TextsNeverBreakTheirFieldAndKeepHighBytes) {
    ConfigurationImage image;
    image.module.idString = "say \"hi\"";
    image.pins[0].description = "two\r\nlines\nand\rmore";
    image.pins[0].deviceDescription = "\xE9\xFF, ok";
    const std::vector<std::string> lines = FullSaveLines(image);
    EXPECT_EQ(lines[1], "\"ID$\",\"say 'hi'\"");
    EXPECT_EQ(lines[71], "\"Pin\",0,0,0,\"two lines and more\"");
    EXPECT_EQ(lines[72], "  \"Dev\",0,\"\xE9\xFF, ok\"");
    EXPECT_EQ(image.module.idString, "say \"hi\"") << "the image keeps its text";
}

TEST(ConfigFileWriterTest, NegativeValuesAreWrittenWithAMinus) {
    ConfigurationImage image;
    image.pins[3].deviceReferral = -3;
    image.events[3].offEvents = {-1, -2, 11, 0};
    image.module.dccAddress = 0;
    const std::vector<std::string> lines = FullSaveLines(image);
    EXPECT_EQ(lines[2], "\"DCC\",0,1,2");
    EXPECT_EQ(lines[42], "\"Eof\",3,0,-1,12,1");
    EXPECT_EQ(lines[71 + 12 + 1], "  \"Dev\",-3,\"\"");
}

} // namespace
} // namespace vexa::test
