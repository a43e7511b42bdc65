#include "pins/PinVerification.h"

#include "PinTransferFakeController.h"
#include "link/StepEncoding.h"
#include "pins/PinTransfer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa {
namespace {

using test::FakePinController;
using test::TestBench;

// The image as it starts and the fake controller as it starts hold the same pins.
struct PinVerificationTest : ::testing::Test {
    TestBench bench;
    FakePinController controller{bench};

    Session& session() { return bench.session; }
    PinRecord& pin(int p) { return bench.session.image.pins[static_cast<std::size_t>(p)]; }
    FakePinController::Pin& stored(int p) { return controller.pins[static_cast<std::size_t>(p)]; }

    // The report lines after the header lines ("Start Pin Verification" and the note).
    std::vector<std::string> findings() const {
        std::vector<std::string> lines;
        std::istringstream text(bench.session.verificationReport);
        std::string line;
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line != "Start Pin Verification" && line != "Note: Numbering starts at 1")
                lines.push_back(line);
        }
        return lines;
    }
    using Lines = std::vector<std::string>;
};

TEST_F(PinVerificationTest, EverythingComparesGivesVerifyOk) {
    EXPECT_TRUE(RunVerifyAllPins(session()));
    EXPECT_EQ(session().verificationReport, "Start Pin Verification\r\nNote: Numbering starts at 1\r\nVerify OK");
    EXPECT_EQ(controller.requests.size(), 32u * 4u);
    EXPECT_EQ(controller.requests[0], (std::vector<int>{113, 0}));
    EXPECT_EQ(controller.requests[1], (std::vector<int>{114, 0}));
    EXPECT_EQ(controller.requests[2], (std::vector<int>{116, 0}));
    EXPECT_EQ(controller.requests[3], (std::vector<int>{118, 0}));
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST_F(PinVerificationTest, NumberingBaseZeroHasNoNoteAndCountsFromZero) {
    session().numberingBase = 0;
    stored(0).initialByte = 0x70;
    session().verificationReport = "old text";
    EXPECT_FALSE(RunVerifyAllPins(session()));
    EXPECT_EQ(session().verificationReport, "Start Pin Verification\r\nPin 0: Init does not compare\r\n");
}

TEST_F(PinVerificationTest, TwoWrongStepsInOneAspectGiveOneLine) {
    pin(3).aspectLayout = LayoutFourByNine;
    stored(3).layout = LayoutFourByNine;
    stored(3).steps[static_cast<std::size_t>(FakePinController::slot(3, 2, 1))] = {9, 0, 5, 0, 0};
    stored(3).steps[static_cast<std::size_t>(FakePinController::slot(3, 2, 5))] = {8, 0, 5, 0, 0};
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 4: Aspect 2 does not compare"}));
    // After the first differing step the aspect's other steps are not asked for.
    int askedInAspect2 = 0;
    for (const auto& request : controller.requestsWithCode(115))
        askedInAspect2 += request[2] == 2 ? 1 : 0;
    EXPECT_EQ(askedInAspect2, 2);

    session().verificationReport.clear();
    stored(3).steps[static_cast<std::size_t>(FakePinController::slot(3, 3, 8))] = {0, 0, 0, 0, 1};
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 4: Aspect 2 does not compare", "Pin 4: Aspect 3 does not compare"}));
}

TEST_F(PinVerificationTest, FadeAndStepBytesAreComparedInWireForm) {
    pin(0).aspectLayout = LayoutTwelveByThree;
    stored(0).layout = LayoutTwelveByThree;
    pin(0).aspects[4].steps[1] = AspectStep{6, 1, 3, 20, 0, 0};
    stored(0).steps[static_cast<std::size_t>(FakePinController::slot(2, 4, 1))] = {6, 3, 20, 0, 0};
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 1: Aspect 4 does not compare"}));

    session().verificationReport.clear();
    stored(0).steps[static_cast<std::size_t>(FakePinController::slot(2, 4, 1))] = {22, 3, 20, 0, 0};
    EXPECT_TRUE(VerifyPins(session()));
}

TEST_F(PinVerificationTest, LayoutMismatchGivesNoStepLines) {
    pin(0).aspectLayout = LayoutFourByNine;
    stored(0).layout = LayoutTwelveByThree;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 1: Aspectconfig does not compare"}));
    EXPECT_TRUE(controller.requestsWithCode(115).empty());
    EXPECT_EQ(controller.requests.size(), 32u * 4u); // differences never stop the verification
}

TEST_F(PinVerificationTest, SendSerialWrittenByTheTransferComparesEqual) {
    pin(8).aspectLayout = LayoutFourByNine;
    pin(8).aspects[1].steps[2] = AspectStep{SendSerial2Code, 0, 0, 200, 130, 0};
    pin(8).aspects[0].steps[0] = AspectStep{SendSerial1Code, 0, 0, 255, 0, 0};
    ASSERT_TRUE(WritePinAspects(session(), 8));
    EXPECT_TRUE(VerifyPins(session()));
    EXPECT_TRUE(findings().empty());
}

TEST_F(PinVerificationTest, ShortPwmAnswerNeedsTheDefaultLevelsInTheImage) {
    PinRecord& record = pin(1);
    record.configType = 2;
    record.param(1) = 10;
    record.param(3) = 28;
    record.param(4) = 0;
    record.param(5) = 31;
    stored(1).typeBlock = {2, 10, 0, 28, 0}; // type and four parameters
    EXPECT_TRUE(VerifyPins(session()));

    session().verificationReport.clear();
    record.param(5) = 30;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 2: Pinconfig does not compare"}));

    // A parameter that differs as well is a difference of its own: one line for each check.
    session().verificationReport.clear();
    record.param(1) = 11;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 2: Pinconfig does not compare", "Pin 2: Pinconfig does not compare"}));

    // With the default levels in the image only the differing parameter is reported.
    session().verificationReport.clear();
    record.param(5) = 31;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 2: Pinconfig does not compare"}));

    // A full answer is compared byte for byte.
    session().verificationReport.clear();
    record.param(1) = 10;
    record.param(5) = 30;
    stored(1).typeBlock = {2, 10, 0, 28, 0, 30};
    EXPECT_TRUE(VerifyPins(session()));
}

TEST_F(PinVerificationTest, ServoOptionByteOfTheOlderFormIsConverted) {
    PinRecord& record = pin(6);
    record.configType = 1;
    const std::array<std::uint8_t, 11> params{64, 42, 64, 127, 58, 127, 127, 64, 0, 64, 0};
    record.configParams = params;
    stored(6).typeBlock = {1, 64, 0x20, 64, 127, 58, 127, 127, 64, 0, 64, 0};
    EXPECT_TRUE(VerifyPins(session()));

    stored(6).typeBlock[2] = 0x28; // bit 3 set: taken as it is
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 7: Pinconfig does not compare"}));
}

TEST_F(PinVerificationTest, AnswerOfTheActiveSettingCodeIsAccepted) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 113)
            return false;
        answer = {81, request[1], 0};
        return true;
    };
    EXPECT_TRUE(VerifyPins(session()));
}

TEST_F(PinVerificationTest, InitialAspectIsComparedWhenTheAnswerIsWellFormed) {
    pin(2).initialAspect = 3;
    stored(2).initialByte = 0x72;
    stored(4).initialByte = 0x7F;
    pin(4).initialAspect = 1;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 5: Init does not compare"}));

    session().verificationReport.clear();
    pin(4).initialAspect = 0;
    EXPECT_TRUE(VerifyPins(session()));
    // Not an initial-aspect byte: nothing was compared, so the verdict cannot be "Verify OK".
    session().verificationReport.clear();
    stored(7).initialByte = 0x35;
    pin(7).initialAspect = 2;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 8: Init: No valid response"}));
}

TEST_F(PinVerificationTest, AddressBytesAreCheckedEachByItsKind) {
    stored(5).addressBytes = {93, 10, 19}; // in any order
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(),
              (Lines{"Pin 6: Device Pointer does not compare", "Pin 6: DCC Address Configuration does not compare",
                     "Pin 6: Serial Address Configuration does not compare"}));

    session().verificationReport.clear();
    pin(5).deviceReferral = -3;
    pin(5).dccAddressCount = 2;
    pin(5).lumoAddressCount = 3;
    EXPECT_TRUE(VerifyPins(session()));

    // A basic count of 9 (beyond the wire) is not the extended count 1 and basic count 1 held.
    session().verificationReport.clear();
    stored(5).addressBytes = {93, 9, 19};
    pin(5).dccAddressCount = 9;
    pin(5).xdccAddressCount = 0;
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin 6: DCC Address Configuration does not compare"}));
    pin(5).dccAddressCount = 2;
    pin(5).xdccAddressCount = 1;

    session().verificationReport.clear();
    stored(5).addressBytes = {40, 10, 19};
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin Address Configuration: Invalid Response 2"}));
}

TEST_F(PinVerificationTest, MalformedAddressAnswerIsReportedWithWhatCame) {
    session().numberingBase = 1;
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 118 || request[1] != 5)
            return false;
        answer = {118, 6, 9, 17};
        return true;
    };
    EXPECT_FALSE(VerifyPins(session()));
    EXPECT_EQ(findings(), (Lines{"Pin Address Configuration: Invalid Response, expected 5,118,5, received 4,118,6"}));
    EXPECT_EQ(controller.requests.size(), 32u * 4u);
}

TEST_F(PinVerificationTest, MalformedTypeLayoutOrStepAnswerStopsAtOnce) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 113 || request[1] != 2)
            return false;
        answer = {113, 3, 0};
        return true;
    };
    EXPECT_FALSE(RunVerifyAllPins(session()));
    EXPECT_EQ(findings(), (Lines{"No valid response"}));
    EXPECT_EQ(controller.requests.back(), (std::vector<int>{113, 2}));

    controller.requests.clear();
    pin(1).aspectLayout = LayoutTwelveByThree;
    stored(1).layout = LayoutTwelveByThree;
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 115 || request[2] != 7)
            return false;
        answer = {115, 1, 7, request[3], 0, 0, 0, 0}; // one byte short
        return true;
    };
    EXPECT_FALSE(RunVerifyAllPins(session()));
    EXPECT_EQ(findings(), (Lines{"No valid response"}));
    EXPECT_EQ(controller.requests.back(), (std::vector<int>{115, 1, 7, 0}));
}

TEST_F(PinVerificationTest, MissingAnswerStopsWithoutAReportLine) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        answer.clear();
        return request[0] == 114 && request[1] == 0;
    };
    EXPECT_FALSE(RunVerifyAllPins(session()));
    EXPECT_TRUE(findings().empty());
    EXPECT_EQ(controller.requests.size(), 2u);
    EXPECT_EQ(bench.prompter.texts(),
              (std::vector<std::string>{"No response received, resetting bidirectional communication"}));
}

} // namespace
} // namespace vexa
