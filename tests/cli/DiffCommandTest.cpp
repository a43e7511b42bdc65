// vexaconfig-cli diff: two data files compared in the words of the verification report.

#include "cli/CliRunner.h"

#include "../files/ConfigFileTestSupport.h"
#include "Fixtures.h"
#include "TestSeams.h"
#include "files/ConfigFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

namespace vexa::cli {
namespace {

struct DiffCase {
    const char* name;
    std::function<void(ConfigurationImage&)> change; // made to the second file
    std::string out;                                 // "<A>" and "<B>" stand for the paths
    int status;
};

struct DiffRun {
    int status;
    std::string out;
};

DiffRun RunDiff(const std::string& first, const std::string& second) {
    test::FakeClock clock;
    test::ScriptedPortProvider ports;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli({"diff", first, second}, ports, clock, out, err);
    EXPECT_TRUE(err.str().empty()) << err.str();
    return {status, out.str()};
}

std::string WithPaths(std::string text, const std::string& first, const std::string& second) {
    for (const auto& [mark, path] : {std::pair<std::string, std::string>{"<A>", first}, {"<B>", second}})
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + path.size()))
            text.replace(at, mark.size(), path);
    return text;
}

// Two files are compared by their own values: each value that differs is named, a value only one
// of them holds is named as such without failing, and both orders give the same verdict.
TEST(DiffCommand, NamesEveryValueThatDiffersInTheWordsOfTheVerificationReport) {
    ConfigurationImage sample = test::MakeSampleImage();
    sample.enableMap = EnableMap{};
    int steppedPin = 0;
    while (sample.pins[static_cast<std::size_t>(steppedPin)].aspectLayout == LayoutNone)
        ++steppedPin;
    const int shownPin = steppedPin + 1;
    const int action = sample.events[4].onEvents[0];
    const int offAction = sample.events[1].offEvents[2];
    const std::vector<DiffCase> cases{
        {"equal files", [](ConfigurationImage&) {}, "Files compare\n", ExitSuccess},
        {"the ID string, shown in UTF-8 once", [](ConfigurationImage& image) { image.module.idString = "Station"; },
         "ID does not compare: VexaConfig = <Station \u00C4rnes> Vexa = <Station>\n", ExitFailure},
        {"one setting", [](ConfigurationImage& image) { image.module.dccAddress = 307; },
         "DCC address does not compare\n", ExitFailure},
        {"one step",
         [steppedPin](ConfigurationImage& image) {
             ++image.pins[static_cast<std::size_t>(steppedPin)].aspects[1].steps[2].par3;
         },
         "Pin " + std::to_string(shownPin) + ": Aspect 1 does not compare\n", ExitFailure},
        {"one event", [action](ConfigurationImage& image) { image.events[4].onEvents[0] = action == 3 ? 4 : 3; },
         "Event-On(0) for pin 5 does not compare: Configured Action = " + std::to_string(action) +
             ", Vexa Reply = " + std::to_string(action == 3 ? 4 : 3) + "\n",
         ExitFailure},
        {"an event action the wire cannot carry", [](ConfigurationImage& image) { image.events[1].offEvents[2] = 200; },
         "Event-Off(2) for pin 2 does not compare: Configured Action = " + std::to_string(offAction) +
             ", Vexa Reply = 200\n",
         ExitFailure},
        {"address counts the wire cannot carry",
         [](ConfigurationImage& image) { image.pins[0].dccAddressCount = image.pins[0].lumoAddressCount = 9; },
         "Pin 1: DCC Address Configuration does not compare\nPin 1: Serial Address Configuration does not compare\n",
         ExitFailure},
        {"the module eXtended address while neither holds the enforced mode",
         [](ConfigurationImage& image) { image.module.moduleXAddress = 90; }, "eXtended Address does not compare\n",
         ExitFailure},
        {"descriptions",
         [](ConfigurationImage& image) {
             image.pins[0].description = "Turnout";
             image.pins[0].aspects[2].description = "Thrown";
             image.pins[0].deviceDescription = "Points 2";
         },
         "Pin 1: Aspect 2 description does not compare\nPin 1: Description does not compare\n"
         "Pin 1: Device Name does not compare\n",
         ExitFailure},
        {"an enable map that both hold",
         [](ConfigurationImage& image) {
             image.enableMap = EnableMap{};
             (*image.enableMap)[5] = !(*image.enableMap)[5];
         },
         "ECInit: OFF-mask does not compare\n", ExitFailure},
        {"an enable map and an enforced mode that one of them holds",
         [](ConfigurationImage& image) {
             image.enableMap.reset();
             image.module.enforcedXAddress = false;
         },
         "eXtended Address: enforced mode only in <B>, not compared\n"
         "ECInit: initial enable map only in <A>, not compared\nFiles compare\n",
         ExitSuccess},
    };
    for (const DiffCase& c : cases) {
        test::TemporaryFolder folder;
        ConfigurationImage first = sample;
        ConfigurationImage second = sample;
        c.change(second);
        const std::string a = folder.file("A.dat");
        const std::string b = folder.file("B.dat");
        test::WriteBytes(a, FormatConfigurationFile(first, false));
        test::WriteBytes(b, FormatConfigurationFile(second, false));
        const DiffRun forward = RunDiff(a, b);
        EXPECT_EQ(forward.status, c.status) << c.name;
        EXPECT_EQ(forward.out, WithPaths(c.out, a, b)) << c.name;
        const DiffRun backward = RunDiff(b, a);
        EXPECT_EQ(backward.status, c.status) << c.name << ", in the other order";
        EXPECT_EQ(std::count(backward.out.begin(), backward.out.end(), '\n'),
                  std::count(forward.out.begin(), forward.out.end(), '\n'))
            << c.name << ", in the other order";
    }
}

// A compact file does not hold the pins without a description: they are named, not compared.
TEST(DiffCommand, PinsACompactFileLeavesOutAreNotCompared) {
    ConfigurationImage image;
    image.pins[0].description = "Signal";
    image.pins[0].configType = 2;
    image.pins[1].configType = 4;
    test::TemporaryFolder folder;
    const std::string full = folder.file("full.dat");
    const std::string compact = folder.file("compact.dat");
    test::WriteBytes(full, FormatConfigurationFile(image, false));
    test::WriteBytes(compact, FormatConfigurationFile(image, true));
    const DiffRun run = RunDiff(compact, full);
    EXPECT_EQ(run.status, ExitSuccess);
    std::string expected;
    for (int pin = 2; pin <= PinCount; ++pin)
        expected += "Pin " + std::to_string(pin) + " only in " + full + ", not compared\n";
    EXPECT_EQ(run.out, expected + "Files compare\n");
}

// A file holds values the wire cannot carry; compared with itself, it compares.
TEST(DiffCommand, AFileComparesWithItself) {
    const std::string rich = test::FixturePath(test::RichDataFile);
    const DiffRun run = RunDiff(rich, rich);
    EXPECT_EQ(run.status, ExitSuccess);
    EXPECT_EQ(run.out, "Files compare\n");
}

TEST(DiffCommand, AMalformedFileIsNamedAndExitsTwo) {
    test::TemporaryFolder folder;
    ConfigurationImage image = test::MakeSampleImage();
    const std::string bytes = FormatConfigurationFile(image, false);
    test::WriteBytes(folder.file("A.dat"), bytes);
    test::WriteBytes(folder.file("cut.dat"), bytes.substr(0, bytes.size() / 2));
    test::FakeClock clock;
    test::ScriptedPortProvider ports;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli({"diff", folder.file("A.dat"), folder.file("cut.dat")}, ports, clock, out, err), 2);
    EXPECT_TRUE(out.str().empty()) << out.str();
    EXPECT_NE(err.str().find(folder.file("cut.dat") + ": Invalid configuration file"), std::string::npos) << err.str();
}

} // namespace
} // namespace vexa::cli
