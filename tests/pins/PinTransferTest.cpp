#include "pins/PinTransfer.h"

#include "PinTransferFakeController.h"
#include "files/DeviceHead.h"
#include "link/StepEncoding.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::FakePinController;
using test::TestBench;
using Requests = std::vector<std::vector<int>>;

struct PinTransferTest : ::testing::Test {
    TestBench bench;
    FakePinController controller{bench};

    Session& session() { return bench.session; }
    PinRecord& pin(int p) { return bench.session.image.pins[static_cast<std::size_t>(p)]; }
    std::vector<std::string> messages() const { return bench.prompter.texts(); }

    // Gives pin p of the controller a layout with distinct steps.
    void fillController(int p, int layout) {
        FakePinController::Pin& stored = controller.pins[static_cast<std::size_t>(p)];
        stored.layout = layout;
        for (int a = 0; a < AspectsInLayout(layout); ++a)
            for (int s = 0; s < StepsInLayout(layout); ++s)
                stored.steps[static_cast<std::size_t>(FakePinController::slot(layout, a, s))] = {9, a, s, 10 + a, 1};
    }
};

TEST_F(PinTransferTest, PinWithoutAspectsIsReadWith114And116And118Only) {
    pin(7).aspects[0].steps[0].instruction = 42; // left as it was
    controller.pins[7].initialByte = 0x72;
    controller.pins[7].addressBytes = {10, 19, 93};

    ASSERT_TRUE(ReadPinAspects(session(), 7));
    EXPECT_EQ(controller.requests, (Requests{{114, 7}, {116, 7}, {118, 7}}));
    EXPECT_EQ(pin(7).aspectLayout, 0);
    EXPECT_EQ(pin(7).aspects[0].steps[0].instruction, 42);
    EXPECT_EQ(pin(7).initialAspect, 3);
    EXPECT_EQ(pin(7).dccAddressCount, 2);
    EXPECT_EQ(pin(7).xdccAddressCount, 1);
    EXPECT_EQ(pin(7).lumoAddressCount, 3);
    EXPECT_EQ(pin(7).deviceReferral, -3);
    EXPECT_TRUE(messages().empty());
}

TEST_F(PinTransferTest, ReadsEveryStepInUseInAscendingOrder) {
    fillController(2, LayoutTwelveByThree);
    session().link.bidirectional = false; // a read switches answers on
    ASSERT_TRUE(ReadPinAspects(session(), 2));
    EXPECT_TRUE(session().link.bidirectional);

    const Requests steps = controller.requestsWithCode(115);
    ASSERT_EQ(steps.size(), 36u);
    EXPECT_EQ(steps.front(), (std::vector<int>{115, 2, 0, 0}));
    EXPECT_EQ(steps[1], (std::vector<int>{115, 2, 0, 1}));
    EXPECT_EQ(steps[3], (std::vector<int>{115, 2, 1, 0}));
    EXPECT_EQ(steps.back(), (std::vector<int>{115, 2, 11, 2}));
    EXPECT_EQ(controller.requests.front(), (std::vector<int>{114, 2}));
    EXPECT_EQ(controller.requests.back(), (std::vector<int>{118, 2}));
    EXPECT_EQ(pin(2).aspectLayout, LayoutTwelveByThree);
    EXPECT_EQ(pin(2).aspects[11].steps[2], (AspectStep{9, 0, 11, 2, 21, 1}));
}

TEST_F(PinTransferTest, WrongAnswerToLayoutOrStepFailsWithNoValidResponse) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 114)
            return false;
        answer = {114, 6, 3}; // the wrong pin
        return true;
    };
    EXPECT_FALSE(ReadPinAspects(session(), 5));
    EXPECT_EQ(messages(), (std::vector<std::string>{"No valid response"}));
    EXPECT_EQ(controller.requests.size(), 1u);

    bench.prompter.messages.clear();
    controller.requests.clear();
    fillController(5, LayoutFourByNine);
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 115 || request[2] != 1 || request[3] != 4)
            return false;
        answer = {115, 5, 1, 5, 9, 0, 0, 0, 0}; // echoes the wrong step
        return true;
    };
    EXPECT_FALSE(ReadPinAspects(session(), 5));
    EXPECT_EQ(messages(), (std::vector<std::string>{"No valid response"}));
    EXPECT_EQ(controller.requests.size(), 1u + 9u + 5u);
    EXPECT_EQ(pin(5).aspects[1].steps[3].par2, 11); // decoded before the failure: kept
    EXPECT_EQ(pin(5).aspects[1].steps[4].instruction, 0);
}

TEST_F(PinTransferTest, MalformedInitialAspectAnswerMeansNoneAndFailsTheReadAfterTheAddresses) {
    pin(3).initialAspect = 4;
    controller.pins[3].addressBytes = {2, 19, 64};
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 116)
            return false;
        answer = {116, 3, 0x72}; // too short
        return true;
    };
    EXPECT_FALSE(ReadPinAspects(session(), 3));
    EXPECT_EQ(pin(3).initialAspect, 0);
    EXPECT_EQ(pin(3).lumoAddressCount, 3); // the address configuration was still read
    EXPECT_EQ(messages(), std::vector<std::string>{"Read Pin Initial Aspect: Invalid Response"});
}

TEST_F(PinTransferTest, InvalidAddressByteFailsAfterApplyingTheBytesBeforeIt) {
    pin(4).lumoAddressCount = 1;
    controller.pins[4].addressBytes = {3, 40, 20};
    EXPECT_FALSE(ReadPinAspects(session(), 4));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Read Pin Address Configuration: Invalid Response"}));
    EXPECT_EQ(pin(4).dccAddressCount, 3);
    EXPECT_EQ(pin(4).xdccAddressCount, 0);
    EXPECT_EQ(pin(4).lumoAddressCount, 1); // the byte after the invalid one is not applied
}

TEST_F(PinTransferTest, AddressBytesInAnyOrderAndKindsMissingLeaveTheirFields) {
    pin(9).lumoAddressCount = 4;
    pin(9).deviceReferral = 2;
    controller.pins[9].addressBytes = {93, 14, 6}; // two DCC bytes, no serial byte: the last counts
    EXPECT_TRUE(ReadPinAspects(session(), 9));
    EXPECT_EQ(pin(9).deviceReferral, -3);
    EXPECT_EQ(pin(9).dccAddressCount, 6);
    EXPECT_EQ(pin(9).xdccAddressCount, 0);
    EXPECT_EQ(pin(9).lumoAddressCount, 4);
}

TEST_F(PinTransferTest, WrongAddressAnswerShowsTheAddressMessage) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] != 118)
            return false;
        answer = {118, 1, 9, 17};
        return true;
    };
    EXPECT_FALSE(ReadPinAspects(session(), 1));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Read Pin Address Configuration: Invalid Response"}));
}

TEST_F(PinTransferTest, MissingAnswerFailsWithTheLinkMessageOnly) {
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        answer.clear();
        return request[0] == 116;
    };
    EXPECT_FALSE(ReadPinAspects(session(), 0));
    EXPECT_EQ(messages(), (std::vector<std::string>{"No response received, resetting bidirectional communication"}));
    EXPECT_EQ(controller.requests.back(), (std::vector<int>{116, 0})); // 118 is not sent
}

TEST_F(PinTransferTest, WritesLayoutInitialAspectAddressesThenEveryStep) {
    PinRecord& record = pin(5);
    record.aspectLayout = LayoutTwelveByThree;
    record.initialAspect = 0;
    record.dccAddressCount = 2;
    record.xdccAddressCount = 0;
    record.lumoAddressCount = 1;
    record.deviceReferral = -3;
    record.aspects[0].steps[0] = AspectStep{6, 1, 2, 30, 0, 0};
    record.aspects[11].steps[2] = AspectStep{SendSerial1Code, 0, 0, 200, 0, 0};
    record.aspects[11].steps[5].instruction = 9; // outside the layout: not sent

    ASSERT_TRUE(WritePinAspects(session(), 5));
    const Requests& sent = controller.requests;
    ASSERT_EQ(sent.size(), 3u + 36u);
    EXPECT_EQ(sent[0], (std::vector<int>{98, 5, 2}));
    EXPECT_EQ(sent[1], (std::vector<int>{100, 5, 0x7F}));
    EXPECT_EQ(sent[2], (std::vector<int>{102, 5, 2, 17, 93}));
    EXPECT_EQ(sent[3], (std::vector<int>{99, 5, 0, 0, 22, 2, 30, 0, 0}));
    EXPECT_EQ(sent[4], (std::vector<int>{99, 5, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sent.back(), (std::vector<int>{99, 5, 11, 2, 4, 1, 72, 0, 0}));
}

TEST_F(PinTransferTest, WriteThenReadGivesThePinBack) {
    PinRecord& record = pin(12);
    record.aspectLayout = LayoutFourByNine;
    record.initialAspect = 4;
    record.dccAddressCount = 6;
    record.xdccAddressCount = 1;
    record.lumoAddressCount = 0;
    record.deviceReferral = 5;
    record.aspects[3].steps[8] = AspectStep{SendSerial2Code, 0, 0, 200, 130, 7};
    record.aspects[2].steps[0] = AspectStep{38, 1, 31, 20, 0, 0};
    const PinRecord written = record;
    ASSERT_TRUE(WritePinAspects(session(), 12));

    record = PinRecord{};
    ASSERT_TRUE(ReadPinAspects(session(), 12));
    EXPECT_EQ(record, written);
}

TEST_F(PinTransferTest, PausesAfterEveryWriteOnlyWhileAnswersAreOff) {
    pin(0).aspectLayout = LayoutFourByNine;
    ASSERT_TRUE(WritePinAspects(session(), 0));
    EXPECT_TRUE(bench.clock.pauses.empty());

    session().link.bidirectional = false;
    ASSERT_TRUE(WritePinAspects(session(), 0));
    EXPECT_EQ(bench.clock.pauses, std::vector<int>(2 * 39, 50)); // 100 ms in two keep-alive slices

    bench.clock.pauses.clear();
    pin(1).aspectLayout = LayoutNone;
    ASSERT_TRUE(WritePinAspects(session(), 1));
    EXPECT_EQ(bench.clock.pauses, std::vector<int>(2 * 3, 50));
}

TEST_F(PinTransferTest, WriteSingleSendsTheStepsOfOneAspect) {
    pin(3).aspectLayout = LayoutFourByNine;
    pin(3).aspects[2].steps[4] = AspectStep{102, 0, 0, 0, 50, 1};
    ASSERT_TRUE(WriteAspect(session(), 3, 2));
    ASSERT_EQ(controller.requests.size(), 9u);
    EXPECT_EQ(controller.requests[4], (std::vector<int>{99, 3, 2, 4, 102, 0, 0, 50, 1}));

    controller.requests.clear();
    bench.port().written.clear();
    pin(3).aspectLayout = LayoutNone;
    EXPECT_FALSE(WriteAspect(session(), 3, 0));
    pin(3).aspectLayout = LayoutFourByNine;
    EXPECT_FALSE(WriteAspect(session(), 3, 4)); // no aspect 4 in this layout
    EXPECT_TRUE(controller.requests.empty());
    EXPECT_TRUE(bench.port().written.empty());
}

TEST_F(PinTransferTest, WriteThatCannotBeSentFailsAtOnce) {
    pin(0).aspectLayout = LayoutFourByNine;
    bench.port().close();
    EXPECT_FALSE(WritePinAspects(session(), 0));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Select communications port"}));
}

TEST_F(PinTransferTest, ReadDeviceWithoutDevicePointerNamesThePinAsTheUserCountsIt) {
    controller.pins[5].addressBytes = {9, 17, 3};
    EXPECT_FALSE(ReadDevice(session(), 5));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot read DevicePointer from Pin 6"}));

    bench.prompter.messages.clear();
    session().numberingBase = 0;
    EXPECT_FALSE(ReadDevice(session(), 5));
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot read DevicePointer from Pin 5"}));
    EXPECT_EQ(controller.requests, (Requests{{118, 5}, {118, 5}}));
}

TEST_F(PinTransferTest, ReadDeviceReadsEveryPinPointingToTheSameHead) {
    // Device headed by pin 20 with members 21 and 22; pin 23 stands alone.
    controller.pins[20].addressBytes = {9, 17, 64};
    controller.pins[21].addressBytes = {9, 17, 64 + 31};
    controller.pins[22].addressBytes = {64 + 30, 9, 17};
    controller.pins[23].addressBytes = {9, 17, 64};
    fillController(21, LayoutFourByNine);

    ASSERT_TRUE(ReadDevice(session(), 22));
    const Requests layouts = controller.requestsWithCode(114);
    EXPECT_EQ(layouts, (Requests{{114, 20}, {114, 21}, {114, 22}}));
    EXPECT_EQ(controller.requestsWithCode(118).size(), 1u + 32u + 3u);
    EXPECT_EQ(pin(21).deviceReferral, -1);
    EXPECT_EQ(pin(22).deviceReferral, -2);
    EXPECT_EQ(pin(21).aspectLayout, LayoutFourByNine);
}

TEST_F(PinTransferTest, WriteDeviceChecksTheHeadAndWritesOnlyItsMembers) {
    pin(10).deviceReferral = 0;
    pin(11).deviceReferral = -1;
    pin(12).deviceReferral = -2;
    pin(13).deviceReferral = -1; // refers to 12, which is no head

    EXPECT_FALSE(CheckDeviceHead(session(), 13));
    EXPECT_FALSE(WriteDevice(session(), 13));
    ASSERT_EQ(bench.prompter.messages.size(), 2u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkWarning);
    EXPECT_EQ(bench.prompter.messages[0].text, "Referral is not a device");
    EXPECT_TRUE(controller.requests.empty());

    pin(31).deviceReferral = 5; // points past the last pin
    EXPECT_FALSE(CheckDeviceHead(session(), 31));

    bench.prompter.messages.clear();
    ASSERT_TRUE(WriteDevice(session(), 12));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(controller.requestsWithCode(98), (Requests{{98, 10, 0}, {98, 11, 0}, {98, 12, 0}}));
    EXPECT_EQ(controller.requestsWithCode(97).size(), 3u);
}

class RecordingProgress : public Progress {
public:
    void stage(const std::string& text) override { stages.push_back(text); }
    void count(int done, int total) override { counts.emplace_back(done, total); }
    std::vector<std::string> stages;
    std::vector<std::pair<int, int>> counts;
};

TEST_F(PinTransferTest, AllPinsReportProgressAndStopAtTheFirstFailure) {
    RecordingProgress progress;
    Progress* const idle = session().progress;
    session().progress = &progress;
    controller.override = [](const std::vector<int>& request, std::vector<int>& answer) {
        if (request[0] == 114 && request[1] == 4) {
            answer = {114, 4};
            return true;
        }
        return false;
    };
    EXPECT_FALSE(ReadAllPins(session()));
    EXPECT_EQ(messages(), (std::vector<std::string>{"No valid response"}));
    EXPECT_EQ(controller.requests.back(), (std::vector<int>{114, 4}));
    ASSERT_EQ(progress.counts.size(), 5u);
    EXPECT_EQ(progress.counts.front(), std::make_pair(1, 32));
    EXPECT_EQ(progress.counts.back(), std::make_pair(5, 32));

    progress.counts.clear();
    ASSERT_TRUE(WriteAllPins(session()));
    EXPECT_EQ(progress.counts.back(), std::make_pair(32, 32));
    EXPECT_EQ(controller.requestsWithCode(98).size(), 32u);
    EXPECT_EQ(controller.requestsWithCode(97).size(), 32u);
    session().progress = idle;
}

TEST_F(PinTransferTest, CommandWordsWorkOnTheCurrentPin) {
    session().image.currentPin = 17;
    pin(17).aspectLayout = LayoutFourByNine;
    ASSERT_TRUE(WriteCurrentPinAspects(session()));
    EXPECT_EQ(controller.requests.front(), (std::vector<int>{98, 17, 3}));
    EXPECT_EQ(controller.requestsWithCode(97).size(), 0u);

    controller.requests.clear();
    ASSERT_TRUE(ReadCurrentPinAspects(session()));
    EXPECT_EQ(controller.requests.front(), (std::vector<int>{114, 17}));
    EXPECT_EQ(controller.requestsWithCode(115).size(), 36u);
}

} // namespace
} // namespace vexa
