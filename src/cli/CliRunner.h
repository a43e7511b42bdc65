#pragma once

#include "core/Clock.h"
#include "core/OperationRunner.h"
#include "core/SerialPort.h"

#include <ostream>
#include <string>
#include <vector>

namespace vexa::cli {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// The runner of the command line. Each command runs through it as one operation, as the
// window's operations do: under the guard, with the progress shown on the terminal, and
// stopped by Ctrl+C (or requestStop), after which the command fails with "Stopped by the user".
class CommandLineRunner : public OperationRunner, private Progress {
public:
    CommandLineRunner(Session& session, Progress& shown) : session_(session), shown_(shown) {}

    bool runNow(const std::string& title, const Operation& operation) override;
    // The command line has no deferred command words: the word is refused with a message.
    void queueCommand(const std::string& word) override;
    bool busy() const override { return session_.operationRunning; }
    void requestStop() override { stopAsked_ = true; }

private:
    void stage(const std::string& text) override { shown_.stage(text); }
    void count(int done, int total) override { shown_.count(done, total); }
    void keepAlive() override { shown_.keepAlive(); }
    void note(const std::string& text) override { shown_.note(text); }
    bool stopRequested() override;

    Session& session_;
    Progress& shown_;
    bool stopAsked_ = false;
};

// Runs one vexaconfig-cli command line (arguments without the program name) on one session:
// results go to `out`, messages to `err`. The standard device library is looked for in
// `programFolder`. Returns the exit status.
int RunCli(const std::vector<std::string>& args, PortProvider& ports, Clock& clock, std::ostream& out,
           std::ostream& err, const std::string& programFolder = {});

} // namespace vexa::cli
