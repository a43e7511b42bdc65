#include "batch/BatchOperations.h"

#include "core/VerificationReport.h"
#include "sim/SimRequests.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include "../link/ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

using test::TestBench;

// Records what a batch reports, and asks to stop once a given stage has been reported.
struct RecordingProgress : Progress {
    void stage(const std::string& text) override {
        stages.push_back(text);
        if (static_cast<int>(stages.size()) == stopAfterStage)
            stop = true;
    }
    void count(int done, int total) override { counts.emplace_back(done, total); }
    bool stopRequested() override { return stop; }

    std::vector<std::string> stages;
    std::vector<std::pair<int, int>> counts;
    int stopAfterStage = -1;
    bool stop = false;
};

class BatchTest : public ::testing::Test {
protected:
    BatchTest() { bench.session.progress = &progress; }

    BatchStage stage(const std::string& name, bool result) {
        return {name, [this, name, result](Session&) {
                    ran.push_back(name);
                    return result;
                }};
    }

    TestBench bench;
    RecordingProgress progress;
    std::vector<std::string> ran;
    int alwaysRuns = 0;
};

TEST_F(BatchTest, FirstFailureSkipsTheLaterStagesButNotTheFinalSteps) {
    const BatchDefinition batch{"Read All",
                                {stage("one", true), stage("two", false), stage("three", true)},
                                {[this](Session&) { ++alwaysRuns; }}};
    EXPECT_FALSE(RunBatch(bench.session, batch));
    EXPECT_EQ(ran, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(alwaysRuns, 1);
    EXPECT_EQ(progress.stages, (std::vector<std::string>{"Read All: one", "Read All: two"}));
    EXPECT_EQ(progress.counts, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}));
}

TEST_F(BatchTest, PassingBatchRunsEveryStageAndCountsThemAll) {
    const BatchDefinition batch{
        "Write All", {stage("one", true), stage("two", true)}, {[this](Session&) { ++alwaysRuns; }}};
    EXPECT_TRUE(RunBatch(bench.session, batch));
    EXPECT_EQ(ran, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(alwaysRuns, 1);
    EXPECT_EQ(progress.counts.back(), (std::pair<int, int>{2, 2}));
}

TEST_F(BatchTest, StopRequestEndsTheBatchBeforeTheNextStage) {
    const BatchDefinition batch{
        "Read All", {stage("one", true), stage("two", true)}, {[this](Session&) { ++alwaysRuns; }}};
    progress.stopAfterStage = 1;
    EXPECT_FALSE(RunBatch(bench.session, batch));
    EXPECT_EQ(ran, std::vector<std::string>{"one"});
    EXPECT_EQ(alwaysRuns, 1);
}

TEST_F(BatchTest, StopRequestKeepsTheLinkFromSending) {
    progress.stop = true;
    EXPECT_FALSE(ReadAll(bench.session));
    EXPECT_TRUE(bench.port().written.empty());
}

TEST_F(BatchTest, ReadAllWithoutControllerStopsAfterTheVersionRead) {
    bench.session.image.module.idString = "kept";
    EXPECT_FALSE(ReadAll(bench.session));
    ASSERT_EQ(progress.stages.size(), 1u);
    EXPECT_EQ(progress.stages[0], "Read All: firmware version");
    EXPECT_EQ(bench.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
    EXPECT_EQ(bench.session.versionText, "Unknown");
    EXPECT_EQ(bench.session.image.module.idString, "kept");
}

TEST_F(BatchTest, ReadAllWithClosedPortAsksForAPort) {
    bench.port().close();
    EXPECT_FALSE(ReadAll(bench.session));
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"Select communications port"});
    EXPECT_EQ(progress.stages.size(), 1u);
}

// A session whose port leads to the in-process simulated controller.
struct SimulatedBench {
    SimulatedBench() {
        session.port.port = MakeSimulatorPort(sim);
        session.port.name = SimulatorPortName;
        session.port.port->open(SimulatorPortName);
    }
    std::shared_ptr<Simulator> sim = MakeDefaultSimulator();
    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
};

// The block of the controller's memory that a write request changes.
std::string WrittenBlock(const std::vector<std::uint8_t>& data) {
    switch (data.at(0)) {
    case 96: // module setting
        switch (data.at(1)) {
        case 10:
            return "ID string";
        case 4:
        case 5:
        case 12:
            return "DCC settings";
        case 6:
        case 7:
            return "LED settings";
        case 1:
            return "hardware configuration";
        case 13:
            return "serial port settings";
        case 11:
            return "initial enable maps";
        case 2:
        case 3:
        case 8:
            return "serial addressing options";
        }
        break;
    case 97:  // type parameters to flash
    case 98:  // aspect layout
    case 99:  // step
    case 102: // address configuration
        return "all pins";
    case 100: // the initial aspect alone, or the four Event-On slots
        return data.size() == 3 ? "all pins" : "all events";
    case 101: // Event-Off slots
        return "all events";
    }
    return "request " + std::to_string(data[0]);
}

TEST(BatchWithSimulator, WriteAllWritesTheBlocksInTheOrderOfItsStagesSerialAddressingLast) {
    SimulatedBench bench;
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last(); // every value known
    bench.sim->clearRequests();
    ASSERT_TRUE(WriteAll(bench.session)) << bench.prompter.last();
    std::vector<std::string> blocks;
    for (const SimReceivedRequest& request : bench.sim->requests())
        if (blocks.empty() || blocks.back() != WrittenBlock(request.data))
            blocks.push_back(WrittenBlock(request.data));
    // The serial addressing goes last: once it is written the controller may listen elsewhere.
    EXPECT_EQ(blocks, (std::vector<std::string>{"ID string", "DCC settings", "LED settings", "hardware configuration",
                                                "serial port settings", "all pins", "all events", "initial enable maps",
                                                "serial addressing options"}));
}

TEST(BatchWithSimulator, WriteAllThenReadAllBringsTheIdStringBack) {
    SimulatedBench bench;
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    EXPECT_NE(bench.session.versionText, "Unknown");

    bench.session.image.module.idString = "Layout West";
    ASSERT_TRUE(WriteAll(bench.session)) << bench.prompter.last();
    bench.session.image.module.idString.clear();
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    EXPECT_EQ(bench.session.image.module.idString, "Layout West");
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(BatchWithSimulator, WriteAllSendsNothingWhileOneValueCannotBeSent) {
    SimulatedBench bench;
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    const ConfigurationImage read = bench.session.image;
    struct Case {
        std::function<void(ConfigurationImage&)> change;
        std::string message;
    };
    const std::vector<Case> cases{
        {[](ConfigurationImage& i) { i.module.dccAddress = 9999; }, "DCC address = 9999 cannot be sent (1..510)"},
        {[](ConfigurationImage& i) { i.module.moduleXAddress = 120; },
         "module eXtended address = 121 cannot be sent (1..96)"},
        {[](ConfigurationImage& i) { i.events[31].offEvents[3] = 12; },
         "Pin 32: Event-Off action of input 3 = 12 cannot be sent (-1..11)"},
        {[](ConfigurationImage& i) { i.pins[31].lumoAddressCount = 9; },
         "Pin 32: serial address count = 9 cannot be sent (0..7)"},
    };
    for (const Case& c : cases) {
        bench.session.image = read;
        c.change(bench.session.image);
        const std::string trace = bench.session.trace.text();
        EXPECT_FALSE(WriteAll(bench.session)) << c.message;
        EXPECT_EQ(bench.prompter.last(), c.message);
        EXPECT_EQ(bench.session.trace.text(), trace) << c.message; // not a byte went out
    }
}

TEST(BatchWithSimulator, VerifyAllAfterReadAllEndsInVerifyOk) {
    SimulatedBench bench;
    bench.session.verificationReport = "old report\r\n";
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    EXPECT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
    const std::string& report = bench.session.verificationReport;
    EXPECT_EQ(report.find("old report"), std::string::npos);
    ASSERT_GE(report.size(), 9u);
    EXPECT_EQ(report.substr(report.size() - 9), "Verify OK");
}

TEST(BatchWithSimulator, VerifyAllThatFailsEndsInVerificationStopped) {
    test::TestBench bench; // no controller answers
    EXPECT_FALSE(VerifyAll(bench.session));
    const std::string& report = bench.session.verificationReport;
    const std::string stopped = "Verification Stopped";
    ASSERT_GE(report.size(), stopped.size());
    EXPECT_EQ(report.substr(report.size() - stopped.size()), stopped);
    EXPECT_EQ(report.find("Verify OK"), std::string::npos);
}

// With retries, lost answers cost neither the write (its part is read back) nor the
// verification, which says in one line, before its verdict, how many retries it needed.
TEST(BatchWithSimulator, RetriesCarryWriteAllAndVerifyAllOverLostAnswers) {
    SimulatedBench bench;
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    bench.session.link.retryLimit = 2;
    bench.session.link.answerTimeoutSeconds = 0.5;
    bench.sim->clearRequests();
    bench.sim->injectFault(SimulatorFault::Drop, 1);
    ASSERT_TRUE(WriteAll(bench.session)) << bench.prompter.last();
    EXPECT_EQ(bench.session.link.retriesTaken, 1);
    const auto& requests = bench.sim->requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[1].data, (std::vector<std::uint8_t>{112, 10})); // the first write's part read back
    EXPECT_NE(requests[2].data, requests[0].data);                     // and the write not sent again

    bench.sim->injectFault(SimulatorFault::Drop, 1);
    bench.sim->injectFault(SimulatorFault::Corrupt, 1);
    ASSERT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
    const std::string ending = "\r\nVerification needed 2 retries\r\nVerify OK";
    const std::string& report = bench.session.verificationReport;
    EXPECT_EQ(report.substr(report.size() - std::min(report.size(), ending.size())), ending) << report;
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
}

TEST(EventVerifyAll, FailingEventStageStopsBeforeThePinStage) {
    // A controller that answers everything but the reads of the On actions.
    test::TestBench bench;
    ControllerMemory memory = FactoryMemory({1, 2, 3, 4});
    SimLiveState live;
    test::ScriptedController controller(
        bench.port(), [&](const std::vector<int>& request) -> std::optional<std::vector<int>> {
            if (!request.empty() && request[0] == 116)
                return std::nullopt;
            const std::vector<std::uint8_t> answer =
                ServeRequest(memory, live, std::vector<std::uint8_t>(request.begin(), request.end()));
            return std::vector<int>(answer.begin(), answer.end());
        });
    ReadAll(bench.session); // the module settings as the controller holds them
    EXPECT_FALSE(VerifyAll(bench.session));
    const std::string& report = bench.session.verificationReport;
    EXPECT_NE(report.find("Start EC Verification"), std::string::npos) << report;
    EXPECT_EQ(report.find("Start Pin Verification"), std::string::npos) << report;
    const std::string stopped = "\r\nVerification Stopped";
    ASSERT_GE(report.size(), stopped.size());
    EXPECT_EQ(report.substr(report.size() - stopped.size()), stopped);
}

} // namespace
} // namespace vexa
