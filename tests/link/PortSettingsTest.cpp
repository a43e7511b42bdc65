#include "link/PortSettings.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(PortSettings, TakesTheLinksSettingsAndRefusesWhatNoPortCanDo) {
    struct Case {
        const char* text;
        bool valid;
        PortSettings parsed;
    };
    const std::vector<Case> cases{
        {"19200,o,8,1", true, {19200, 'o', 8, 1}},
        {"9600,n,7,2", true, {9600, 'n', 7, 2}},
        {"38400,e,5,1", true, {38400, 'e', 5, 1}},
        {"19200,x,8,1", false, {}},
        {"19200,o,9,1", false, {}},
        {"19200,o,8,3", false, {}},
        {"0,o,8,1", false, {}},
        {"19200,o,8", false, {}},
        {"fast,o,8,1", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        PortSettings parsed;
        EXPECT_EQ(ParsePortSettings(c.text, parsed), c.valid) << c.text;
        std::string error;
        EXPECT_EQ(ValidPortSettings(c.text, error), c.valid) << c.text;
        EXPECT_EQ(error, c.valid ? "" : std::string("Invalid port settings ") + c.text);
        if (c.valid) {
            EXPECT_EQ(parsed.bitRate, c.parsed.bitRate) << c.text;
            EXPECT_EQ(parsed.parity, c.parsed.parity) << c.text;
            EXPECT_EQ(parsed.dataBits, c.parsed.dataBits) << c.text;
            EXPECT_EQ(parsed.stopBits, c.parsed.stopBits) << c.text;
        }
    }
}

} // namespace
} // namespace vexa
