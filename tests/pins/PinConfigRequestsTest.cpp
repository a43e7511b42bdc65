#include "pins/PinConfigRequests.h"

#include "PinFrames.h"
#include "pins/PinConfigTypes.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::QueueAnswer;
using test::TestBench;
using test::WrittenRequest;

class PinConfigRequests : public ::testing::Test {
protected:
    void SetUp() override { test::SynchronisedLink(bench); }
    PinRecord& pin(int n) { return bench.session.image.pins[static_cast<std::size_t>(n)]; }
    // Sends a Get (setting 0) or Read (setting 1) of pin 3 answered with the given data bytes.
    bool readWithAnswer(int setting, const std::vector<int>& answer) {
        QueueAnswer(bench, answer);
        return setting == 0 ? GetPinConfig(bench.session, 3) : ReadPinConfig(bench.session, 3);
    }
    TestBench bench;
};

TEST_F(PinConfigRequests, GetAndReadSendTheirCodeAndSwitchBidirectionalOn) {
    bench.session.link.bidirectional = false;
    readWithAnswer(0, {81, 3, 0});
    EXPECT_TRUE(bench.session.link.bidirectional);
    EXPECT_EQ(WrittenRequest(bench.port()), (std::vector<int>{81, 3}));

    bench.port().written.clear();
    readWithAnswer(1, {113, 3, 0});
    EXPECT_EQ(WrittenRequest(bench.port()), (std::vector<int>{113, 3}));
}

TEST_F(PinConfigRequests, GetPutsTheSecondByteIntoTheLiveValueAndReadIntoParameterOne) {
    InstallFamilyDefaults(pin(3), TypeFamily::Servo);
    ASSERT_TRUE(readWithAnswer(0, {81, 3, 1, 20, 8, 70}));
    EXPECT_EQ(pin(3).liveValue, 20);
    EXPECT_EQ(pin(3).param(1), 64);
    EXPECT_EQ(pin(3).param(2), 8);
    EXPECT_EQ(pin(3).param(3), 70);

    ASSERT_TRUE(readWithAnswer(1, {113, 3, 1, 30}));
    EXPECT_EQ(pin(3).liveValue, 20);
    EXPECT_EQ(pin(3).param(1), 30);
    EXPECT_EQ(pin(3).param(3), 70) << "bytes the answer does not carry stay when the type is the same";
}

TEST_F(PinConfigRequests, EitherReadCodeIsAcceptedWhicheverWasSent) {
    EXPECT_TRUE(readWithAnswer(0, {113, 3, 4, 0, 0, 9, 9}));
    EXPECT_TRUE(readWithAnswer(1, {81, 3, 4, 0, 0, 7, 7}));
    EXPECT_EQ(pin(3).param(3), 7);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST_F(PinConfigRequests, AnAnswerOfAnotherTypeClearsTheParametersFirst) {
    InstallFamilyDefaults(pin(3), TypeFamily::Servo);
    pin(3).liveValue = 100;
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 4, 0, 0, 6}));
    EXPECT_EQ(pin(3).configType, 4);
    EXPECT_EQ(pin(3).param(3), 6);
    for (int n : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11})
        EXPECT_EQ(pin(3).param(n), 0) << "parameter " << n;
    EXPECT_EQ(pin(3).liveValue, 100) << "only a servo answer sets the live value";
}

TEST_F(PinConfigRequests, AServoReachedByAnotherTypeStartsCentred) {
    InstallFamilyDefaults(pin(3), TypeFamily::Pwm);
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 1}));
    EXPECT_EQ(pin(3).configType, 1);
    EXPECT_EQ(pin(3).liveValue, 64);
    EXPECT_EQ(pin(3).param(1), 64);
    EXPECT_EQ(pin(3).param(4), 0);

    InstallFamilyDefaults(pin(3), TypeFamily::Pwm);
    ASSERT_TRUE(readWithAnswer(0, {81, 3, 1, 10}));
    EXPECT_EQ(pin(3).liveValue, 10) << "the answer overwrites the centred live value";
    EXPECT_EQ(pin(3).param(1), 64);
}

TEST_F(PinConfigRequests, AShortPwmAnswerLeavesTheOffAndOnLevelDefaults) {
    InstallFamilyDefaults(pin(3), TypeFamily::Pwm);
    pin(3).param(5) = 12;
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 2, 5, 1, 20, 9})); // type and four parameters: M = 7
    EXPECT_EQ(pin(3).param(1), 5);
    EXPECT_EQ(pin(3).param(3), 20);
    EXPECT_EQ(pin(3).param(4), 0);
    EXPECT_EQ(pin(3).param(5), 31);

    ASSERT_TRUE(readWithAnswer(1, {113, 3, 3, 5, 1, 20, 9, 17})); // all five parameters
    EXPECT_EQ(pin(3).configType, 3);
    EXPECT_EQ(pin(3).param(4), 9);
    EXPECT_EQ(pin(3).param(5), 17);
}

TEST_F(PinConfigRequests, OlderServoFlagBytesAreConverted) {
    InstallFamilyDefaults(pin(3), TypeFamily::Servo);
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 1, 64, 0x20}));
    EXPECT_EQ(pin(3).param(2), 42);
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 1, 64, 0x28}));
    EXPECT_EQ(pin(3).param(2), 0x28);
    ASSERT_TRUE(readWithAnswer(1, {113, 3, 1, 64, 0x0B}));
    EXPECT_EQ(pin(3).param(2), 0x0B);
}

TEST_F(PinConfigRequests, MalformedAnswersSayNoValidResponseAndChangeNothing) {
    InstallFamilyDefaults(pin(3), TypeFamily::Servo);
    const PinRecord before = pin(3);
    EXPECT_FALSE(readWithAnswer(1, {113, 3})); // short: M = 2
    EXPECT_FALSE(readWithAnswer(1, {114, 3, 2, 0, 0}));
    EXPECT_FALSE(readWithAnswer(1, {113, 4, 2, 0, 0}));
    EXPECT_EQ(pin(3), before);
    EXPECT_EQ(bench.prompter.texts(), (std::vector<std::string>(3, "No valid response")));
}

TEST_F(PinConfigRequests, NoAnswerChangesNothingAndSaysNothingOfItsOwn) {
    InstallFamilyDefaults(pin(3), TypeFamily::Input);
    const PinRecord before = pin(3);
    EXPECT_FALSE(ReadPinConfig(bench.session, 3));
    EXPECT_EQ(pin(3), before);
    for (const std::string& text : bench.prompter.texts())
        EXPECT_NE(text, "No valid response");
}

class PinConfigWrites : public PinConfigRequests {
protected:
    std::vector<int> sent(bool flash) {
        bench.port().written.clear();
        bench.session.link.bidirectional = false;
        EXPECT_TRUE(flash ? WritePinConfig(bench.session, 6) : SetPinConfig(bench.session, 6));
        return WrittenRequest(bench.port());
    }
};

TEST_F(PinConfigWrites, ServoBlockCarriesTheLiveValueOrTheInitialPositionAndMasksTheFlags) {
    PinRecord& record = pin(6);
    record.configType = 1;
    record.liveValue = 90;
    record.configParams = {70, 0x4B, 60, 127, 58, 126, 125, 80, 3, 50, 4};
    EXPECT_EQ(sent(false), (std::vector<int>{65, 6, 1, 90, 0x0B, 60, 127, 58, 126, 125, 80, 3, 50, 4}));
    EXPECT_EQ(record.param(2), 0x0B) << "the servo initialised bit is cleared in the record too";
    EXPECT_EQ(sent(true), (std::vector<int>{97, 6, 1, 70, 0x0B, 60, 127, 58, 126, 125, 80, 3, 50, 4}));
}

TEST_F(PinConfigWrites, PwmAndInputBlocks) {
    PinRecord& record = pin(6);
    record.configType = 3;
    record.liveValue = 17;
    record.configParams = {5, 3, 28, 2, 31, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(sent(false), (std::vector<int>{65, 6, 3, 17, 3, 28, 2, 31}));
    EXPECT_EQ(sent(true), (std::vector<int>{97, 6, 3, 5, 3, 28, 2, 31}));

    record.configType = 4;
    record.configParams = {0, 0, 4, 7, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(sent(true), (std::vector<int>{97, 6, 4, 0, 0, 4, 7}));
    record.configType = 5;
    EXPECT_EQ(sent(false), (std::vector<int>{65, 6, 5, 17, 0, 4, 7}));
}

TEST_F(PinConfigWrites, ClearAndUnknownTypesGoOutAsTheClearBlock) {
    pin(6).configType = 0;
    EXPECT_EQ(sent(true), (std::vector<int>{97, 6, 0}));
    pin(6).configType = 9;
    EXPECT_EQ(sent(false), (std::vector<int>{65, 6, 0}));
    EXPECT_EQ(pin(6).configType, 9) << "an unknown type is kept in the image";
}

TEST_F(PinConfigWrites, AClosedPortFailsWithTheLinkMessage) {
    bench.port().close();
    EXPECT_FALSE(WritePinConfig(bench.session, 6));
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

} // namespace
} // namespace vexa
