#include "link/CorvanFrame.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TestBench;
using Bytes = std::vector<std::uint8_t>;

TEST(CorvanFrame, EncodesPollsRequestsAndTheThreeCountRanges) {
    EXPECT_EQ(EncodeCorvanFrame(1, {}), (Bytes{0x68, 0x98}));
    EXPECT_EQ(EncodeCorvanFrame(0, {}), (Bytes{0x28, 0xD8}));
    EXPECT_EQ(EncodeCorvanFrame(0, {1, 2}), (Bytes{0x2A, 0x81, 0x82, 0xD3}));
    EXPECT_EQ(CorvanHeader(8, 0), 0x00);
    EXPECT_EQ(CorvanHeader(16, 0), 0x10);
    EXPECT_EQ(CorvanHeader(15, 1), 0x47);
    for (int count = 0; count <= 23; ++count)
        EXPECT_EQ(CorvanCount(CorvanHeader(count, count & 1)), count) << count;
    // Status flags in bits 4 and 5 of a short frame and the toggle are not part of the count.
    EXPECT_EQ(CorvanCount(0x3B), 3);
    EXPECT_EQ(CorvanCount(0x1D), 5);
    EXPECT_EQ(CorvanCount(0x7F), 7);
    EXPECT_EQ(CorvanVersion(25, 0), 3100);
    EXPECT_EQ(CorvanVersion(26, 0), 3200);
}

TEST(CorvanFrame, SendsWithTheToggleTracesAllButPollsAndCollectsTheAnswer) {
    TestBench bench;
    bench.session.link.corvanToggle = 1;
    bench.port().queue({0x99}); // left over from before: discarded before sending
    bench.port().onWrite = [](test::ScriptedPort& port) {
        if (port.written.size() == 2) // the poll: stray bytes, then an empty frame
            port.queue({0xC1, 0x85, 0x28, 0xD8});
        if (port.written.size() == 6) // the request: a header in mid-frame restarts the answer
            port.queue({0x2C, 0x81, 0x6C, 0x81, 0x82, 0x8A, 0x8B, 0xFC});
    };
    ASSERT_TRUE(PollCorvan(bench.session));
    EXPECT_EQ(bench.session.link.corvanToggle, 0);
    ASSERT_TRUE(SendCorvanFrame(bench.session, {1, 2}));
    EXPECT_EQ(bench.port().written, (Bytes{0x68, 0x98, 0x2A, 0x81, 0x82, 0xD3}));
    EXPECT_EQ(bench.session.link.corvanToggle, 1);
    const auto& answer = bench.session.link.answerBuffer;
    EXPECT_EQ((Bytes{answer[0], answer[1], answer[2], answer[3], answer[4], answer[5]}), (Bytes{4, 1, 2, 10, 11, 124}));
    EXPECT_EQ(bench.session.trace.text(), ">>  [2A] [01] [02]\r\n<<  [6C] [01] [02] [0A] [0B]\r\n");
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(CorvanFrame, BadChecksumOversizeFramesAndSilenceCountAsNoAnswer) {
    TestBench bench;
    bench.port().arrive({0x2A, 0x81, 0x82, 0xD4}); // wrong check byte
    EXPECT_EQ(ReceiveCorvanFrame(bench.session), "");
    EXPECT_EQ(bench.prompter.last(), "Checksum Error\r\nSize = 2<<  [2A] [01] [02]");
    EXPECT_EQ(bench.session.link.answerBuffer[0], 0);

    // A header of 20 data bytes cannot be stored: the frame is dropped; the wait ends after 2 s.
    bench.prompter.messages.clear();
    Bytes oversize{0x14};
    oversize.insert(oversize.end(), 21, 0x80);
    bench.port().onWrite = [&oversize](test::ScriptedPort& port) { port.arrive(oversize); };
    const double start = bench.clock.now;
    EXPECT_FALSE(SendCorvanFrame(bench.session, {}));
    EXPECT_GE(bench.clock.now - start, 2.0);
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkWarning);
    EXPECT_EQ(bench.prompter.last(), "No answer from Corvan");
    EXPECT_EQ(bench.session.trace.text(), "");
}

} // namespace
} // namespace vexa
