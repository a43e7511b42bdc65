#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace vexa::cli {
namespace {

struct Parsed {
    bool ok = false;
    CliOptions options;
    std::string error;
};

Parsed Parse(const std::vector<std::string>& args) {
    Parsed parsed;
    parsed.ok = ParseCliOptions(args, CliCommandTable(), parsed.options, parsed.error);
    return parsed;
}

TEST(CliOptions, DefaultsWithOneCommand) {
    const Parsed parsed = Parse({"version"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_TRUE(parsed.options.port.empty());
    EXPECT_EQ(parsed.options.bitRateIndex, 1);
    EXPECT_EQ(parsed.options.numberingBase, 1);
    EXPECT_FALSE(parsed.options.moduleAddress);
    EXPECT_FALSE(parsed.options.xAddress);
    EXPECT_FALSE(parsed.options.oneWay);
    EXPECT_FALSE(parsed.options.answerYes);
    ASSERT_EQ(parsed.options.commands.size(), 1u);
    EXPECT_EQ(parsed.options.commands[0].command->name, "version");
}

TEST(CliOptions, EveryOptionIsTaken) {
    const Parsed parsed = Parse({"--port", "/dev/ttyUSB1", "--bitrate=38400", "--address", "3", "--xaddress", "96",
                                 "--one-way", "--yes", "--trace", "link.txt", "--retries", "5", "read-id"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.options.retries, 5);
    EXPECT_EQ(Parse({"--retries", "6", "read-id"}).error, "--retries must be between 0 and 5");
    EXPECT_EQ(parsed.options.port, "/dev/ttyUSB1");
    EXPECT_EQ(parsed.options.bitRateIndex, 2);
    EXPECT_EQ(parsed.options.moduleAddress, 2);
    EXPECT_EQ(parsed.options.xAddress, 95);
    EXPECT_TRUE(parsed.options.oneWay);
    EXPECT_TRUE(parsed.options.answerYes);
    EXPECT_EQ(parsed.options.traceFile, "link.txt");
}

TEST(CliOptions, SimStandsForTheInProcessSimulator) {
    EXPECT_EQ(Parse({"--port", "sim", "version"}).options.port, "Simulator");
    EXPECT_EQ(Parse({"--port=sim", "version"}).options.port, "Simulator");
    EXPECT_EQ(Parse({"--port", "/dev/pts/7", "version"}).options.port, "/dev/pts/7");
    EXPECT_EQ(Parse({"--port"}).error, "--port needs a value");
}

TEST(CliOptions, AddressesAreShownWithTheBaseWhateverTheOrder) {
    EXPECT_EQ(Parse({"--address", "16", "version"}).options.moduleAddress, 15);
    EXPECT_EQ(Parse({"--address", "1", "version"}).options.moduleAddress, 0);
    EXPECT_EQ(Parse({"--address", "0", "--base", "0", "version"}).options.moduleAddress, 0);
    EXPECT_EQ(Parse({"--address", "15", "--base", "0", "version"}).options.moduleAddress, 15);
    EXPECT_EQ(Parse({"--base", "0", "--xaddress", "0", "version"}).options.xAddress, 0);
    EXPECT_EQ(Parse({"--xaddress", "1", "version"}).options.xAddress, 0);
    // Through a Corvan tunnel the bound is 31 + base, whatever the order of the options.
    EXPECT_EQ(Parse({"--address", "32", "--tunnel", "version"}).options.moduleAddress, 31);
    EXPECT_EQ(Parse({"--tunnel", "--address", "33", "version"}).error, "--address must be between 1 and 32");
}

TEST(CliOptions, AddressesOutOfRangeAreRefused) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--address", "0", "version"},
                                               {"--address", "17", "version"},
                                               {"--base", "0", "--address", "16", "version"},
                                               {"--xaddress", "97", "version"},
                                               {"--xaddress", "0", "version"},
                                               {"--base", "0", "--xaddress", "96", "version"},
                                               {"--address", "x", "version"},
                                               {"--address", "3x", "version"},
                                               {"--address", "", "version"}}) {
        const Parsed parsed = Parse(args);
        EXPECT_FALSE(parsed.ok) << args[0] << " " << args[1] << " " << args[2];
        EXPECT_FALSE(parsed.error.empty());
    }
    const Parsed parsed = Parse({"--address", "17", "version"});
    EXPECT_EQ(parsed.error, "--address must be between 1 and 16");
}

TEST(CliOptions, BadValuesAreUsageErrors) {
    EXPECT_FALSE(Parse({"--bitrate", "4800", "version"}).ok);
    EXPECT_EQ(Parse({"--bitrate", "9600", "version"}).options.bitRateIndex, 0);
    EXPECT_FALSE(Parse({"--base", "2", "version"}).ok);
    EXPECT_FALSE(Parse({"--port"}).ok);
    EXPECT_FALSE(Parse({"--yes=1", "version"}).ok);
    EXPECT_FALSE(Parse({"--colour", "version"}).ok);
    EXPECT_FALSE(Parse({"--trace=", "version"}).ok);
}

TEST(CliOptions, CommandsAreCheckedAgainstTheTable) {
    EXPECT_EQ(Parse({}).error, "no command given");
    EXPECT_EQ(Parse({"--yes"}).error, "no command given");
    EXPECT_EQ(Parse({"frobnicate"}).error, "unknown command frobnicate");
    EXPECT_EQ(Parse({"write-id"}).error, "write-id needs TEXT");
    EXPECT_FALSE(Parse({"version", "--yes"}).ok);
    // Transparent mode is for interfaces without the tunnel.
    EXPECT_EQ(Parse({"--tunnel", "version", "transparent-mode"}).error,
              "transparent-mode cannot be used with --tunnel: it is for Corvan systems without tunneling; run it "
              "without --tunnel");
    EXPECT_TRUE(Parse({"transparent-mode"}).ok);
}

TEST(CliOptions, CommandsKeepTheirOrderAndArguments) {
    const Parsed parsed = Parse({"version", "read-id", "write-id", "--yes", "write-id", "", "read-id"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ASSERT_EQ(parsed.options.commands.size(), 5u);
    EXPECT_EQ(parsed.options.commands[2].command->name, "write-id");
    EXPECT_EQ(parsed.options.commands[2].argument, "--yes"); // an argument, not an option
    EXPECT_EQ(parsed.options.commands[3].argument, "");
    EXPECT_EQ(parsed.options.commands[4].command->name, "read-id");
    EXPECT_FALSE(parsed.options.answerYes);
}

TEST(CliOptions, ArgumentsThatMayFollowAreTakenUpToTheNextCommand) {
    const auto arguments = [](const std::vector<std::string>& args) {
        std::vector<std::vector<std::string>> taken;
        for (const CommandCall& call : Parse(args).options.commands)
            taken.push_back(call.arguments);
        return taken;
    };
    using Taken = std::vector<std::vector<std::string>>;
    EXPECT_EQ(arguments({"addresses", "a.dat", "b.dat", "c.dat"}), (Taken{{"a.dat", "b.dat", "c.dat"}}));
    EXPECT_EQ(arguments({"read-all", "sheet", "out.pdf", "verify-all"}), (Taken{{}, {"out.pdf"}, {}}));
    EXPECT_EQ(Parse({"sheet", "out.pdf", "a.dat", "b.dat"}).error, "unknown command b.dat"); // one source at most
    EXPECT_EQ(arguments({"export-csv", "out.csv", "a.dat", "b.dat", "version"}),
              (Taken{{"out.csv", "a.dat", "b.dat"}, {}}));
    EXPECT_EQ(Parse({"addresses"}).error, "addresses needs FILE...|DIR");
}

TEST(CliOptions, HelpNeedsNoCommand) {
    EXPECT_TRUE(Parse({"--help"}).options.help);
    EXPECT_TRUE(Parse({"-h"}).ok);
}

TEST(CliOptions, UsageListsEveryCommandOfTheTable) {
    const std::string usage = UsageText(CliCommandTable());
    EXPECT_EQ(usage.rfind("Usage: vexaconfig-cli [OPTIONS] COMMAND [ARG] [COMMAND [ARG]]...", 0), 0u);
    for (const CliCommand& command : CliCommandTable()) {
        EXPECT_NE(usage.find("  " + command.name + (command.argument.empty() ? "" : " " + command.argument)),
                  std::string::npos)
            << command.name;
        EXPECT_NE(usage.find(command.help), std::string::npos) << command.name;
    }
    for (const char* option :
         {"--port", "--bitrate", "--address", "--xaddress", "--base", "--one-way", "--retries", "--yes", "--trace"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(CliOptions, TableNamesAreUniqueAndEveryCommandRuns) {
    const auto& table = CliCommandTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_TRUE(static_cast<bool>(table[i].run)) << table[i].name;
        for (std::size_t j = i + 1; j < table.size(); ++j)
            EXPECT_NE(table[i].name, table[j].name);
    }
}

} // namespace
} // namespace vexa::cli
