#include "sim/SimToolOptions.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Args = std::vector<std::string>;

TEST(SimToolOptions, DefaultsServeModuleZeroWithoutFaults) {
    SimToolOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimToolOptions({}, options, error));
    EXPECT_EQ(options.moduleAddress, 0);
    EXPECT_FALSE(options.xAddress);
    EXPECT_EQ(options.paceBitRate, 0);
    EXPECT_TRUE(options.faults.empty());
    EXPECT_TRUE(options.statePath.empty());
    EXPECT_FALSE(options.help);
}

TEST(SimToolOptions, EveryOptionIsTaken) {
    SimToolOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimToolOptions({"--address", "15", "--xaddress", "95", "--pace", "19200", "--fault", "drop:3",
                                     "--fault", "stray", "--late-ms", "300", "--state", "/tmp/s.txt", "--help"},
                                    options, error))
        << error;
    EXPECT_EQ(options.moduleAddress, 15);
    EXPECT_EQ(options.xAddress, 95);
    EXPECT_EQ(options.paceBitRate, 19200);
    ASSERT_EQ(options.faults.size(), 2u);
    EXPECT_EQ(options.faults[0], std::make_pair(SimulatorFault::Drop, 3));
    EXPECT_EQ(options.faults[1], std::make_pair(SimulatorFault::Stray, EveryAnswer));
    EXPECT_EQ(options.lateDelayMs, 300);
    EXPECT_EQ(options.statePath, "/tmp/s.txt");
    EXPECT_TRUE(options.help);

    SimToolOptions bus;
    ASSERT_TRUE(ParseSimToolOptions({"--corvan", "--modules", "31,0,16", "--state-dir", "/tmp/layout", "--slow-module",
                                     "16:250", "--slow-module", "0:90:3"},
                                    bus, error))
        << error;
    EXPECT_EQ(bus.modules, (std::vector<int>{31, 0, 16}));
    EXPECT_EQ(bus.stateFolder, "/tmp/layout");
    EXPECT_EQ(bus.slowModules, (std::vector<SimToolOptions::SlowModule>{{16, 250, EveryAnswer}, {0, 90, 3}}));

    SimToolOptions noisy;
    ASSERT_TRUE(ParseSimToolOptions({"--fault", "drop/13", "--fault", "corrupt/17", "--seed", "7"}, noisy, error))
        << error;
    EXPECT_TRUE(noisy.faults.empty());
    EXPECT_EQ(noisy.periodicFaults,
              (std::vector<std::pair<SimulatorFault, int>>{{SimulatorFault::Drop, 13}, {SimulatorFault::Corrupt, 17}}));
    EXPECT_EQ(noisy.faultSeed, 7u);
}

TEST(SimToolOptions, BadArgumentsAreRefusedWithAReason) {
    const std::vector<Args> bad{{"--address", "16"},
                                {"--address", "-1"},
                                {"--address", "3x"},
                                {"--xaddress", "96"},
                                {"--pace", "0"},
                                {"--pace"},
                                {"--fault", "boom"},
                                {"--fault", "drop:0"},
                                {"--fault", "late:many"},
                                {"--fault", "drop/1"},
                                {"--fault", "drop/"},
                                {"--seed", "-1"},
                                {"--state", ""},
                                {"--late-ms", "-5"},
                                {"--verbose"},
                                {"extra"},
                                {"--modules", "1,4,1"},
                                {"--modules", "1,,4"},
                                {"--modules", "3,16"},
                                {"--modules", "1,2", "--address", "3"},
                                {"--modules", "1,2", "--state", "/tmp/s.txt"},
                                {"--state-dir", "/tmp/layout"},
                                {"--modules", "1,2", "--slow-module", "3:200"},
                                {"--modules", "1,2", "--slow-module", "2"},
                                {"--modules", "1,2", "--slow-module", "2:0"},
                                {"--modules", "1,2", "--slow-module", "2:50:0"}};
    for (const Args& args : bad) {
        SimToolOptions options;
        std::string error;
        EXPECT_FALSE(ParseSimToolOptions(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimToolOptions, UsageNamesEveryOption) {
    const std::string usage = SimToolUsage();
    for (const char* option : {"--address", "--xaddress", "--pace", "--fault", "--late-ms", "--state", "--help",
                               "--modules", "--state-dir", "--slow-module", "drop", "corrupt", "stray", "late"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(SimToolOptions, OptionsShapeTheSimulator) {
    SimToolOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimToolOptions(
        {"--address", "2", "--xaddress", "4", "--pace", "9600", "--fault", "drop:1", "--late-ms", "100"}, options,
        error));
    Simulator sim;
    ApplySimToolOptions(options, sim);
    EXPECT_EQ(sim.moduleAddress(), 2);
    EXPECT_EQ(sim.xAddress(), 4);
    EXPECT_EQ(sim.pacingBitRate(), 9600);
    EXPECT_EQ(sim.lateDelay(), std::chrono::milliseconds(100));

    // Version request to module 2 with the eXtended address 4: the first answer is dropped.
    const std::vector<std::uint8_t> request{0x4B, 0xF2, 0x84, 0xF0, 0x80, 0xCF};
    const auto feed = [&sim](const std::vector<std::uint8_t>& bytes) {
        std::optional<SimulatorAnswer> last;
        for (std::uint8_t b : bytes)
            last = sim.receive(b);
        return last;
    };
    EXPECT_FALSE(feed(request));
    EXPECT_TRUE(feed(request));
}

} // namespace
} // namespace vexa
