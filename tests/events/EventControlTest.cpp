#include "events/EventSlots.h"
#include "events/EventTransfer.h"
#include "events/EventVerification.h"

#include "../link/ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <numeric>

namespace vexa {
namespace {

using test::ScriptedController;
using test::TestBench;

TEST(EventSlots, EncodeDecodeAndEnableMasks) {
    EXPECT_EQ(EncodeEventSlot(2, -1), 47);
    EXPECT_EQ(EncodeEventSlot(3, 5), 53);
    EXPECT_EQ(EncodeEventSlot(0, 11), 11);
    EXPECT_EQ(EncodeEventSlot(1, 40), 31);   // would spill into the input number: sent as no action
    EXPECT_EQ(DecodeEventSlot(1, 0x25), -1); // high four bits name input 2
    EXPECT_EQ(DecodeEventSlot(1, 0x1F), -1);
    EXPECT_EQ(DecodeEventSlot(1, 0x17), 7);

    EnableMap map{};
    EXPECT_EQ(EnableMasksOf(map).on, 15); // none checked: every event initially disabled
    EXPECT_EQ(EnableMasksOf(map).off, 15);
    map.fill(true);
    EXPECT_EQ(EnableMasksOf(map).on, 0);
    EXPECT_EQ(EnableMasksOf(map).off, 0);
    map[1] = false;
    map[6] = false;
    EXPECT_EQ(EnableMasksOf(map).on, 2);
    EXPECT_EQ(EnableMasksOf(map).off, 4);
    EXPECT_EQ(EnableMapOf(2, 4), map);
}

// A controller whose event slots all say "no action" and whose enable map is all disabled;
// a test may change single answers.
struct EventControllerTest : ::testing::Test {
    EventControllerTest()
        : controller(bench.port(), [this](const std::vector<int>& request) -> std::optional<std::vector<int>> {
              if (request.size() == 2 && request[0] == 116)
                  return onAnswer(request[1]);
              if (request.size() == 2 && request[0] == 117)
                  return std::vector<int>{117, request[1], 15, 31, 47, 63};
              if (request == std::vector<int>{112, 11} && mapAnswered)
                  return std::vector<int>{112, 11, 15, 15};
              return std::nullopt;
          }) {
        CopyActionsToAll(bench.session.image, {-1, -1, -1, -1}, {-1, -1, -1, -1});
    }

    bool mapAnswered = true;
    std::function<std::vector<int>(int pin)> onAnswer = [](int pin) {
        return std::vector<int>{116, pin, 0x7F, 15, 31, 47, 63};
    };

    std::size_t requestsWithCode(int code) const {
        return static_cast<std::size_t>(
            std::count_if(controller.requests.begin(), controller.requests.end(),
                          [code](const auto& request) { return !request.empty() && request[0] == code; }));
    }

    TestBench bench;
    ScriptedController controller;
};

TEST_F(EventControllerTest, CopyToAllThenWriteAllSendsEveryOnBeforeTheFirstOffPacedWhenOneWay) {
    bench.session.link.bidirectional = false;
    bench.session.link.frameToggle = 64; // synchronised: no empty frame goes first
    CopyActionsToAll(bench.session.image, {5, -1, 0, 11}, {-1, -1, -1, 3});
    ASSERT_TRUE(WriteAllEvents(bench.session));
    const auto& requests = controller.requests;
    ASSERT_EQ(requests.size(), 64u);
    for (int pin = 0; pin < PinCount; ++pin) {
        EXPECT_EQ(requests[static_cast<std::size_t>(pin)], (std::vector<int>{100, pin, 5, 31, 32, 59}));
        EXPECT_EQ(requests[static_cast<std::size_t>(PinCount + pin)], (std::vector<int>{101, pin, 15, 31, 47, 51}));
    }
    const auto& pauses = bench.clock.pauses;
    EXPECT_EQ(std::accumulate(pauses.begin(), pauses.end(), 0), 64 * 100);

    bench.session.image.enableMap = EnableMap{true, true, true, true, true, true, true, true};
    ASSERT_TRUE(WriteEnableMap(bench.session));
    EXPECT_EQ(requests.back(), (std::vector<int>{96, 11, 0, 0}));
}

TEST_F(EventControllerTest, VerificationLogsEachMismatchAndAnotherLayoutWithTheNumberingBase) {
    ASSERT_EQ(bench.session.numberingBase, 1);
    bench.session.image.enableMap = EnableMap{}; // all disabled, as the controller holds it
    ASSERT_TRUE(RunVerifyEventControl(bench.session)) << bench.session.verificationReport;
    EXPECT_EQ(bench.session.verificationReport,
              "Start EC Verification\r\nNote: Numbering starts at 1\r\nVerify OK\r\n");

    bench.session.image.events[4].onEvents[0] = 3;
    (*bench.session.image.enableMap)[5] = true; // Off of input 1 enabled here, disabled in the controller
    EXPECT_FALSE(RunVerifyEventControl(bench.session));
    EXPECT_EQ(bench.session.verificationReport,
              "Start EC Verification\r\nNote: Numbering starts at 1\r\n"
              "Event-On(0) for pin 5 does not compare: Configured Action = 3, Vexa Reply = -1\r\n"
              "ECInit: OFF-mask does not compare\r\n");

    // A controller that answers the On read without the initial-aspect byte: reported once, the
    // remaining On reads are skipped and the Off actions are still compared.
    (*bench.session.image.enableMap)[5] = false;
    bench.session.image.events[4].onEvents[0] = -1;
    bench.session.image.events[9].offEvents[3] = 2;
    onAnswer = [](int pin) { return std::vector<int>{116, pin, 15, 31, 47, 63}; };
    controller.requests.clear();
    EXPECT_FALSE(RunVerifyEventControl(bench.session));
    EXPECT_EQ(bench.session.verificationReport,
              "Start EC Verification\r\nNote: Numbering starts at 1\r\n"
              "Read Event-On: Function not supported by Device\r\n"
              "Event-Off(3) for pin 10 does not compare: Configured Action = 2, Vexa Reply = -1\r\n");
    EXPECT_EQ(requestsWithCode(116), 1u);
    EXPECT_EQ(requestsWithCode(117), 32u);
    EXPECT_EQ(requestsWithCode(112), 1u);
}

TEST_F(EventControllerTest, AnUnknownMapIsLeftAloneAndAMapThatCannotBeReadBackFails) {
    // Unknown: the write sends nothing and says so; the verification does not ask and passes.
    ASSERT_FALSE(bench.session.image.enableMap.has_value());
    EXPECT_TRUE(WriteEnableMap(bench.session));
    EXPECT_TRUE(controller.requests.empty());
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{EnableMapUnknownText});
    EXPECT_TRUE(RunVerifyEventControl(bench.session));
    EXPECT_EQ(bench.session.verificationReport, "Start EC Verification\r\nNote: Numbering starts at 1\r\n"
                                                "ECInit: initial enable map unknown, not compared\r\nVerify OK\r\n");
    EXPECT_EQ(requestsWithCode(112), 0u);

    // Known, but the controller's answer is lost: the comparison did not run, so no "Verify OK".
    bench.session.image.enableMap = EnableMap{};
    mapAnswered = false;
    EXPECT_FALSE(RunVerifyEventControl(bench.session));
    EXPECT_EQ(bench.session.verificationReport, "Start EC Verification\r\nNote: Numbering starts at 1\r\n"
                                                "ECInit: No valid response\r\n");
}

TEST_F(EventControllerTest, ReadingTakesTheSlotsOfTheirOwnInputOnly) {
    onAnswer = [](int pin) { return std::vector<int>{116, pin, 0x70, 3, 0x25, 0x2B, 0x3F}; };
    ASSERT_TRUE(ReadAllEvents(bench.session));
    EXPECT_EQ(bench.session.image.events[31].onEvents, (EventActions{3, -1, 11, -1}));
    EXPECT_EQ(bench.session.image.events[0].offEvents, (EventActions{-1, -1, -1, -1}));
    ASSERT_TRUE(ReadEnableMap(bench.session));
    EXPECT_EQ(bench.session.image.enableMap, EnableMap{});
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();

    // Another layout: said once per direction, the other direction is still read, and the read
    // fails (nothing may claim the controller's events were read).
    onAnswer = [](int pin) { return std::vector<int>{116, pin, 3, 31, 47, 63}; };
    bench.session.image.events[2].offEvents[0] = 4;
    EXPECT_FALSE(ReadAllEvents(bench.session));
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"Read Event-On: Function not supported by Device"});
    EXPECT_EQ(bench.session.image.events[2].offEvents[0], -1);
    EXPECT_FALSE(ReadPinEvents(bench.session, 2));
    EXPECT_EQ(bench.prompter.last(), "Function not supported by Device");
}

} // namespace
} // namespace vexa
