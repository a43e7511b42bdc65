// The bytes of the live commands: aspect test forms, the Test tab's buttons, module commands.

#include "../pins/PinFrames.h"
#include "LiveFrames.h"
#include "live/AspectTest.h"
#include "live/ModuleCommands.h"
#include "live/TestTabCommands.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Values = std::vector<int>;

class LiveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SynchronisedLink(bench);
        bench.session.link.bidirectional = false;
    }
    // Runs the command with a fresh record of the port and returns the frames it wrote.
    template <typename F> std::vector<Values> framesOf(F&& command) {
        bench.port().written.clear();
        command(bench.session);
        return test::WrittenFrames(bench.port());
    }
    Values onlyFrame(const std::vector<Values>& frames, bool lumo = false) {
        EXPECT_EQ(frames.size(), 1u);
        return frames.empty() ? Values{} : (lumo ? test::LumoFrame(frames[0]) : test::FrameData(frames[0]));
    }
    void select(int pin, int aspect) {
        bench.session.image.currentPin = pin;
        bench.session.image.currentAspect = aspect;
    }

    test::TestBench bench;
};

TEST_F(LiveCommandsTest, TestButtonSendsTheFormTheKeysChoose) {
    const auto test = [this](TestKeys keys) { return framesOf([keys](Session& s) { TestAspect(s, keys); }); };
    select(3, 2);
    EXPECT_EQ(onlyFrame(test({})), (Values{0, 0, 3, 2}));
    // Pins 0..2 have one serial address each: pin 3 has serial address 3.
    EXPECT_EQ(onlyFrame(test({false, true, false})), (Values{0, 1, 3, 2}));
    bench.session.link.moduleAddress = 2; // Lumo header 2 x 4 + 3
    bench.session.link.frameToggle = 64;
    EXPECT_EQ(onlyFrame(test({true, false, false}), true), (Values{11, 0, 3, 2}));
    EXPECT_EQ(onlyFrame(test({true, true, false}), true), (Values{11, 1, 3, 2}));

    // Flex addressing, block 10, serial address 5: m = 45, header 7, data 1, 13, a, for
    // Shift and Shift + Control alike.
    bench.session.image.module.lumoFlexAddressing = true;
    bench.session.image.module.lumoFlexBlock = 10;
    select(5, 1);
    EXPECT_EQ(onlyFrame(test({true, false, false}), true), (Values{7, 1, 13, 1}));
    EXPECT_EQ(onlyFrame(test({true, true, false}), true), (Values{7, 1, 13, 1}));
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

TEST_F(LiveCommandsTest, TestRefusesAPinWithoutSerialAddressAndAltOnlyHelps) {
    bench.session.image.pins[6].lumoAddressCount = 0;
    select(6, 0);
    for (TestKeys keys : {TestKeys{false, true, false}, TestKeys{true, true, false}}) {
        EXPECT_TRUE(framesOf([keys](Session& s) { EXPECT_FALSE(TestAspect(s, keys)); }).empty());
        ASSERT_EQ(bench.prompter.messages.size(), 1u);
        EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkError);
        EXPECT_EQ(bench.prompter.last(), "You have no Lumo-address(es) assigned to Pin 7");
        bench.prompter.messages.clear();
    }
    // Flex addressing needs the serial address for plain Shift as well.
    bench.session.image.module.lumoFlexAddressing = true;
    EXPECT_TRUE(framesOf([](Session& s) { TestAspect(s, {true, false, false}); }).empty());
    EXPECT_EQ(bench.prompter.texts().size(), 1u);

    EXPECT_TRUE(framesOf([](Session& s) { TestAspect(s, {true, false, true}); }).empty());
    EXPECT_EQ(bench.prompter.last(), "Test = Send Vexa Set Aspect\r\nShift + Test = Send Legacy Lumo Set Aspect\r\n"
                                     "Control + Test = Send Vexa Set Aspect, use Address Map\r\n"
                                     "Shift + Control + Test = Send Legacy Lumo Set Aspect, use Address Map\r\n"
                                     "Alt + Test = Show this message");
}

// Six serial addresses on each of pins 0..21 put pin 22 at serial address 132: a data byte would
// carry 4, another pin's output. The forms that send it refuse; flex addressing carries it.
TEST_F(LiveCommandsTest, TestRefusesASerialAddressAboveADataByte) {
    for (int pin = 0; pin < 22; ++pin)
        bench.session.image.pins[static_cast<std::size_t>(pin)].lumoAddressCount = 6;
    select(22, 1);
    for (TestKeys keys : {TestKeys{false, true, false}, TestKeys{true, true, false}}) {
        EXPECT_TRUE(framesOf([keys](Session& s) { EXPECT_FALSE(TestAspect(s, keys)); }).empty());
        ASSERT_EQ(bench.prompter.messages.size(), 1u);
        EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkError);
        EXPECT_EQ(bench.prompter.last(),
                  "The serial address of Pin 23 is 132: a message can carry serial addresses from 0 to 127 only");
        bench.prompter.messages.clear();
    }
    bench.session.image.module.lumoFlexAddressing = true; // m = 132: header 4 x 4 + 3, address 4
    EXPECT_EQ(onlyFrame(framesOf([](Session& s) { TestAspect(s, {true, true, false}); }), true), (Values{19, 1, 4, 1}));
}

TEST_F(LiveCommandsTest, TestTabButtonsToggleEightfoldAndFreeLumo) {
    AspectToggle toggle;
    std::vector<Values> sent;
    for (int press = 0; press < 3; ++press)
        sent.push_back(onlyFrame(framesOf([&toggle](Session& s) { toggle.press(s, "9"); })));
    EXPECT_EQ(sent, (std::vector<Values>{{0, 1, 9, 0}, {0, 1, 9, 1}, {0, 1, 9, 0}}));

    const std::vector<Values> eight = framesOf([](Session& s) { SendAspectToEightOutputs(s, 1); });
    ASSERT_EQ(eight.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(test::FrameData(eight[static_cast<std::size_t>(i)]), (Values{0, 1, i, 1}));

    // A field holds a leading number; one beyond a data byte is refused with its name.
    EXPECT_EQ(onlyFrame(framesOf([](Session& s) { SendAspectToOutput(s, "12abc", 3); })), (Values{0, 1, 12, 3}));
    EXPECT_EQ(onlyFrame(framesOf([](Session& s) {
                            SendFreeLumoCommand(s, {"10", "4.5", "x"});
                        }),
                        true),
              (Values{3, 10, 4, 0}));
    EXPECT_TRUE(framesOf([](Session& s) { SendFreeLumoCommand(s, {"1", "2", "300"}); }).empty());
    EXPECT_EQ(bench.prompter.last(), "Parameter: enter a number from 0 to 127");
}

TEST_F(LiveCommandsTest, ModuleCommandsAndMatrixBoard) {
    bench.session.link.moduleAddress = 3;
    EXPECT_EQ(onlyFrame(framesOf([](Session& s) { SendModuleReset(s, ModuleFifteen); }), true), (Values{63, 2, 0, 0}));

    const std::vector<Values> lamps = framesOf([](Session& s) { SendLampTest(s, s.link.moduleAddress); });
    ASSERT_EQ(lamps.size(), 32u);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(test::LumoFrame(lamps[static_cast<std::size_t>(i)]), (Values{15, 10, i, 30}));

    const std::array<bool, MatrixAddressCount> boxes{true, false, false, false, true, false, false, false, false, true};
    const std::vector<Values> matrix = framesOf([&boxes](Session& s) { SendMatrixAspect(s, boxes, 7); });
    ASSERT_EQ(matrix.size(), 3u);
    EXPECT_EQ(test::FrameData(matrix[0]), (Values{0, 1, 0, 7}));
    EXPECT_EQ(test::FrameData(matrix[1]), (Values{0, 1, 4, 7}));
    EXPECT_EQ(test::FrameData(matrix[2]), (Values{0, 1, 9, 7}));
    EXPECT_TRUE(framesOf([](Session& s) { SendMatrixAspect(s, {}, 7); }).empty());

    // With the port closed, Clear All says so once and sends nothing.
    bench.port().close();
    EXPECT_FALSE(SendClearAll(bench.session, 0));
    EXPECT_EQ(bench.prompter.texts(), (std::vector<std::string>{"Select communications port"}));
}

} // namespace
} // namespace vexa
