// vexaconfig-cli diff: two data files compared in the words of the verification report.

#include "cli/CliRunner.h"

#include "../files/ConfigFileTestSupport.h"
#include "TestSeams.h"
#include "files/ConfigFileWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace vexa::cli {
namespace {

struct DiffCase {
    const char* name;
    std::function<void(ConfigurationImage&)> change; // made to the second file
    std::string out;
    int status;
};

TEST(DiffCommand, PrintsOneLinePerDifferenceInTheWordsOfTheVerificationReport) {
    ConfigurationImage sample = test::MakeSampleImage();
    sample.enableMap = EnableMap{};
    int steppedPin = 0;
    while (sample.pins[static_cast<std::size_t>(steppedPin)].aspectLayout == LayoutNone)
        ++steppedPin;
    const int shownPin = steppedPin + 1;
    const int action = sample.events[4].onEvents[0];
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
        {"an enable map that both hold",
         [](ConfigurationImage& image) {
             image.enableMap = EnableMap{};
             (*image.enableMap)[5] = !(*image.enableMap)[5];
         },
         "ECInit: OFF-mask does not compare\n", ExitFailure},
        {"an enable map that one of them does not hold", [](ConfigurationImage& image) { image.enableMap.reset(); },
         "Files compare\n", ExitSuccess},
    };
    for (const DiffCase& c : cases) {
        test::TemporaryFolder folder;
        ConfigurationImage first = sample;
        ConfigurationImage second = sample;
        c.change(second);
        test::WriteBytes(folder.file("A.dat"), FormatConfigurationFile(first, false));
        test::WriteBytes(folder.file("B.dat"), FormatConfigurationFile(second, false));
        test::FakeClock clock;
        test::ScriptedPortProvider ports;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli({"diff", folder.file("A.dat"), folder.file("B.dat")}, ports, clock, out, err), c.status)
            << c.name << err.str();
        EXPECT_EQ(out.str(), c.out) << c.name;
        EXPECT_TRUE(err.str().empty()) << c.name << err.str();
    }
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
