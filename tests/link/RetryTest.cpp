// Retries: a read whose answer is lost or malformed is sent again, a write never is.
#include "link/Exchange.h"

#include "ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::AnswerFrame;
using test::ScriptedController;
using Request = std::vector<int>;
using Answer = std::optional<std::vector<int>>;

constexpr const char* NoResponse = "No response received, resetting bidirectional communication";
const Request ReadVersion{112, 0};
const std::vector<int> Version{112, 0, 3, 1, 0, 12};

// A synchronised link to module 5 (next header 0x57), with the given retry limit.
struct RetryBench : test::TestBench {
    explicit RetryBench(int retries) {
        session.link.moduleAddress = 5;
        session.link.frameToggle = 64;
        session.link.retryLimit = retries;
    }
    bool traced(const std::string& text) const { return session.trace.text().find(text) != std::string::npos; }
};

// Each try is a frame of its own with the next toggle; with no retries the read goes once.
TEST(Retries, AReadWithoutAnAnswerIsSentUpToTheLimitAndThenToldOnce) {
    for (int retries : {0, 2, 5}) {
        RetryBench bench(retries);
        ScriptedController controller(bench.port(), [](const Request&) { return Answer{}; });
        EXPECT_TRUE(SendVexaMessage(bench.session, true, ReadVersion));
        EXPECT_FALSE(bench.session.link.answerValid);
        ASSERT_EQ(controller.requests.size(), static_cast<std::size_t>(retries + 1)) << retries;
        for (std::size_t i = 0; i < controller.headers.size(); ++i)
            EXPECT_EQ(controller.headers[i], i % 2 == 0 ? 0x57 : 0x17) << retries;
        EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{NoResponse}) << retries;
        EXPECT_FALSE(bench.session.link.bidirectional);
        EXPECT_EQ(bench.session.link.retriesTaken, retries);
        EXPECT_EQ(bench.traced("retry " + std::to_string(retries) + " of " + std::to_string(retries)), retries > 0);
    }
}

// A lost answer and a malformed one (an eXtended Address byte nobody asked for) are asked again
// without a word; the link stays bidirectional.
TEST(Retries, ALostOrMalformedAnswerIsAskedAgainSilently) {
    for (const bool malformed : {false, true}) {
        RetryBench bench(2);
        int tries = 0;
        ScriptedController* script = nullptr;
        ScriptedController controller(bench.port(), [&](const Request&) {
            ++tries;
            script->answerXAddress = tries == 1 && malformed ? 33 : -1;
            return tries == 1 && !malformed ? Answer{} : Answer{Version};
        });
        script = &controller;
        EXPECT_TRUE(SendVexaMessage(bench.session, true, ReadVersion));
        ASSERT_TRUE(bench.session.link.answerValid) << malformed;
        EXPECT_EQ(bench.session.link.answerFrom(0), Version);
        EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
        EXPECT_TRUE(bench.session.link.bidirectional);
        EXPECT_EQ(bench.session.link.retriesTaken, 1);
        EXPECT_TRUE(bench.traced("retry 1 of 2\r\n")) << bench.session.trace.text();
    }
}

// The first try's answer comes late, while the second waits: it carries the first try's header,
// so it is dropped as a stray frame and the second try's own answer is taken.
TEST(Retries, ALateAnswerToTheFirstTryIsAStrayFrameForTheSecond) {
    RetryBench bench(2);
    int tries = 0;
    ScriptedController controller(bench.port(), [&](const Request&) {
        if (++tries == 1)
            return Answer{};
        bench.port().arrive(AnswerFrame(0x57, {112, 0, 9, 9, 9, 9}));
        return Answer{Version};
    });
    EXPECT_TRUE(SendVexaMessage(bench.session, true, ReadVersion));
    ASSERT_TRUE(bench.session.link.answerValid);
    EXPECT_EQ(bench.session.link.answerFrom(0), Version);
    EXPECT_TRUE(bench.traced("dropped [57]")) << bench.session.trace.text();
    EXPECT_EQ(bench.session.link.frameToggle, 64);
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

// A write, a live command, an erase and the monitor's empty request go once whatever the limit.
TEST(Retries, OnlyReadsAreSentAgain) {
    const std::vector<Request> once{{0, 0, 3, 2}, {96, 0, 1, 2, 3, 4, 5, 6, 7, 8}, {}, {65, 4, 1, 2, 3}};
    for (const Request& request : once) {
        RetryBench bench(5);
        ScriptedController controller(bench.port(), [](const Request&) { return Answer{}; });
        EXPECT_TRUE(SendVexaMessage(bench.session, false, request));
        EXPECT_EQ(controller.requests, std::vector<Request>{request});
        EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{NoResponse});
        EXPECT_EQ(bench.session.link.retriesTaken, 0);
    }
}

// A write whose acknowledgement is lost is not sent again: its part is read back, and the write
// counts as acknowledged only when the controller holds what it stores.
TEST(Retries, AWriteWithALostAcknowledgementIsReadBack) {
    const Request write{96, 10, 'Y', 'A', 'R', 'D'};
    for (const bool held : {true, false}) {
        RetryBench bench(2);
        ScriptedController controller(bench.port(), [held](const Request& request) {
            if (request[0] == 96)
                return Answer{};
            return held ? Answer{{112, 10, 'Y', 'A', 'R', 'D'}} : Answer{{112, 10, 'O', 'L', 'D'}};
        });
        EXPECT_TRUE(SendVexaMessage(bench.session, false, write));
        EXPECT_EQ(controller.requests, (std::vector<Request>{write, {112, 10}})) << held;
        EXPECT_EQ(bench.session.link.answerValid, held);
        EXPECT_EQ(bench.session.link.bidirectional, held);
        EXPECT_EQ(bench.prompter.texts(), held ? std::vector<std::string>{} : std::vector<std::string>{NoResponse});
        EXPECT_EQ(bench.session.controllerCopy().find({HeldPart::Setting, 10}) != nullptr, held);
        EXPECT_TRUE(bench.traced("retry 1 of 2 (read back)"));
    }
}

} // namespace
} // namespace vexa
