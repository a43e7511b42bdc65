#include "module/Identity.h"

#include "../link/ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Answer = std::optional<std::vector<int>>;

// A synchronised bench whose controller answers every request with `answer`.
struct IdentityBench : test::TestBench {
    IdentityBench() {
        session.link.frameToggle = 64;
        session.link.moduleAddress = 2;
    }
    void answerWith(Answer answer) {
        controller =
            std::make_unique<test::ScriptedController>(port(), [answer](const std::vector<int>&) { return answer; });
    }
    std::unique_ptr<test::ScriptedController> controller;
};

TEST(IdentityVersion, ReadsTheFourNumbers) {
    IdentityBench bench;
    bench.answerWith(std::vector<int>{112, 0, 3, 1, 0, 12});
    bench.session.link.bidirectional = false;
    EXPECT_TRUE(ReadVersion(bench.session));
    EXPECT_EQ(bench.session.versionText, "3.1.0.12");
    EXPECT_TRUE(bench.session.link.bidirectional);
    ASSERT_EQ(bench.controller->requests.size(), 1u);
    EXPECT_EQ(bench.controller->requests[0], (std::vector<int>{112, 0}));
    EXPECT_TRUE(bench.prompter.messages.empty());
}

struct VersionFailure {
    const char* name;
    Answer answer;
    std::string message; // empty: the link has reported it
};

class IdentityVersionFailure : public ::testing::TestWithParam<VersionFailure> {};

TEST_P(IdentityVersionFailure, LeavesUnknownAndShowsItsMessage) {
    IdentityBench bench;
    bench.session.versionText = "1.2.3.4";
    bench.answerWith(GetParam().answer);
    EXPECT_FALSE(ReadVersion(bench.session));
    EXPECT_EQ(bench.session.versionText, "Unknown");
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    if (!GetParam().message.empty())
        EXPECT_EQ(bench.prompter.last(), GetParam().message);
    else
        EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IdentityVersionFailure,
    ::testing::Values(
        VersionFailure{"SizeFive", std::vector<int>{112, 0, 3, 1, 0}, "GetVersion: No valid response, size <> 6"},
        VersionFailure{"SizeSeven", std::vector<int>{112, 0, 3, 1, 0, 1, 2},
                       "GetVersion: No valid response, size <> 6"},
        VersionFailure{"WrongCode", std::vector<int>{113, 0, 3, 1, 0, 12}, "GetVersion: No valid response"},
        VersionFailure{"WrongSetting", std::vector<int>{112, 10, 3, 1, 0, 12}, "GetVersion: No valid response"},
        VersionFailure{"NoAnswer", std::nullopt, ""}),
    [](const ::testing::TestParamInfo<VersionFailure>& testCase) { return std::string(testCase.param.name); });

TEST(IdentityVersion, ClosedPortGivesUnknown) {
    IdentityBench bench;
    bench.session.versionText = "3.1.0.12";
    bench.port().close();
    EXPECT_FALSE(ReadVersion(bench.session));
    EXPECT_EQ(bench.session.versionText, "Unknown");
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

TEST(IdentityIdString, ReadsTheCharacters) {
    IdentityBench bench;
    bench.answerWith(std::vector<int>{112, 10, 'Y', 'a', 'r', 'd', ' ', '1'});
    bench.session.link.bidirectional = false;
    EXPECT_TRUE(ReadIdString(bench.session));
    EXPECT_EQ(bench.session.image.module.idString, "Yard 1");
    EXPECT_EQ(bench.controller->requests.at(0), (std::vector<int>{112, 10}));
}

TEST(IdentityIdString, ReadsAnEmptyString) {
    IdentityBench bench;
    bench.session.image.module.idString = "old";
    bench.answerWith(std::vector<int>{112, 10});
    EXPECT_TRUE(ReadIdString(bench.session));
    EXPECT_EQ(bench.session.image.module.idString, "");
}

TEST(IdentityIdString, BadAnswersKeepTheText) {
    for (const Answer& answer : {Answer(std::vector<int>{112}), Answer(std::vector<int>{}),
                                 Answer(std::vector<int>{113, 10, 'A'}), Answer(std::vector<int>{112, 0, 'A'})}) {
        IdentityBench bench;
        bench.session.image.module.idString = "kept";
        bench.answerWith(answer);
        EXPECT_FALSE(ReadIdString(bench.session));
        EXPECT_EQ(bench.session.image.module.idString, "kept");
        EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"No valid response"});
    }
}

TEST(IdentityIdString, NoAnswerIsReportedByTheLinkOnly) {
    IdentityBench bench;
    bench.session.image.module.idString = "kept";
    bench.answerWith(std::nullopt);
    EXPECT_FALSE(ReadIdString(bench.session));
    EXPECT_EQ(bench.session.image.module.idString, "kept");
    EXPECT_EQ(bench.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
}

TEST(IdentityIdString, WritesTheCodesOfTheText) {
    IdentityBench bench;
    bench.answerWith(std::nullopt);
    bench.session.link.bidirectional = false;
    bench.session.image.module.idString = "AB~";
    EXPECT_TRUE(WriteIdString(bench.session));
    ASSERT_EQ(bench.controller->requests.size(), 1u);
    EXPECT_EQ(bench.controller->requests[0], (std::vector<int>{96, 10, 'A', 'B', '~'}));
}

TEST(IdentityIdString, EmptyStringIsTwoBytes) {
    IdentityBench bench;
    bench.answerWith(std::nullopt);
    bench.session.link.bidirectional = false;
    EXPECT_TRUE(WriteIdString(bench.session));
    EXPECT_EQ(bench.controller->requests.at(0), (std::vector<int>{96, 10}));
}

TEST(IdentityIdString, LongTextIsCutToTwelveBeforeSending) {
    IdentityBench bench;
    bench.answerWith(std::nullopt);
    bench.session.link.bidirectional = false;
    bench.session.image.module.idString = "ABCDEFGHIJKLMNO";
    EXPECT_TRUE(WriteIdString(bench.session));
    EXPECT_EQ(bench.session.image.module.idString, "ABCDEFGHIJKL");
    const std::vector<int>& sent = bench.controller->requests.at(0);
    EXPECT_EQ(sent.size(), 14u);
    EXPECT_EQ(sent.back(), 'L');
    EXPECT_EQ(bench.port().written[1] & 15, 14);
}

TEST(IdentityIdString, WriteResultIsThatOfTheSend) {
    IdentityBench bench;
    bench.port().close();
    bench.session.image.module.idString = "X";
    EXPECT_FALSE(WriteIdString(bench.session));
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

TEST(IdentityIdString, RefusesCharactersBeyondSevenBits) {
    IdentityBench bench;
    bench.answerWith(std::nullopt);
    bench.session.image.module.idString = "Caf\xE9";
    EXPECT_FALSE(WriteIdString(bench.session));
    EXPECT_TRUE(bench.controller->requests.empty());
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_FALSE(IsSevenBitAscii("Caf\xE9"));
    EXPECT_TRUE(IsSevenBitAscii("Cafe ~\x7F"));
}

} // namespace
} // namespace vexa
