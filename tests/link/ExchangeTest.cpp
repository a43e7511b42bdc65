#include "link/Exchange.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TestBench;

// A request with module address 5, toggle 64, bidirectional on and data 112, 0.
TEST(Exchange, FramesTheWorkedExample) {
    TestBench bench;
    bench.session.link.moduleAddress = 5;
    bench.session.link.frameToggle = 64;
    bench.session.link.bidirectional = false;
    SendVexaMessage(bench.session, false, {112, 0});
    EXPECT_EQ(bench.port().written, (std::vector<std::uint8_t>{0x57, 0xC2, 0xF0, 0x80, 0xF7}));

    bench.port().written.clear();
    bench.session.link.frameToggle = 64;
    bench.session.link.bidirectional = true;
    bench.port().queue({0x57, 0xE0, 0xC9}); // an empty valid answer
    SendVexaMessage(bench.session, true, {112, 0});
    EXPECT_EQ(bench.port().written, (std::vector<std::uint8_t>{0x57, 0xE2, 0xF0, 0x80, 0xD7}));
}

} // namespace
} // namespace vexa
