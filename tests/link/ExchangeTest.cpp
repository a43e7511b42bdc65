#include "link/Exchange.h"

#include "ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::AnswerFrame;
using test::TestBench;
using Bytes = std::vector<std::uint8_t>;

const Bytes Preamble{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA, 0xAA};

// A bench whose link is synchronised, with module address 5 and the next toggle 64.
struct SyncedBench : TestBench {
    SyncedBench() {
        session.link.moduleAddress = 5;
        session.link.frameToggle = 64;
    }
    LinkState& link() { return session.link; }
};

// A request with module address 5, toggle 64, bidirectional on and data 112, 0.
TEST(Exchange, FramesTheWorkedExample) {
    SyncedBench bench;
    bench.link().bidirectional = false;
    EXPECT_TRUE(SendVexaMessage(bench.session, false, {112, 0}));
    EXPECT_EQ(bench.port().written, (Bytes{0x57, 0xC2, 0xF0, 0x80, 0xF7}));

    bench.port().written.clear();
    bench.link().frameToggle = 64;
    bench.link().bidirectional = true;
    bench.port().queue({0x57, 0xE0, 0xC9}); // an empty valid answer
    SendVexaMessage(bench.session, true, {112, 0});
    EXPECT_EQ(bench.port().written, (Bytes{0x57, 0xE2, 0xF0, 0x80, 0xD7}));
    EXPECT_TRUE(bench.link().answerValid);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(Exchange, EmptyRequestIsThreeBytesAndEveryCheckByteZeroesTheSum) {
    SyncedBench bench;
    bench.link().bidirectional = false;
    for (int address : {0, 7, 15}) {
        bench.port().written.clear();
        bench.link().moduleAddress = address;
        SendVexaMessage(bench.session, false, {});
        ASSERT_EQ(bench.port().written.size(), 3u);
        EXPECT_EQ(bench.port().written[1], 0xC0);
        unsigned sum = 0;
        for (std::uint8_t byte : bench.port().written)
            sum += byte;
        EXPECT_EQ(sum % 128, 0u) << "address " << address;
        EXPECT_GE(bench.port().written[2], 128);
    }
}

TEST(Exchange, ControlByteCarriesTheFlagsAndTheXAddressFollowsIt) {
    SyncedBench bench;
    bench.link().bidirectional = false;
    bench.link().useXAddress = true;
    bench.link().xAddress = 95;
    SendVexaMessage(bench.session, false, {96, 10, 65});
    const Bytes& sent = bench.port().written;
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[1], 128 + 64 + 16 + 3);
    EXPECT_EQ(sent[2], 95 + 128);
    EXPECT_EQ(sent[3], 96 + 128);
    EXPECT_EQ(sent[5], 65 + 128);
}

TEST(Exchange, FirstRequestIsPrecededByPreambleAndEmptyFrameThenTogglesAlternate) {
    TestBench bench;
    bench.session.link.moduleAddress = 5;
    bench.session.link.bidirectional = false;
    ASSERT_EQ(bench.session.link.frameToggle, ToggleUnsynchronised);

    SendVexaMessage(bench.session, false, {112, 0});
    Bytes expected = Preamble;
    expected.insert(expected.end(), {0x17, 0xC0, 0xC0 - 0x17});
    expected.insert(expected.end(), {0x57, 0xC2, 0xF0, 0x80, 0xF7});
    EXPECT_EQ(bench.port().written, expected);
    EXPECT_EQ(bench.session.link.frameToggle, 0);

    bench.port().written.clear();
    SendVexaMessage(bench.session, false, {112, 0});
    ASSERT_FALSE(bench.port().written.empty());
    EXPECT_EQ(bench.port().written[0], 0x17); // toggle 0, no preamble
    EXPECT_EQ(bench.session.link.frameToggle, 64);

    bench.port().written.clear();
    SendVexaMessage(bench.session, false, {112, 0});
    EXPECT_EQ(bench.port().written[0], 0x57);

    ResetFrameToggle(bench.session);
    bench.port().written.clear();
    SendVexaMessage(bench.session, false, {});
    EXPECT_EQ(Bytes(bench.port().written.begin(), bench.port().written.begin() + 9), Preamble);
}

TEST(Exchange, AnswerDataIsLeftInTheBuffer) {
    SyncedBench bench;
    test::ScriptedController controller(bench.port(), [](const std::vector<int>&) {
        return std::optional<std::vector<int>>({112, 0, 3, 1, 0, 12});
    });
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    ASSERT_TRUE(bench.link().answerValid);
    EXPECT_EQ(bench.link().answerBuffer[0], 0x57);
    EXPECT_EQ(bench.link().answerSize(), 6);
    EXPECT_EQ(bench.link().answerData(0), 112);
    EXPECT_EQ(bench.link().answerData(2), 3);
    EXPECT_EQ(bench.link().answerData(5), 12);
}

TEST(Exchange, BadCheckByteIsDroppedAndTheNextGoodAnswerAccepted) {
    SyncedBench bench;
    Bytes bad = AnswerFrame(0x57, {112, 0, 9});
    bad.back() ^= 1;
    bench.port().queue(bad);
    bench.port().queue(AnswerFrame(0x57, {112, 0, 4}));
    SendVexaMessage(bench.session, true, {112, 0});
    EXPECT_TRUE(bench.link().answerValid);
    EXPECT_EQ(bench.link().answerData(2), 4);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(Exchange, OnlyABadAnswerEndsAsNoResponse) {
    SyncedBench bench;
    Bytes bad = AnswerFrame(0x57, {112, 0});
    bad.back() ^= 2;
    bench.port().queue(bad);
    const double start = bench.clock.now;
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    EXPECT_EQ(bench.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
    EXPECT_GE(bench.clock.now - start, 2.0);
}

TEST(Exchange, StrayByteIsIgnoredAndANewHeaderRestartsTheFrame) {
    SyncedBench bench;
    bench.port().queue({0xF3, 0x85});                   // bytes with bit 7 set before any header
    bench.port().queue({0x57, 0xE3, 0xF0});             // an answer cut short ...
    bench.port().queue(AnswerFrame(0x57, {112, 0, 7})); // ... and restarted by a header
    SendVexaMessage(bench.session, true, {112, 0});
    ASSERT_TRUE(bench.link().answerValid);
    EXPECT_EQ(bench.link().answerSize(), 3);
    EXPECT_EQ(bench.link().answerData(2), 7);
}

TEST(Exchange, XAddressByteIsTakenOutOfTheAnswer) {
    SyncedBench bench;
    bench.link().useXAddress = true;
    bench.link().xAddress = 42;
    bench.port().queue(AnswerFrame(0x57, {112, 10, 65, 66}, 42));
    SendVexaMessage(bench.session, true, {112, 10});
    ASSERT_TRUE(bench.link().answerValid);
    EXPECT_EQ(bench.link().answerSize(), 4);
    EXPECT_EQ(bench.link().answerData(0), 112);
    EXPECT_EQ(bench.link().answerData(1), 10);
    EXPECT_EQ(bench.link().answerData(2), 65);
    EXPECT_EQ(bench.link().answerData(3), 66);
}

// A scripted port that gives up after many waits, so that a wait that never ends fails
// the test instead of hanging it.
struct GuardedPort : test::ScriptedPort {
    using ScriptedPort::ScriptedPort;
    bool waitReadable(int timeoutMs) override {
        if (++waits > 1000)
            vanished = true;
        return ScriptedPort::waitReadable(timeoutMs);
    }
    int waits = 0;
};

// The wait is measured on the steady clock: no reading of it (where a day's seconds would end,
// or far beyond) ends the wait early or stretches it.
TEST(Exchange, TheAnswerWaitLastsItsTimeWhereverTheClockStands) {
    for (const double start : {0.0, 86400.0 - 0.3, 40 * 86400.0}) {
        SyncedBench bench;
        auto guarded = std::make_unique<GuardedPort>(&bench.clock);
        guarded->open("test");
        bench.session.port.port = std::move(guarded);
        bench.clock.now = start;
        SendVexaMessage(bench.session, true, {112, 0});
        EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
        EXPECT_NEAR(bench.clock.now - start, 2.0, 0.06) << start;
    }
}

TEST(Exchange, NoAnswerSwitchesBidirectionalOffAndStillAdvancesTheToggle) {
    SyncedBench bench;
    const double start = bench.clock.now;
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    EXPECT_FALSE(bench.link().bidirectional);
    EXPECT_EQ(bench.link().frameToggle, 0);
    EXPECT_NEAR(bench.clock.now - start, 2.0, 0.06);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::Ok);

    // One-way from now on: bit 5 clear, no wait, no message.
    bench.port().written.clear();
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_EQ(bench.port().written[1], 0xC2);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_FALSE(bench.link().answerValid);
}

struct FailureCase {
    const char* name;
    Bytes answer;
    bool useXAddress;
    std::string message;
};

class ExchangeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ExchangeFailure, ShowsItsMessageWordForWord) {
    const FailureCase& failure = GetParam();
    SyncedBench bench;
    bench.link().useXAddress = failure.useXAddress;
    bench.link().xAddress = 9;
    bench.port().queue(failure.answer);
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::Ok);
    EXPECT_EQ(bench.prompter.messages[0].text, failure.message);
    EXPECT_TRUE(bench.link().bidirectional); // an answer came, so the link stays two-way
    EXPECT_EQ(bench.link().frameToggle, 0);
}

// The expected header is 0x57 (87); H0 = 23.
INSTANTIATE_TEST_SUITE_P(
    Answers, ExchangeFailure,
    ::testing::Values(
        FailureCase{
            "WrongToggle", AnswerFrame(0x17, {112, 0}), false,
            "Invalid response received, \r\nReceived: Addr = 23 Header = 98\r\nExpected: Addr = 23 Header > 95 "},
        FailureCase{
            "WrongAddress", AnswerFrame(0x5B, {112, 0}), false,
            "Invalid response received, \r\nReceived: Addr = 91 Header = 98\r\nExpected: Addr = 23 Header > 95 "},
        FailureCase{
            "ControlBelow96",
            {0x57, 0xA2, 0xF0, 0x80, 0x97},
            false,
            "Invalid response received, \r\nReceived: Addr = 87 Header = 34\r\nExpected: Addr = 23 Header > 95 "},
        FailureCase{"UnexpectedXAddress", AnswerFrame(0x57, {112, 0}, 33), false,
                    "Unexpected eXtended Address Byte 33"},
        FailureCase{"MissingXAddress", AnswerFrame(0x57, {112, 0}), true, "eXtended Address Byte expected"},
        FailureCase{"WrongXAddress", AnswerFrame(0x57, {112, 0}, 10), true,
                    "Incorrect eXtended Address byte \r\nReceived 10 Expected 9"}),
    [](const ::testing::TestParamInfo<FailureCase>& testCase) { return std::string(testCase.param.name); });

// A frame that cannot be the answer to this request arrives during the wait, before the
// answer: it is dropped and noted in the trace, and the answer that follows is taken.
struct StrayCase {
    const char* name;
    std::vector<int> request;
    Bytes stray;
    std::vector<int> answer;
};

void PrintTo(const StrayCase& stray, std::ostream* out) {
    *out << stray.name;
}

class ExchangeStrayFrame : public ::testing::TestWithParam<StrayCase> {};

TEST_P(ExchangeStrayFrame, IsDroppedAndTheAnswerTaken) {
    const StrayCase& stray = GetParam();
    SyncedBench bench;
    bench.port().queue(stray.stray);
    bench.port().queue(AnswerFrame(0x57, stray.answer));
    const double start = bench.clock.now;
    EXPECT_TRUE(SendVexaMessage(bench.session, true, stray.request));
    ASSERT_TRUE(bench.link().answerValid);
    EXPECT_EQ(bench.link().answerSize(), static_cast<int>(stray.answer.size()));
    EXPECT_EQ(bench.link().answerData(bench.link().answerSize() - 1), stray.answer.back());
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_NE(bench.session.trace.text().find("dropped"), std::string::npos);
    EXPECT_LT(bench.clock.now - start, 0.1); // no wait to the deadline
}

// The request header is 0x57 (toggle 64); the previous request's was 0x17.
INSTANTIATE_TEST_SUITE_P(
    Frames, ExchangeStrayFrame,
    ::testing::Values(StrayCase{"PreviousRequestsToggle", {112, 0}, AnswerFrame(0x17, {112, 10, 65}), {112, 0, 3}},
                      StrayCase{"AnotherSettingsEcho", {112, 0}, AnswerFrame(0x57, {112, 10, 65}), {112, 0, 3}},
                      StrayCase{"AnotherStepsEcho",
                                {115, 3, 1, 2},
                                AnswerFrame(0x57, {115, 3, 1, 1, 9, 1, 1, 1, 1}),
                                {115, 3, 1, 2, 8, 2, 2, 2, 2}},
                      StrayCase{"EmptyAnswerToARead", {118, 4}, AnswerFrame(0x57, {}), {118, 4, 1, 1, 1}},
                      StrayCase{"AnotherModule", {112, 0}, AnswerFrame(0x5B, {112, 0, 9}), {112, 0, 3}},
                      StrayCase{"ControlBelow96", {112, 0}, {0x57, 0xA2, 0xF0, 0x80, 0x97}, {112, 0, 3}}),
    [](const ::testing::TestParamInfo<StrayCase>& testCase) { return std::string(testCase.param.name); });

TEST(Exchange, WhenOnlyAStrayFrameCameItIsTheAnswerTheChecksSee) {
    SyncedBench bench;
    bench.port().queue(AnswerFrame(0x57, {112, 10, 65})); // a controller that answers another echo
    const double start = bench.clock.now;
    EXPECT_TRUE(SendVexaMessage(bench.session, true, {112, 0}));
    ASSERT_TRUE(bench.link().answerValid); // the operation's own echo check speaks
    EXPECT_EQ(bench.link().answerData(1), 10);
    EXPECT_TRUE(bench.link().bidirectional);
    EXPECT_GE(bench.clock.now - start, 2.0);
}

TEST(Exchange, TheAnswerWaitIsALinkSetting) {
    SyncedBench bench;
    bench.link().answerTimeoutSeconds = 0.25;
    const double start = bench.clock.now;
    SendVexaMessage(bench.session, true, {112, 0});
    EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
    EXPECT_NEAR(bench.clock.now - start, 0.25, 0.06);
}

// A progress whose user presses "Stop" while the link waits.
struct StopDuringWait : Progress {
    bool stopRequested() override { return stopped; }
    void keepAlive() override { stopped = ++waits >= 3; }
    int waits = 0;
    bool stopped = false;
};

TEST(Exchange, StopEndsTheWaitWithoutAMessage) {
    SyncedBench bench;
    StopDuringWait stop;
    bench.session.progress = &stop;
    const double start = bench.clock.now;
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    EXPECT_TRUE(bench.link().bidirectional);
    EXPECT_EQ(bench.link().frameToggle, 0);
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_LT(bench.clock.now - start, 0.2);
    bench.port().written.clear();
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0})); // nothing more is sent
    EXPECT_TRUE(bench.port().written.empty());
}

TEST(Exchange, OverrunAndClosedPortSendNothing) {
    SyncedBench bench;
    bench.link().answerValid = true;
    EXPECT_FALSE(SendVexaMessage(bench.session, true, std::vector<int>(16, 1)));
    EXPECT_FALSE(bench.link().answerValid);
    EXPECT_EQ(bench.prompter.last(), "SendVexaMessage: Message Size Overrun, size = 16");

    EXPECT_TRUE(bench.port().written.empty());

    bench.link().bidirectional = false;
    EXPECT_TRUE(SendVexaMessage(bench.session, false, std::vector<int>(15, 1)));
    EXPECT_EQ(bench.port().written.size(), 18u);
    EXPECT_EQ(bench.port().written[1], 0xC0 + 15);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);

    bench.port().written.clear();
    bench.port().close();
    bench.link().answerValid = true;
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
    EXPECT_TRUE(bench.port().written.empty());

    SendLumoMessage(bench.session, 23, 1, 2, 3);
    EXPECT_EQ(bench.prompter.messages.size(), 3u);
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
    EXPECT_TRUE(bench.port().written.empty());
}

TEST(Exchange, LumoFrameSynchronisesOnceAndLeavesTheToggle) {
    TestBench bench;
    SendLumoMessage(bench.session, 23, 1, 2, 127);
    Bytes expected = Preamble;
    expected.insert(expected.end(), {23, 0x80, 0x80, 0x80, 256 - 23});
    expected.insert(expected.end(), {23, 0x81, 0x82, 0xFF});
    unsigned sum = 23 + 0x81 + 0x82 + 0xFF;
    expected.push_back(FrameCheckByte(sum));
    EXPECT_EQ(bench.port().written, expected);
    EXPECT_EQ(bench.session.link.frameToggle, 64);
    EXPECT_EQ((sum + expected.back()) % 128, 0u);

    bench.port().written.clear();
    SendLumoMessage(bench.session, 23, 1, 2, 127);
    EXPECT_EQ(bench.port().written.size(), 5u);
    EXPECT_EQ(bench.session.link.frameToggle, 64);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

// The empty Lumo frame for header 0 must still end in a byte with bit 7 set.
TEST(Exchange, LumoEmptyFrameForHeaderZeroKeepsBitSeven) {
    TestBench bench;
    SendLumoMessage(bench.session, 0, 0, 0, 0);
    ASSERT_GE(bench.port().written.size(), 14u);
    EXPECT_EQ(bench.port().written[13], 0x80);
}

TEST(ExchangeTrace, FormatsBytesInUpperCaseHex) {
    EXPECT_EQ(FormatTraceByte(10), " [0A]");
    EXPECT_EQ(FormatTraceByte(195), " [C3]");
    EXPECT_EQ(FormatTraceByte(0), " [00]");
    EXPECT_EQ(FormatTraceByte(255), " [FF]");
}

TEST(ExchangeTrace, TracesRequestAndAnswerLines) {
    SyncedBench bench;
    bench.port().queue(AnswerFrame(0x57, {112, 0, 3, 1, 0, 12}));
    SendVexaMessage(bench.session, true, {112, 0});
    EXPECT_EQ(bench.session.trace.text(), ">  [57] [62] [70] [00]\r\n"
                                          "<  [57] [66] [70] [00] [03] [01] [00] [0C]\r\n");
}

TEST(ExchangeTrace, TracesTheXAddressBytesBothWays) {
    SyncedBench bench;
    bench.link().useXAddress = true;
    bench.link().xAddress = 42;
    bench.port().queue(AnswerFrame(0x57, {112, 10}, 42));
    SendVexaMessage(bench.session, true, {112, 10});
    EXPECT_EQ(bench.session.trace.text(), ">  [57] [72] [2A] [70] [0A]\r\n"
                                          "<  [57] [72] [2A] [70] [0A]\r\n");
}

TEST(ExchangeTrace, BoundedTraceKeepsTheNewestLines) {
    Trace trace(100);
    for (int i = 0; i < 50; ++i)
        trace.append("> " + FormatTraceByte(static_cast<std::uint8_t>(i)) + "\r\n");
    EXPECT_LE(trace.text().size(), 100u);
    EXPECT_GE(trace.text().size(), 20u);
    const std::string newest = "> " + FormatTraceByte(49) + "\r\n";
    EXPECT_EQ(trace.text().substr(trace.text().size() - newest.size()), newest);
    EXPECT_EQ(trace.text().rfind("> ", 0), 0u); // starts at a line start
}

TEST(ExchangePortFailure, PortVanishingBeforeTheRequestIsReportedOnce) {
    SyncedBench bench;
    bench.port().vanished = true;
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_NE(bench.prompter.last().find("test"), std::string::npos);
    EXPECT_NE(bench.session.trace.text().find("port failed: No such device"), std::string::npos);
    EXPECT_FALSE(bench.session.port.isOpen());

    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

TEST(ExchangePortFailure, PortVanishingDuringTheWaitEndsTheExchange) {
    SyncedBench bench;
    bench.port().onWrite = [](test::ScriptedPort& port) {
        if (port.written.size() == 5)
            port.vanished = true;
    };
    const double start = bench.clock.now;
    EXPECT_FALSE(SendVexaMessage(bench.session, true, {112, 0}));
    EXPECT_FALSE(bench.link().answerValid);
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_NE(bench.prompter.last().find("stopped working"), std::string::npos);
    EXPECT_FALSE(bench.session.port.isOpen());
    EXPECT_LT(bench.clock.now - start, 0.1); // no 2 s wait on a dead port
}

TEST(ExchangePortFailure, ReceiveWithoutAPortFailsAtOnce) {
    TestBench bench;
    bench.session.port.port.reset();
    EXPECT_FALSE(ReceiveAnswer(bench.session));
    EXPECT_FALSE(ResyncLink(bench.session));
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(ExchangePortFailure, LumoOnAVanishedPortIsReportedOnce) {
    TestBench bench;
    bench.port().vanished = true;
    SendLumoMessage(bench.session, 23, 1, 2, 3);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_FALSE(bench.session.port.isOpen());
}

} // namespace
} // namespace vexa
