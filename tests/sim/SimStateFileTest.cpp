#include "sim/SimStateFile.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vexa {
namespace {

namespace fs = std::filesystem;

class SimStateFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vexa-sim-state-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }

    fs::path dir_;
};

TEST_F(SimStateFile, SaveAndLoadGiveTheSameMemory) {
    auto sim = MakeDefaultSimulator();
    sim->setIdString("Line\nBreak");
    sim->pin(31).steps[35] = SimStep{99, {127, 1, 2, 3}};
    sim->pin(7).flashBlock = {3, 5, 1, 28, 2, 30};
    sim->pin(8).flashBlock = {2, 5, 1, 28, 9}; // an older controller's: without the off and on levels
    sim->pin(7).eventOff = {2, 31, 33, 63};
    sim->pin(7).addressConfig = {0, 16, 95};
    sim->setting(SettingGroupMask) = {1, 2, 0, 8};
    std::string error;
    ASSERT_TRUE(sim->save(path("state.txt"), error)) << error;
    EXPECT_FALSE(fs::exists(path("state.txt.tmp")));

    Simulator loaded;
    ASSERT_TRUE(loaded.load(path("state.txt"), error)) << error;
    EXPECT_EQ(loaded.memory(), sim->memory());
}

TEST_F(SimStateFile, TheFirstLineNamesTheFormat) {
    auto sim = MakeDefaultSimulator();
    std::string error;
    ASSERT_TRUE(sim->save(path("state.txt"), error));
    std::ifstream in(path("state.txt"));
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "VexaSimState 1");
}

TEST_F(SimStateFile, MissingItemsKeepTheErasedValuesAndCommentsAreSkipped) {
    const std::string file =
        write("short.txt", "VexaSimState 1\r\n# a comment\r\n\r\nsetting 10 65 66\r\npin 3 layout 3\r\n");
    auto sim = MakeDefaultSimulator();
    std::string error;
    ASSERT_TRUE(sim->load(file, error)) << error;
    EXPECT_EQ(sim->idString(), "AB");
    EXPECT_EQ(sim->pin(3).aspectLayout, LayoutFourByNine);
    EXPECT_EQ(sim->pin(1), SimPin{}); // the demonstration program is gone
    EXPECT_EQ(sim->setting(SettingVersion), (std::vector<std::uint8_t>{3, 1, 0, 12}));
}

struct BadFile {
    const char* name;
    const char* text;
    int line; // line that the error names
};

class SimStateFileMalformed : public SimStateFile, public ::testing::WithParamInterface<BadFile> {};

TEST_P(SimStateFileMalformed, IsRefusedWithTheLineAndLeavesTheStateAlone) {
    const BadFile& bad = GetParam();
    const std::string file = write("bad.txt", bad.text);
    auto sim = MakeDefaultSimulator();
    const ControllerMemory before = sim->memory();
    std::string error;
    EXPECT_FALSE(sim->load(file, error));
    EXPECT_NE(error.find("line " + std::to_string(bad.line) + ":"), std::string::npos) << error;
    EXPECT_EQ(sim->memory(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimStateFileMalformed,
    ::testing::Values(BadFile{"WrongHeader", "VexaConfiguration 3100\n", 1},
                      BadFile{"NewerVersion", "VexaSimState 2\n", 1},
                      BadFile{"UnknownItem", "VexaSimState 1\nsetting 10 65\nlamp 1\n", 3},
                      BadFile{"ValueAbove127", "VexaSimState 1\nsetting 6 200\n", 2},
                      BadFile{"NotANumber", "VexaSimState 1\nsetting 6 five\n", 2},
                      BadFile{"NegativeNumber", "VexaSimState 1\nsetting 6 -1\n", 2},
                      BadFile{"SettingSize", "VexaSimState 1\nsetting 4 1\n", 2},
                      BadFile{"NoSetting9", "VexaSimState 1\nsetting 9\n", 2},
                      BadFile{"SettingNumber", "VexaSimState 1\nsetting 14 0\n", 2},
                      BadFile{"LongIdentity", "VexaSimState 1\nsetting 10 65 65 65 65 65 65 65 65 65 65 65 65 65\n", 2},
                      BadFile{"PinNumber", "VexaSimState 1\npin 32 layout 0\n", 2},
                      BadFile{"PinItemMissing", "VexaSimState 1\npin 3\n", 2},
                      BadFile{"UnknownPinItem", "VexaSimState 1\npin 3 colour 1\n", 2},
                      BadFile{"BlockLength", "VexaSimState 1\npin 3 flash 2 0 0 28\n", 2},
                      BadFile{"BlockType", "VexaSimState 1\npin 3 active 7\n", 2},
                      BadFile{"EmptyBlock", "VexaSimState 1\npin 3 active\n", 2},
                      BadFile{"Layout", "VexaSimState 1\npin 3 layout 1\n", 2},
                      BadFile{"StepSlot", "VexaSimState 1\npin 3 step 36 1 0 0 0 0\n", 2},
                      BadFile{"StepSize", "VexaSimState 1\npin 3 step 0 1 0 0 0\n", 2},
                      BadFile{"InitialAspect", "VexaSimState 1\npin 3 initial 16\n", 2},
                      BadFile{"EventSlotInput", "VexaSimState 1\npin 3 eventon 15 15 47 63\n", 2},
                      BadFile{"EventCount", "VexaSimState 1\npin 3 eventoff 15 31 47\n", 2},
                      BadFile{"AddressKinds", "VexaSimState 1\npin 3 address 9 64 17\n", 2}),
    [](const ::testing::TestParamInfo<BadFile>& param) { return std::string(param.param.name); });

TEST_F(SimStateFile, LinesLongerThanALineCanBeAreRefused) {
    const std::string file = write("long.txt", "VexaSimState 1\n# " + std::string(5000, 'x') + "\n");
    Simulator sim;
    std::string error;
    EXPECT_FALSE(sim.load(file, error));
    EXPECT_NE(error.find("line 2:"), std::string::npos) << error;
}

TEST_F(SimStateFile, FilesThatCannotBeStatesAreRefused) {
    Simulator sim;
    std::string error;
    EXPECT_FALSE(sim.load(path("missing.txt"), error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    EXPECT_FALSE(sim.load(write("empty.txt", ""), error));
    EXPECT_NE(error.find("empty"), std::string::npos) << error;
    EXPECT_FALSE(sim.load(dir_.string(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(sim.load(write("big.txt", "VexaSimState 1\n" + std::string(2 << 20, '\n')), error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(sim.load(write("binary.txt", std::string("\0\xff\x80garbage", 10)), error));
    EXPECT_NE(error.find("line 1:"), std::string::npos) << error;
}

TEST_F(SimStateFile, SavingWhereNoFileCanBeReportsWhy) {
    Simulator sim;
    std::string error;
    EXPECT_FALSE(sim.save(path("no/such/dir/state.txt"), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

} // namespace
} // namespace vexa
