#include "app/CommandDispatch.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vexa {
namespace {

using test::TestBench;

// A progress whose stop request the test sets.
struct StoppableProgress : Progress {
    bool stop = false;
    bool stopRequested() override { return stop; }
};

class CommandDispatchTest : public ::testing::Test {
protected:
    CommandWord recording(const std::string& word, bool portCheck = false, bool result = true) {
        return {word,
                [this, word, result](Session& session) {
                    ran.push_back(word);
                    runningDuringRun = session.operationRunning;
                    return result;
                },
                portCheck};
    }

    TestBench bench;
    StoppableProgress progress;
    std::vector<std::string> ran;
    bool runningDuringRun = false;
};

TEST_F(CommandDispatchTest, OnlyTheLatestWordOfOnePeriodRuns) {
    const std::vector<CommandWord> table{recording("ReadAll"), recording("WriteAll")};
    CommandDispatch dispatch(bench.session, table);
    EXPECT_TRUE(dispatch.queue("ReadAll"));
    EXPECT_TRUE(dispatch.queue("WriteAll"));
    EXPECT_TRUE(dispatch.tick(progress));
    EXPECT_EQ(ran, std::vector<std::string>{"WriteAll"});
    EXPECT_TRUE(dispatch.pending().empty());
    EXPECT_FALSE(dispatch.tick(progress)); // the word ran once
    EXPECT_EQ(ran.size(), 1u);
}

TEST_F(CommandDispatchTest, EmptyUnknownAndOperationlessWordsDoNothing) {
    const std::vector<CommandWord> table{recording("ReadAll"), {"ReadPin", {}, false}};
    CommandDispatch dispatch(bench.session, table);
    EXPECT_FALSE(dispatch.tick(progress));
    dispatch.queue("Nonsense");
    EXPECT_FALSE(dispatch.tick(progress));
    EXPECT_TRUE(dispatch.pending().empty());
    dispatch.queue("ReadPin");
    EXPECT_FALSE(dispatch.tick(progress));
    dispatch.queue("readall"); // words compare exactly
    EXPECT_FALSE(dispatch.tick(progress));
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST_F(CommandDispatchTest, PortCheckedWordIsRefusedWhileThePortIsClosed) {
    const std::vector<CommandWord> table{recording("ReadAll"), recording("VerifyAll", true)};
    CommandDispatch dispatch(bench.session, table);
    bench.port().close();
    EXPECT_TRUE(dispatch.queue("ReadAll")); // not port-checked: stored with the port closed
    EXPECT_FALSE(dispatch.queue("VerifyAll"));
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"Select communications port"});
    EXPECT_EQ(dispatch.pending(), "ReadAll"); // nothing stored, the earlier word stays
    dispatch.tick(progress);
    EXPECT_EQ(ran, std::vector<std::string>{"ReadAll"});

    bench.port().open("test");
    EXPECT_TRUE(dispatch.queue("VerifyAll"));
    dispatch.tick(progress);
    EXPECT_EQ(ran.back(), "VerifyAll");
}

TEST_F(CommandDispatchTest, NothingIsTakenWhileAnOperationRuns) {
    const std::vector<CommandWord> table{recording("ReadAll")};
    CommandDispatch dispatch(bench.session, table);
    dispatch.queue("ReadAll");
    bench.session.operationRunning = true;
    EXPECT_FALSE(dispatch.tick(progress));
    EXPECT_EQ(dispatch.pending(), "ReadAll"); // it waits for the running one
    bench.session.operationRunning = false;
    EXPECT_TRUE(dispatch.tick(progress));
    EXPECT_TRUE(runningDuringRun);
    EXPECT_FALSE(bench.session.operationRunning);
}

TEST_F(CommandDispatchTest, BusyMarkIsClearedWhenAnOperationThrows) {
    const std::vector<CommandWord> table{{"ReadAll", [](Session&) -> bool { throw std::runtime_error("lost"); }}};
    CommandDispatch dispatch(bench.session, table);
    dispatch.queue("ReadAll");
    EXPECT_THROW(dispatch.tick(progress), std::runtime_error);
    EXPECT_FALSE(bench.session.operationRunning);
}

TEST_F(CommandDispatchTest, FailureAfterAStopRequestSaysSo) {
    const std::vector<CommandWord> table{recording("ReadAll", false, false), recording("WriteAll", false, true)};
    CommandDispatch dispatch(bench.session, table);

    dispatch.queue("ReadAll");
    dispatch.tick(progress);
    EXPECT_TRUE(bench.prompter.messages.empty()); // a plain failure has shown its own message

    progress.stop = true;
    dispatch.queue("ReadAll");
    dispatch.tick(progress);
    EXPECT_EQ(bench.prompter.texts(), std::vector<std::string>{"Stopped by the user"});

    dispatch.queue("WriteAll"); // ended before the stop mattered: no message
    dispatch.tick(progress);
    EXPECT_EQ(bench.prompter.messages.size(), 1u);
}

TEST(CommandWordTable, HoldsTheWordsInDispatchOrderWithTheirPortChecks) {
    const std::vector<std::string> words{"ReadAll",      "WriteAll",    "VerifyAll",    "ReadPin",
                                         "WritePin",     "ReadDevice",  "WriteDevice",  "ReadAllPins",
                                         "WriteAllPins", "PAspReadPin", "PAspWritePin", "VerifyAllPins",
                                         "ECReadAll",    "ECWriteAll",  "ECVerify",     "WriteChanges"};
    const auto& table = CommandWordTable();
    ASSERT_EQ(table.size(), words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(table[i].word, words[i]);
        const bool verify = words[i] == "VerifyAll" || words[i] == "VerifyAllPins" || words[i] == "ECVerify";
        EXPECT_EQ(table[i].portCheck, verify) << words[i];
        EXPECT_EQ(table[i].showsReport, verify) << words[i];
        EXPECT_EQ(FindCommandWord(words[i]), &table[i]);
    }
    EXPECT_EQ(FindCommandWord("Unknown"), nullptr);
    EXPECT_TRUE(FindCommandWord("ReadAll")->run);
    EXPECT_TRUE(FindCommandWord("WriteAll")->run);
    EXPECT_TRUE(FindCommandWord("VerifyAll")->run);
}

} // namespace
} // namespace vexa
