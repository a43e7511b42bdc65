#pragma once

#include "core/OperationRunner.h"

#include <string>
#include <vector>

namespace vexa::test {

// A runner for view tests: an operation runs at once under the guard with the session's
// progress; queued command words are only recorded.
class TestRunner : public OperationRunner {
public:
    explicit TestRunner(Session& session) : session_(session) {}

    bool runNow(const std::string& title, const Operation& operation) override {
        titles.push_back(title);
        return RunGuarded(session_, *session_.progress, operation);
    }
    void queueCommand(const std::string& word) override { words.push_back(word); }
    bool busy() const override { return session_.operationRunning; }
    // Counted only: the operations of view tests run on the session's own progress.
    void requestStop() override { ++stopRequests; }

    std::vector<std::string> titles; // of the operations run, in order
    std::vector<std::string> words;  // queued command words, in order
    int stopRequests = 0;

private:
    Session& session_;
};

} // namespace vexa::test
