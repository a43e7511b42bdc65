#include "../sim/SimTestBench.h"
#include "ModuleSettingsBench.h"

#include "module/DccAddressing.h"
#include "module/EraseFlash.h"
#include "module/HardwareSettings.h"
#include "module/LedSettings.h"
#include "module/ModuleSettingsTransfer.h"
#include "module/SerialAddressing.h"
#include "module/SerialPortSettings.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Requests = std::vector<std::vector<int>>;

TEST(ModuleSettingsWrite, SendsTheBytesOfEveryBlockInBatchOrder) {
    test::ModuleSettingsBench bench;
    bench.session.link.bidirectional = false;
    ModuleSettings& module = bench.session.image.module;
    module.dccAddress = 300;
    module.xdccAddress = 2046;
    module.dccPacketRepeat = 1;
    module.dccStateInvert = true;
    module.dccAllowZero = true;
    module.ledGreen = {1, 0, 1, 0, 0, 0, 0, 0};
    module.hwcSink = {true, false, true, false};
    module.hwcSource = {false, true, true, false};
    module.serialEnable = true;
    module.serialBaud = 4; // 38400
    module.serialDataBits = 8;
    module.serialParity = 2;
    module.serialStopBits = 2;
    module.groupMask[0] = module.groupMask[5] = module.groupMask[15] = true;
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 3;
    module.moduleXAddress = 17;
    module.enforcedXAddress = false;

    EXPECT_TRUE(WriteModuleSettings(bench.session));
    EXPECT_EQ(bench.controller->requests, (Requests{{96, 5, 13},
                                                    {96, 4, 44, 4},
                                                    {96, 12, 62, 31},
                                                    {96, 6, 5},
                                                    {96, 7, 0},
                                                    {96, 1, 1, 2, 3, 0},
                                                    {96, 13, 1, 108},
                                                    {96, 8, 1, 3},
                                                    {96, 3, 1, 2, 0, 8},
                                                    {96, 2, 17}}));
}

TEST(ModuleSettingsWrite, EnforcedModeAndNativeModeSendTheirFixedValues) {
    test::ModuleSettingsBench bench;
    bench.session.link.bidirectional = false;
    ModuleSettings& module = bench.session.image.module;
    module.enforcedXAddress = true;
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 9;
    module.groupMask.fill(true);
    module.moduleXAddress = 40;
    EXPECT_TRUE(WriteSerialAddressing(bench.session));
    module.enforcedXAddress = false;
    module.lumoFlexAddressing = false;
    module.nativeMode = true;
    EXPECT_TRUE(WriteSerialAddressing(bench.session));
    // Unknown: settings 8 and 3 as without the mode, setting 2 left on the controller, said once.
    module.enforcedXAddress.reset();
    EXPECT_TRUE(WriteSerialAddressing(bench.session));
    EXPECT_EQ(bench.controller->requests, (Requests{{96, 8, 0, 0},
                                                    {96, 3, 0, 0, 0, 0},
                                                    {96, 2, 127},
                                                    {96, 8, 0, 64},
                                                    {96, 3, 15, 15, 15, 15},
                                                    {96, 2, 40},
                                                    {96, 8, 0, 64},
                                                    {96, 3, 15, 15, 15, 15}}));
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{EnforcedUnknownText});
}

TEST(ModuleSettingsRead, DecodesEveryBlock) {
    test::ModuleSettingsBench bench;
    bench.answer(5, {13});
    bench.answer(4, {44, 4});
    bench.answer(12, {1, 2});
    bench.answer(8, {0, 64});
    bench.answer(2, {127});
    bench.answer(3, {1, 2, 0, 8});
    bench.answer(6, {0});
    bench.answer(7, {5});
    bench.answer(1, {1, 2, 3, 0});
    bench.answer(13, {1, 108});
    ModuleSettings& module = bench.session.image.module;
    module.moduleXAddress = 33;
    module.ledGreen = {1, 1, 0, 0, 0, 0, 0, 0};
    bench.session.link.bidirectional = false;

    EXPECT_TRUE(ReadModuleSettings(bench.session));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_TRUE(bench.session.link.bidirectional);
    EXPECT_EQ(
        bench.controller->requests,
        (Requests{
            {112, 5}, {112, 4}, {112, 12}, {112, 8}, {112, 2}, {112, 3}, {112, 6}, {112, 7}, {112, 1}, {112, 13}}));
    EXPECT_EQ(module.dccPacketRepeat, 1); // "125ms"
    EXPECT_TRUE(module.dccStateInvert);
    EXPECT_TRUE(module.dccAllowZero);
    EXPECT_EQ(module.dccAddress, 300);
    EXPECT_EQ(module.xdccAddress, 129);
    EXPECT_TRUE(module.nativeMode);
    EXPECT_FALSE(module.lumoFlexAddressing);
    EXPECT_TRUE(module.enforcedXAddress);
    EXPECT_EQ(module.moduleXAddress, 0);
    EXPECT_EQ(module.groupMask, (std::array<bool, 16>{true, false, false, false, false, true, false, false, false,
                                                      false, false, false, false, false, false, true}));
    EXPECT_EQ(module.ledGreen, (LedItems{0, 0, 0, 0, 0, 0, 0, CheckGrey}));
    EXPECT_EQ(module.ledOrange, (LedItems{1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(module.hwcSink, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(module.hwcSource, (std::array<bool, 4>{false, true, true, false}));
    EXPECT_TRUE(module.serialEnable);
    EXPECT_EQ(module.serialBaud, 4);
    EXPECT_EQ(module.serialDataBits, 8);
    EXPECT_EQ(module.serialParity, 2);
    EXPECT_EQ(module.serialStopBits, 2);
}

TEST(ModuleSettingsRead, WrongAnswersShowTheirMessagesAndKeepTheFields) {
    test::ModuleSettingsBench bench;
    ModuleSettings& module = bench.session.image.module;
    bench.answer(8, {1});           // size 3
    bench.answers[2] = {112, 3, 7}; // wrong echo
    bench.answer(3, {1, 1, 1, 1});
    module.lumoFlexBlock = 5;
    // Every exchange runs and says what it refused; the read fails.
    EXPECT_FALSE(ReadSerialAddressing(bench.session));
    EXPECT_EQ(bench.controller->requests.size(), 3u);
    EXPECT_EQ(bench.prompter.texts(), (std::vector<std::string>{"No valid response, size = 3 expected = 4",
                                                                "No valid response, msg = 112,3 expected = 112,2"}));
    EXPECT_EQ(module.lumoFlexBlock, 5);
    EXPECT_TRUE(module.groupMask[4]);

    // A hardware byte beyond 3 stops at its group; the groups before it are taken.
    bench.prompter.messages.clear();
    bench.answer(1, {3, 4, 1, 1});
    EXPECT_FALSE(ReadHardwareConfig(bench.session));
    EXPECT_EQ(bench.prompter.last(), "No valid response byte");
    EXPECT_TRUE(module.hwcSink[0] && module.hwcSource[0]);
    EXPECT_FALSE(module.hwcSink[2]);

    // A parity value without an option leaves the parity; the rest is taken.
    bench.answer(13, {0, 16 + 2});
    module.serialParity = 3;
    EXPECT_TRUE(ReadSerialPortSettings(bench.session));
    EXPECT_EQ(module.serialParity, 3);
    EXPECT_EQ(module.serialBaud, 2);

    // No answer at all ends a read with the link's message only.
    bench.prompter.messages.clear();
    bench.answers.clear();
    EXPECT_FALSE(ReadDccSettings(bench.session));
    EXPECT_EQ(bench.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
}

TEST(ModuleSettingsRead, ARefusedAnswerFailsTheReadAfterItsOtherExchanges) {
    struct Case {
        bool (*read)(Session&);
        int setting;
        std::vector<int> answer; // the whole answer data of that setting
        std::size_t requests;    // the read still makes all of these
    };
    const std::vector<Case> cases{
        {ReadDccSettings, 5, {112, 5, 1, 2}, 3},
        {ReadLedSettings, 6, {112, 5, 3}, 2},
        {ReadHardwareConfig, 1, {112, 1, 0, 0, 0}, 1},
        {ReadSerialPortSettings, 13, {112, 12, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        test::ModuleSettingsBench bench;
        for (int setting : {1, 4, 5, 6, 7, 12, 13})
            bench.answer(setting,
                         setting == 4 || setting == 12 || setting == 13 ? std::vector<int>{1, 0} : std::vector<int>{0});
        bench.answer(1, {0, 0, 0, 0});
        bench.answers[c.setting] = c.answer;
        bench.session.image.module.ledOrange = {0, 0, 0, 0, 0, 0, 0, CheckGrey};
        EXPECT_FALSE(c.read(bench.session)) << "setting " << c.setting;
        EXPECT_EQ(bench.prompter.messages.size(), 1u) << "setting " << c.setting;
        EXPECT_EQ(bench.controller->requests.size(), c.requests) << "setting " << c.setting;
    }
}

TEST(ModuleSettingsDcc, EachOptionAloneGoesOutAsItsOwnBitAndReadsBack) {
    struct Case {
        const char* option;
        int repeat;
        bool stateInvert;
        bool allowZero;
        int byte; // after 96, 5 on the wire
    };
    const std::vector<Case> cases{
        {"62.5ms", 0, false, false, 0},          {"125ms", 1, false, false, 1},
        {"500ms", 3, false, false, 3},           {"Basic Packet State Invert", 2, true, false, 6},
        {"Allow Address 0", 2, false, true, 10},
    };
    for (const Case& c : cases) {
        test::SimBench bench;
        ModuleSettings& module = bench.session.image.module;
        module.dccPacketRepeat = static_cast<std::uint8_t>(c.repeat);
        module.dccStateInvert = c.stateInvert;
        module.dccAllowZero = c.allowZero;
        const ModuleSettings written = module;
        ASSERT_TRUE(WriteDccSettings(bench.session)) << c.option;
        // The link's empty synchronising frame goes first.
        ASSERT_GE(bench.sim->requests().size(), 2u);
        EXPECT_EQ(bench.sim->requests()[1].data, (std::vector<std::uint8_t>{96, 5, std::uint8_t(c.byte)})) << c.option;

        module = ModuleSettings{};
        ASSERT_TRUE(ReadDccSettings(bench.session)) << c.option;
        EXPECT_EQ(module, written) << c.option;
    }
}

TEST(ModuleSettingsLed, ClicksFollowTheDefaultFunctionRule) {
    LedItems items{0, 0, 0, 0, 0, 0, 0, CheckGrey};
    ApplyLedClick(items, 3, true);
    EXPECT_EQ(items, (LedItems{0, 0, 0, 1, 0, 0, 0, 0}));
    ApplyLedClick(items, 3, false);
    EXPECT_EQ(items, (LedItems{0, 0, 0, 0, 0, 0, 0, CheckGrey}));
    ApplyLedClick(items, 7, false); // the default cannot be taken away alone
    EXPECT_EQ(items[7], CheckGrey);
    items = {1, 1, 0, 0, 0, 0, 0, 0};
    ApplyLedClick(items, 7, true);
    EXPECT_EQ(items, (LedItems{0, 0, 0, 0, 0, 0, 0, CheckGrey}));
}

TEST(ModuleSettingsErase, SendsOnlyAfterOkThenCancelWithBidirectionalRestored) {
    test::ModuleSettingsBench bench;
    bench.prompter.answers = {true, true}; // OK to "cancel?" stops
    EXPECT_FALSE(EraseFlash(bench.session));
    bench.prompter.answers = {false};
    EXPECT_FALSE(EraseFlash(bench.session));
    EXPECT_TRUE(bench.controller->requests.empty());
    EXPECT_EQ(bench.prompter.messages.at(0).text, EraseFirstQuestion);
    EXPECT_EQ(bench.prompter.messages.at(1).text, EraseSecondQuestion);

    bench.prompter.answers = {true, false};
    EXPECT_TRUE(EraseFlash(bench.session));
    EXPECT_EQ(bench.controller->requests, (Requests{{96, 0, 33, 91, 12, 5, 60, 17, 88, 2}}));
    EXPECT_EQ(bench.port().written[bench.port().written.size() - 12] & 32, 0); // sent one way
    EXPECT_TRUE(bench.session.link.bidirectional);
}

TEST(ModuleSettingsErase, WaitsForTheVersionUntilTheLimit) {
    test::ModuleSettingsBench bench;
    std::vector<int> waited;
    EXPECT_FALSE(AwaitControllerAfterErase(bench.session, 10, [&waited](int s) { waited.push_back(s); }));
    EXPECT_GE(waited.size(), 3u);
    EXPECT_LE(waited.back(), 10);
    bench.answer(0, {3, 1, 0, 12});
    EXPECT_TRUE(AwaitControllerAfterErase(bench.session, 10, {}));
    EXPECT_EQ(bench.session.versionText, "3.1.0.12");
}

} // namespace
} // namespace vexa
