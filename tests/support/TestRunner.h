#pragma once

#include "core/OperationRunner.h"

#include <string>
#include <vector>

namespace vexa::test {

// A runner for view tests: an operation runs at once under the guard with the session's
// progress, which requestStop can override to stop it; queued command words are only recorded.
class TestRunner : public OperationRunner {
public:
    explicit TestRunner(Session& session) : session_(session) {}

    bool runNow(const std::string& title, const Operation& operation) override {
        titles.push_back(title);
        StoppableProgress progress(*session_.progress, stop_);
        stop_ = false;
        return RunGuarded(session_, progress, operation);
    }
    void queueCommand(const std::string& word) override { words.push_back(word); }
    bool busy() const override { return session_.operationRunning; }
    void requestStop() override {
        stop_ = true;
        ++stopRequests;
    }

    std::vector<std::string> titles; // of the operations run, in order
    std::vector<std::string> words;  // queued command words, in order
    int stopRequests = 0;

private:
    // The session's progress, stopped also by requestStop.
    struct StoppableProgress : Progress {
        StoppableProgress(Progress& inner, const bool& stop) : inner_(inner), stop_(stop) {}
        void stage(const std::string& text) override { inner_.stage(text); }
        void count(int done, int total) override { inner_.count(done, total); }
        void keepAlive() override { inner_.keepAlive(); }
        bool stopRequested() override { return stop_ || inner_.stopRequested(); }

        Progress& inner_;
        const bool& stop_;
    };

    Session& session_;
    bool stop_ = false;
};

} // namespace vexa::test
