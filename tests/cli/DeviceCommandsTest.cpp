#include "../files/ConfigFileTestSupport.h"
#include "SimulatorRun.h"

#include "core/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexa::test {
namespace {

// The standard device library lies beside the test program, as beside the program.
struct DeviceCli : SimulatorRun {
    DeviceCli() : SimulatorRun(ProgramFolder()) {}
};

TEST(DeviceCommands, ListLoadWriteVerifyAndSaveFromTheCommandLine) {
    DeviceCli cli;
    ASSERT_EQ(cli.run({"devices"}), cli::ExitSuccess) << cli.err.str();
    EXPECT_TRUE(cli.out.str().starts_with("Signal 2 aspects\nSignal 3 aspects\n")) << cli.out.str();
    EXPECT_TRUE(cli.out.str().ends_with("\nStandard devices 1.0\n"));

    // The simulated controller starts with a demonstration on pins 1..3: read it first.
    ASSERT_EQ(cli.run({"--port", "sim", "read-all-pins", "load-device", "Signal 3 aspects", "5", "write-device", "5",
                       "verify-pins"}),
              cli::ExitSuccess)
        << cli.err.str() << cli.out.str();
    EXPECT_TRUE(cli.out.str().ends_with("Verify OK\n")) << cli.out.str();

    TemporaryFolder folder;
    const std::string saved = folder.file("signal.def");
    ASSERT_EQ(cli.run({"load-device", "Signal 3 aspects", "31", "load-device", "Signal 2 aspects", "32", "save-device",
                       "1", saved}),
              cli::ExitSuccess)
        << cli.err.str();
    EXPECT_NE(cli.err.str().find("The following Pin numbers were already used: \n\r 31, 0"), std::string::npos)
        << cli.err.str();
    const std::vector<std::string> lines = SplitCrLfLines(ReadBytes(saved));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\"Dev\",\"Signal 2 aspects\"");

    // Two libraries: the first replaces the standard one, the second is appended.
    const std::string extra = folder.file("extra.def");
    WriteBytes(extra, JoinCrLf({"\"VexaDeviceDefinitions Extra\"", "\"Dev\",\"Crane\"", "\"End\""}));
    ASSERT_EQ(cli.run({"--library", saved, "--library", extra, "devices"}), cli::ExitSuccess) << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Signal 2 aspects\nCrane\nSignal 2 aspects + Extra\n");
    EXPECT_EQ(cli.run({"--library", extra, "load-device", "Signal 3 aspects", "1"}), cli::ExitFailure);
    EXPECT_NE(cli.err.str().find("not a device of the loaded definitions"), std::string::npos) << cli.err.str();
}

TEST(DeviceCommands, NamesAreTerminalTextAndASavedDeviceKeepsEveryProgram) {
    DeviceCli cli;
    TemporaryFolder folder;
    // Latin-1 in the file, UTF-8 on the terminal.
    const std::string library = folder.file("de.def");
    WriteBytes(library, JoinCrLf({"\"VexaDeviceDefinitions S\xFC"
                                  "d\"",
                                  "\"Dev\",\"Weiche S\xFC"
                                  "d\"",
                                  "\"Pin\",0,0,0,\"x\"", "\"End\""}));
    ASSERT_EQ(cli.run({"--library", library, "devices", "load-device", "Weiche S\u00FCd", "4"}), cli::ExitSuccess)
        << cli.err.str();
    EXPECT_EQ(cli.out.str(), "Weiche S\u00FCd\nS\u00FCd\n");

    // The demonstration read from the controller has programs but no descriptions: pin 2 is saved
    // with all four of its aspects, once it has a name.
    const std::string lamp = folder.file("lamp.def");
    EXPECT_EQ(cli.run({"--port", "sim", "read-all-pins", "save-device", "2", lamp}), cli::ExitFailure);
    EXPECT_NE(cli.err.str().find("give it one with set-device-name 2 NAME before save-device"), std::string::npos)
        << cli.err.str();
    const std::vector<std::string> save{
        "--port", "sim", "read-all-pins", "set-device-name", "2", "Lampe \u00DC", "save-device", "2", lamp};
    ASSERT_EQ(cli.run(save), cli::ExitSuccess) << cli.err.str();
    const std::vector<std::string> lines = SplitCrLfLines(ReadBytes(lamp));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "\"VexaDeviceDefinitions Lampe \xDC\"");
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("    \"Asp\""); }),
        4);

    // An existing library file is replaced only when the user agrees.
    WriteBytes(lamp, "mine");
    EXPECT_EQ(cli.run(save), cli::ExitFailure);
    EXPECT_NE(cli.err.str().find("The file " + lamp + " exists already. Replace it?\n-> No"), std::string::npos)
        << cli.err.str();
    EXPECT_EQ(ReadBytes(lamp), "mine");
    std::vector<std::string> agreed = save;
    agreed.insert(agreed.begin(), "--yes");
    ASSERT_EQ(cli.run(agreed), cli::ExitSuccess) << cli.err.str();
    EXPECT_NE(ReadBytes(lamp), "mine");

    // What the files cannot hold is refused where it is typed.
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused{
        {{"set-device-name", "2", "End"}, "The name given to set-device-name \"End\" is a keyword"},
        {{"set-device-name", "2", "Say \"Hi\""}, "cannot hold double quotes or line breaks"},
        {{"set-device-name", "2", "\u015Cignal"}, "holds \"\u015C\", which the files cannot hold"},
        {{"--library", library, "load-device", "\u015Cignal", "1"}, "holds \"\u015C\""},
        {{"--library", library, "load-device",
          "Weiche S\xFC"
          "d",
          "1"},
         "is no UTF-8 text"},
        {{"write-id", "Gr\u00FC\u00DFe"}, "The ID string can only hold 7-bit ASCII characters."},
        {{"write-id", "Say \"Hi\""}, "The ID string cannot hold the character \": a data file would store it as '"},
        {{"write-id", "Two\nlines"},
         "The ID string cannot hold the control character \\x0A: a data file would store it as a blank"},
    };
    for (const auto& [args, message] : refused) {
        EXPECT_EQ(cli.run(args), cli::ExitFailure) << message;
        EXPECT_NE(cli.err.str().find(message), std::string::npos) << cli.err.str();
    }
}

} // namespace
} // namespace vexa::test
