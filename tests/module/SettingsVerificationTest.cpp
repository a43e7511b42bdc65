#include "ModuleSettingsBench.h"

#include "module/SettingComparison.h"
#include "module/SettingsVerification.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

// A controller that holds exactly the default settings of a fresh image, with the ID "Yard" and
// the enforced mode off (known in the image).
struct VerificationBench : test::ModuleSettingsBench {
    VerificationBench() {
        session.image.module.idString = "Yard";
        session.image.module.enforcedXAddress = false;
        answer(10, {'Y', 'a', 'r', 'd'});
        answer(1, {0, 0, 0, 0});
        answer(4, {1, 0});
        answer(12, {1, 0});
        answer(5, {2});
        answer(8, {0, 0});
        answer(2, {0});
        answer(3, {0, 0, 0, 0});
        answer(6, {0});
        answer(7, {0});
        answer(13, {0, 0});
    }
    std::string report() const { return session.verificationReport; }
};

const char* const Start = "Start General Settings Verification\r\n";

TEST(SettingsVerification, MatchingControllerPassesWithTheStartLineOnly) {
    VerificationBench bench;
    bench.session.link.bidirectional = false;
    EXPECT_TRUE(VerifyGeneralSettings(bench.session));
    EXPECT_EQ(bench.report(), Start);
    EXPECT_EQ(bench.controller->requests.size(), 11u);
    EXPECT_TRUE(bench.session.link.bidirectional);
}

TEST(SettingsVerification, MismatchesAreLoggedAndOnlySomeFail) {
    VerificationBench bench;
    ModuleSettings& module = bench.session.image.module;
    module.idString = "yard"; // differs in case only
    module.groupMask[6] = true;
    module.moduleXAddress = 4;
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 3;
    bench.answer(8, {1, 3}); // 1 x 128 + 3 = 3 + 128: compares
    bench.answer(1, {0, 1, 3, 0});
    bench.answer(7, {9});
    EXPECT_FALSE(VerifyGeneralSettings(bench.session));
    EXPECT_EQ(bench.report(), std::string(Start) + "ID does not compare: VexaConfig = <yard> Vexa = <Yard>\r\n"
                                                   "Hardware configuration does not compare\r\n"
                                                   "eXtended Address does not compare\r\n"
                                                   "eXtended Group Mask does not compare\r\n"
                                                   "Orange LED configuration does not compare\r\n");

    // The eXtended address and the group mask alone do not fail it.
    VerificationBench lenient;
    lenient.session.image.module.groupMask[0] = true;
    lenient.session.image.module.moduleXAddress = 9;
    EXPECT_TRUE(VerifyGeneralSettings(lenient.session));
    EXPECT_EQ(lenient.report(),
              std::string(Start) + "eXtended Address does not compare\r\neXtended Group Mask does not compare\r\n");
}

TEST(SettingsVerification, AControllerThatDiffersInOneSettingGetsThatSettingsLine) {
    struct Case {
        int setting;
        std::vector<int> held; // by the controller, in place of what the window holds
        std::string line;
        bool passes; // the verification still passes
        std::function<void(ModuleSettings&)> window = [](ModuleSettings&) {};
    };
    const auto invert = [](ModuleSettings& module) { module.dccStateInvert = true; };
    const std::vector<Case> cases{
        {10, {'Y', 'a', 'r', 'n'}, "ID does not compare: VexaConfig = <Yard> Vexa = <Yarn>", false},
        {1, {0, 0, 2, 0}, "Hardware configuration does not compare", false},
        {4, {2, 0}, "DCC address does not compare", false},
        {12, {1, 1}, "eXtended DCC address does not compare", false},
        {5, {6}, "DCC Options do not compare", false},
        // State invert in the window; the controller holds "Allow Address 0" instead.
        {5, {10}, "DCC Options do not compare", false, invert},
        {5, {6}, "", true, invert},
        {8, {0, 64}, "Serial Address Settings do not compare", false},
        {2, {5}, "eXtended Address does not compare", true},
        {3, {0, 0, 4, 0}, "eXtended Group Mask does not compare", true},
        {6, {1}, "Green LED configuration does not compare", false},
        {7, {1}, "Orange LED configuration does not compare", false},
        {13, {0, 8}, "Serial Port Configuration does not compare", false},
    };
    for (const Case& c : cases) {
        VerificationBench bench;
        c.window(bench.session.image.module);
        bench.answer(c.setting, c.held);
        EXPECT_EQ(VerifyGeneralSettings(bench.session), c.passes) << c.line;
        EXPECT_EQ(bench.report(), std::string(Start) + (c.line.empty() ? "" : c.line + "\r\n"));
    }
}

TEST(SettingsVerification, EnforcedModeComparesWhatItsWriteSent) {
    // Hidden flex, native and eXtended address values are not sent in enforced mode; serial
    // addressing and the group mask a controller in enforced mode holds are not compared (their
    // write sends zeros), and the report says so in one line.
    VerificationBench bench;
    ModuleSettings& module = bench.session.image.module;
    module.enforcedXAddress = true;
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 7;
    module.moduleXAddress = 12;
    module.groupMask[3] = true;
    bench.answer(2, {127});
    bench.answer(8, {1, 33});
    bench.answer(3, {5, 0, 0, 9});
    EXPECT_TRUE(VerifyGeneralSettings(bench.session));
    EXPECT_EQ(bench.report(), std::string(Start) + EnforcedNotComparedText + "\r\n");
    EXPECT_EQ(bench.controller->requests.size(), 9u) << "settings 8 and 3 are not read";

    // An unknown mode: setting 2 is neither asked nor compared, and that alone does not fail it.
    VerificationBench unknown;
    unknown.session.image.module.enforcedXAddress.reset();
    unknown.answer(2, {127});
    EXPECT_TRUE(VerifyGeneralSettings(unknown.session));
    EXPECT_EQ(unknown.report(), std::string(Start) + "eXtended Address: enforced mode unknown, not compared\r\n");
    EXPECT_EQ(unknown.controller->requests.size(), 10u);
}

TEST(SettingsVerification, EndAndGoOnCases) {
    // No answer at all: the ID string and hardware steps are said not compared and passed over,
    // the DCC step ends it.
    VerificationBench silent;
    silent.answers.clear();
    EXPECT_FALSE(VerifyGeneralSettings(silent.session));
    EXPECT_EQ(silent.report(),
              std::string(Start) + "ReadIDString: No valid response\r\nHWCRead: No valid response\r\n");
    EXPECT_EQ(silent.controller->requests.size(), 3u);

    // A DCC address of the wrong size fails what otherwise compares.
    VerificationBench shortAddress;
    shortAddress.answer(12, {1});
    EXPECT_FALSE(VerifyGeneralSettings(shortAddress.session));
    EXPECT_EQ(shortAddress.report(), std::string(Start) + "eXtended DCC Address: No valid response\r\n");

    // A DCC address of the wrong size is logged and passed over; a wrong echo ends.
    VerificationBench size;
    size.answer(4, {1});
    size.answers[12] = {112, 4, 1, 0};
    EXPECT_FALSE(VerifyGeneralSettings(size.session));
    EXPECT_EQ(size.report(), std::string(Start) + "DCC Address: No valid response\r\n" +
                                 "eXtended DCC Address: No valid response\r\n");
    EXPECT_EQ(size.controller->requests.size(), 4u);

    // The serial addressing size fault ends with the size in the line.
    VerificationBench addressing;
    addressing.answer(8, {0, 0, 0});
    EXPECT_FALSE(VerifyGeneralSettings(addressing.session));
    EXPECT_EQ(addressing.report(),
              std::string(Start) + "Serial Address Settings: No valid response, size = 5 expected = 4\r\n");

    // An unanswered LED read is logged and ends; the serial port step never runs.
    VerificationBench led;
    led.answers.erase(7);
    EXPECT_FALSE(VerifyGeneralSettings(led.session));
    EXPECT_EQ(led.report(), std::string(Start) + "ReadLEDConfig: No valid response\r\n");

    // The last step's echo fault fails it with its line.
    VerificationBench port;
    port.answers[13] = {112, 12, 0, 0};
    EXPECT_FALSE(VerifyGeneralSettings(port.session));
    EXPECT_EQ(port.report(),
              std::string(Start) + "Serial Port Config: No valid response, msg = 112,12 expected = 112,13\r\n");
}

} // namespace
} // namespace vexa
