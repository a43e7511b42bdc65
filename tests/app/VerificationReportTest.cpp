#include "core/VerificationReport.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::TestBench;

TEST(VerificationReport, LogAppendsTheTextAndCrLf) {
    TestBench bench;
    LogVerificationLine(bench.session, "Start Pin Verification");
    LogVerificationLine(bench.session, "");
    EXPECT_EQ(bench.session.verificationReport, "Start Pin Verification\r\n\r\n");
}

TEST(VerifyCommandFrame, EmptiesTheReportAndAppendsTheVerdictOnSuccess) {
    TestBench bench;
    bench.session.verificationReport = "earlier run\r\n";
    const auto passing = [](Session& session) {
        LogVerificationLine(session, "Start EC Verification");
        return true;
    };
    EXPECT_TRUE(RunVerifyCommand(bench.session, passing, VerdictLineEnd::None));
    EXPECT_EQ(bench.session.verificationReport, "Start EC Verification\r\nVerify OK");

    EXPECT_TRUE(RunVerifyCommand(bench.session, passing, VerdictLineEnd::CrLf));
    EXPECT_EQ(bench.session.verificationReport, "Start EC Verification\r\nVerify OK\r\n");
}

TEST(VerifyCommandFrame, FailureAppendsNoVerdict) {
    TestBench bench;
    bench.session.verificationReport = "earlier run\r\n";
    const auto failing = [](Session& session) {
        LogVerificationLine(session, "Pin 3 does not compare");
        return false;
    };
    EXPECT_FALSE(RunVerifyCommand(bench.session, failing, VerdictLineEnd::CrLf));
    EXPECT_EQ(bench.session.verificationReport, "Pin 3 does not compare\r\n");
    EXPECT_FALSE(RunVerifyCommand(bench.session, {}, VerdictLineEnd::None));
    EXPECT_EQ(bench.session.verificationReport, "");
}

} // namespace
} // namespace vexa
