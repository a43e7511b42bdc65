// Sequence walks as a modeller plays them on the command line: each step is one run of
// vexaconfig-cli against vexa-sim on a pseudo-terminal, drawn at random from a seed. What a run
// claims (its exit status, "Verify OK", "Nothing to write") is held against what the controller
// holds, as a later run that verifies it finds. The in-process walks (tests/sequence) cover the
// same invariants with many more steps; these see the programs, the terminal and the state
// file of the simulated controller as a user does.

#include "ProcessRunner.h"
#include "SimStateFiles.h"

#include "../files/ConfigFileTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using vexa::test::ProgramResult;

constexpr auto RunLimit = std::chrono::seconds(60);
constexpr int StepsPerWalk = 8;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The backup with one value changed: the DCC address, an event action or a step's parameter.
std::string Edited(const std::string& backup, unsigned draw) {
    std::vector<std::string> lines = vexa::test::SplitCrLfLines(backup);
    const std::vector<std::string> keys{"\"DCC\",", "\"Eon\",", "    \"Ins\","};
    const std::string& key = keys[draw % keys.size()];
    for (std::string& line : lines)
        if (line.rfind(key, 0) == 0) {
            line = line.substr(0, line.rfind(',') + 1) + std::to_string(1 + draw % 9);
            break;
        }
    return vexa::test::JoinCrLf(lines);
}

class SequenceWalkE2E {
public:
    explicit SequenceWalkE2E(unsigned seed) : random_(seed), state_(folder_.file("sim-state.txt")) {
        // A board with the quirks some controllers show: a servo flag byte with bit 6 (which the
        // tool neither sends nor keeps), a PWM block of an older controller without its off and
        // on levels, and the enforced eXtended address over serial addressing values.
        vexa::test::MakeSimState(VEXA_SIM_PATH, state_);
        vexa::test::SetSimStateLines(state_, {{"pin 0 flash", "1 64 74 64 127 58 127 127 64 0 64 0"},
                                              {"pin 1 flash", "2 0 0 28 5"},
                                              {"setting 2", "127"},
                                              {"setting 8", "1 5"},
                                              {"setting 3", "1 0 5 0"}});
        restart({});
    }

    // One step; "" when every claim held, else what broke.
    std::string step() {
        const std::string a = folder_.file("a.dat");
        const std::string b = folder_.file("b.dat");
        const bool faulty = faultPending_;
        faultPending_ = false;
        // A walk starts from a backup; a missed answer costs the 2 s the link waits for it.
        const std::array<int, 10> kinds{Backup, WriteAll, WriteAll, WriteChanges, WriteChanges,
                                        Edit,   Fault,    Silent,   Verify,       Verify};
        switch (steps_++ == 0 ? Backup : kinds[random_() % kinds.size()]) {
        case Backup: { // back up what the controller holds
            const ProgramResult run = cli({"read-all", "save", a});
            if (run.status == 0)
                held_ = a;
            return {};
        }
        case WriteAll: { // Write All of the backup or of an edited copy
            const std::string file = pickFile(a, b);
            if (file.empty())
                return {};
            const ProgramResult run = cli({"load", file, "write-all"});
            held_ = run.status == 0 ? file : std::string();
            return run.status == 0 ? heldVerifies("write-all of " + file) : std::string();
        }
        case WriteChanges: { // Write Changes after a read
            const std::string file = pickFile(a, b);
            if (file.empty())
                return {};
            const bool same = file == held_;
            const ProgramResult run = cli({"read-all", "load", file, "write-changes"});
            if (run.status != 0) {
                held_.clear();
                return {};
            }
            if (same && !faulty && !Has(run.err, "Nothing to write"))
                return "write-changes of the file the controller holds wrote: " + run.out;
            held_ = file;
            return heldVerifies("write-changes of " + file);
        }
        case Edit: { // an edited copy of the backup
            if (vexa::test::ReadBytes(a).empty())
                return {};
            vexa::test::WriteBytes(b, Edited(vexa::test::ReadBytes(a), static_cast<unsigned>(random_())));
            return {};
        }
        case Fault: // the next answer goes missing
            restart({"--fault", "drop:1"});
            faultPending_ = true;
            return {};
        case Silent: { // a run at a module address where nobody answers
            const std::string file = pickFile(a, b);
            const ProgramResult run = cli({"--address", "9", "load", file.empty() ? a : file, "write-all"});
            return run.status == 0 ? "write-all where nobody answers ended with exit status 0" : std::string();
        }
        default:
            return faulty ? std::string() : heldVerifies("the controller as last read or written");
        }
    }

private:
    enum Kind { Backup, WriteAll, WriteChanges, Edit, Fault, Silent, Verify };

    ProgramResult cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim_->device()});
        return vexa::test::RunProgram(VEXA_CLI_PATH, args, RunLimit);
    }

    // The controller keeps its state file; a restart is a replug, with faults to come.
    void restart(std::vector<std::string> options) {
        sim_.reset();
        options.insert(options.begin(), {"--state", state_});
        sim_ = std::make_unique<vexa::test::DeviceServerProcess>(VEXA_SIM_PATH, options);
    }

    std::string pickFile(const std::string& a, const std::string& b) {
        const std::string& file = random_() % 2 == 0 ? a : b;
        return vexa::test::ReadBytes(file).empty() ? std::string() : file;
    }

    // The file the controller holds verifies against it; exit status 0 goes with "Verify OK".
    std::string heldVerifies(const std::string& after) {
        if (held_.empty())
            return {};
        const ProgramResult run = cli({"load", held_, "verify-all"});
        if ((run.status == 0) != Has(run.out, "Verify OK"))
            return "verify-all after " + after + ": exit status " + std::to_string(run.status) + " with " + run.out;
        if (run.status != 0)
            return "after " + after + " the controller does not hold " + held_ + ": " + run.out + run.err;
        return {};
    }

    std::mt19937 random_;
    vexa::test::TemporaryFolder folder_;
    std::string state_;
    std::unique_ptr<vexa::test::DeviceServerProcess> sim_;
    std::string held_; // the file whose values the controller holds, or "" when not known
    bool faultPending_ = false;
    int steps_ = 0;
};

TEST(SequenceWalkE2E, CommandLinesAgainstVexaSimKeepTheirClaims) {
    for (unsigned seed : {3u, 12u}) {
        SequenceWalkE2E walk(seed);
        for (int i = 0; i < StepsPerWalk; ++i) {
            const std::string broken = walk.step();
            ASSERT_EQ(broken, "") << "seed " << seed << ", step " << i + 1;
        }
    }
}

} // namespace
