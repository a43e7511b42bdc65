#include "sim/SimToolOptions.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(CorvanToolOptions, CorvanOptionsSetTheInterfaceAndTheReports) {
    SimToolOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimToolOptions({"--address", "19", "--corvan", "--protocol", "3107", "--interface", "hubo",
                                     "--firmware", "1020", "--report", "12,0,5,100", "--report", "1,2,3,4"},
                                    options, error))
        << error;
    EXPECT_TRUE(options.corvan.enabled);
    EXPECT_EQ(options.moduleAddress, 19);
    EXPECT_EQ(options.corvan.settings.protocolVersion, 3107);
    EXPECT_EQ(options.corvan.settings.interfaceType, 2);
    EXPECT_EQ(options.corvan.settings.firmwareVersion, 1020);
    ASSERT_EQ(options.corvan.reports.size(), 2u);
    EXPECT_EQ(options.corvan.reports[0], (std::array<std::uint8_t, 4>{12, 0, 5, 100}));

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--address", "19"},                // only a Corvan bus reaches above 15
                                               {"--corvan", "--protocol", "3199"}, // the last digit cannot be sent
                                               {"--corvan", "--report", "1,2,3"},
                                               {"--corvan", "--report", "1,2,3,128"},
                                               {"--corvan", "--interface", "box"},
                                               {"--corvan", "--firmware"}}) {
        SimToolOptions refused;
        EXPECT_FALSE(ParseSimToolOptions(args, refused, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace vexa
