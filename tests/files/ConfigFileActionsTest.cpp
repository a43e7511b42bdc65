#include "ConfigFileTestSupport.h"
#include "Fixtures.h"
#include "TestSeams.h"

#include "files/ConfigFileActions.h"
#include "files/SafeFile.h"

#include <gtest/gtest.h>

namespace vexa::test {
namespace {

class ConfigFileActionsTest : public ::testing::Test {
protected:
    Session& session() { return bench.session; }
    std::vector<RecordingPrompter::Message>& messages() { return bench.prompter.messages; }

    TestBench bench;
    TemporaryFolder folder;
};

TEST_F(ConfigFileActionsTest, FullSaveLoadAndSaveAgainIsByteIdentical) {
    session().image = MakeSampleImage();
    const std::string first = folder.file("first.dat");
    const std::string second = folder.file("second.dat");
    ASSERT_TRUE(SaveConfigurationFile(session(), first, false));
    const ConfigurationImage saved = session().image;

    session().image = ConfigurationImage{};
    ASSERT_TRUE(LoadConfigurationFile(session(), first));
    ASSERT_TRUE(SaveConfigurationFile(session(), second, false));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ReadBytes(first), ReadBytes(second));
    EXPECT_EQ(session().image.module, saved.module);
    EXPECT_EQ(session().image.events, saved.events);
    for (int pin : {0, 1, 7, 31})
        EXPECT_EQ(session().image.pins[static_cast<std::size_t>(pin)].description,
                  saved.pins[static_cast<std::size_t>(pin)].description);
    EXPECT_EQ(session().image.pins[0].aspects, saved.pins[0].aspects);
    EXPECT_EQ(session().image.pins[0].liveValue, 64) << "loading sets the live value to parameter 1";
}

TEST_F(ConfigFileActionsTest, TheRichFixtureLoadsAndSavesByteIdentical) {
    const std::string saved = folder.file("saved.dat");
    ASSERT_TRUE(LoadConfigurationFile(session(), FixturePath(RichDataFile)));
    ASSERT_TRUE(SaveConfigurationFile(session(), saved, false));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ReadBytes(saved), ReadBytes(FixturePath(RichDataFile)));
    EXPECT_EQ(session().image.module.dccAddress, 9999);
    EXPECT_EQ(session().image.pins[0].dccAddressCount, 9);
}

TEST_F(ConfigFileActionsTest, ATextWithQuotesOrLineBreaksReadsBackAsWritten) {
    session().image.pins[2].description = "the \"main\"\r\nline";
    const std::string path = folder.file("q.dat");
    ASSERT_TRUE(SaveConfigurationFile(session(), path, false));
    session().image.pins[3].description = "unchanged";
    ASSERT_TRUE(LoadConfigurationFile(session(), path));
    EXPECT_EQ(session().image.pins[2].description, "the 'main' line");
    EXPECT_EQ(session().image.pins[3].description, "") << "the rest of the file was read";
}

TEST_F(ConfigFileActionsTest, LoadingACompactFileLeavesOtherPinsAlone) {
    session().image.pins[4].description = "Described";
    session().image.pins[4].configType = 2;
    const std::string path = folder.file("compact.dat");
    ASSERT_TRUE(SaveConfigurationFile(session(), path, true));

    ConfigurationImage other = MakeSampleImage();
    session().image = other;
    ASSERT_TRUE(LoadConfigurationFile(session(), path));
    EXPECT_EQ(session().image.pins[4].description, "Described");
    EXPECT_EQ(session().image.pins[4].configType, 2);
    for (int pin = 0; pin < PinCount; ++pin) {
        if (pin != 4) {
            EXPECT_EQ(session().image.pins[static_cast<std::size_t>(pin)], other.pins[static_cast<std::size_t>(pin)])
                << "pin " << pin;
        }
    }
}

TEST_F(ConfigFileActionsTest, AMalformedFileChangesNothingAndSaysWhereItBroke) {
    const std::string path = folder.file("bad.dat");
    ASSERT_TRUE(SaveConfigurationFile(session(), path, false));
    const std::string good = ReadBytes(path);
    const std::size_t pin31 = good.find("\"Pin\",31,");
    const std::vector<std::pair<std::string, std::string>> cases{
        {good.substr(0, pin31), "Line 196: the file ends before the \"End\" line"},
        {good.substr(0, pin31) + "\"Pin\",32,0,0,\"\"\r\n\"End\"\r\n", "Line 196: the pin 32 is outside 0..31"},
        {good.substr(0, pin31) + "\"Ins\",0,300,0,0,0,0\r\n\"End\"\r\n",
         "Line 196: the instruction 300 is outside 0..255"},
        {good.substr(0, pin31) + "\"Asp\",-1,\"\"\r\n\"End\"\r\n", "Line 196: the aspect -1 is outside 0..11"},
    };
    for (const auto& [bytes, problem] : cases) {
        session().image = MakeSampleImage();
        const ConfigurationImage before = session().image;
        WriteBytes(path, bytes);
        messages().clear();
        EXPECT_FALSE(LoadConfigurationFile(session(), path));
        EXPECT_EQ(session().image, before) << problem;
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].kind, MessageKind::OkWarning);
        EXPECT_EQ(messages()[0].text, path + ": Invalid configuration file\r\n" + problem);
    }
}

TEST_F(ConfigFileActionsTest, AnInvalidHeaderOrEmptyFileIsRefusedWithTheFixedMessage) {
    session().image = MakeSampleImage();
    const ConfigurationImage before = session().image;
    const std::string path = folder.file("header.dat");
    for (const std::string& bytes :
         {std::string(), std::string("\"VexaDeviceDefinitions\"\r\n\"Pin\",0,0,0,\"\"\r\n")}) {
        WriteBytes(path, bytes);
        messages().clear();
        EXPECT_FALSE(LoadConfigurationFile(session(), path));
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].kind, MessageKind::OkWarning);
        EXPECT_EQ(messages()[0].text, path + ": Invalid configuration file");
        EXPECT_EQ(session().image, before);
    }
}

TEST_F(ConfigFileActionsTest, AnOlderVersionIsAnnouncedAndThenRead) {
    const std::string path = folder.file("old.dat");
    WriteBytes(path, "\"VexaConfiguration 0031\"\r\n\"DCC\",7,9\r\n\"End\"\r\n");
    EXPECT_TRUE(LoadConfigurationFile(session(), path));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, MessageKind::OkInformation);
    EXPECT_EQ(messages()[0].text, "Data File Version = 31");
    EXPECT_EQ(session().image.module.dccAddress, 7);
    EXPECT_EQ(session().image.module.dccPacketRepeat, 1);
}

TEST_F(ConfigFileActionsTest, AFailedSaveNamesTheFileAndKeepsTheOldOne) {
    // A name that just fits leaves the longer temporary name no room.
    const std::string path = folder.file(std::string(250, 'k') + ".dat");
    WriteBytes(path, "old file");
    EXPECT_FALSE(SaveConfigurationFile(session(), path, false));
    EXPECT_EQ(ReadBytes(path), "old file");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, MessageKind::OkError);
    EXPECT_EQ(messages()[0].text.rfind("The file " + path + " could not be saved:\r\n", 0), 0u) << messages()[0].text;
}

TEST_F(ConfigFileActionsTest, AFileThatCannotBeReadIsReported) {
    EXPECT_FALSE(LoadConfigurationFile(session(), folder.file("absent.dat")));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, MessageKind::OkError);
    EXPECT_EQ(messages()[0].text,
              "The file " + folder.file("absent.dat") + " could not be read:\r\nNo such file or directory");
}

TEST_F(ConfigFileActionsTest, DialogsUseTheFilterAndACancelDoesNothing) {
    ScriptedFileDialogs dialogs;
    session().image.pins[0].description = "kept";
    EXPECT_FALSE(SaveConfigurationWithDialog(session(), dialogs, false));
    EXPECT_FALSE(LoadConfigurationWithDialog(session(), dialogs));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(session().image.pins[0].description, "kept");
    EXPECT_EQ(dialogs.filters, (std::vector<std::string>{"Vexa Config Data|*.dat", "Vexa Config Data|*.dat"}));

    const std::string path = folder.file("dialog.dat");
    dialogs.names = {path, path};
    EXPECT_TRUE(SaveConfigurationWithDialog(session(), dialogs, true));
    EXPECT_NE(ReadBytes(path).find("\"Pin\",0,0,0,\"kept\""), std::string::npos);
    session().image.pins[0].description = "changed";
    EXPECT_TRUE(LoadConfigurationWithDialog(session(), dialogs));
    EXPECT_EQ(session().image.pins[0].description, "kept");
}

} // namespace
} // namespace vexa::test
