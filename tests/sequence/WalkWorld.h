#pragma once

// The world a sequence walk plays in: simulated controllers on one serial line (in this
// process), the session of the program that talks to them, its files, and the bench around
// them that pulls cables, swaps boards and makes the controllers miss their answers. A step is
// played as the command line (or the window) plays it, with the real operations.

#include "WalkSteps.h"

#include "../files/ConfigFileTestSupport.h"
#include "TestSeams.h"

#include "core/Clock.h"
#include "core/Session.h"
#include "sim/SimBus.h"
#include "sim/Simulator.h"

#ifdef VEXA_TESTS_WINDOW_LAYER
#include "app/EditHistory.h"
#endif

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa::sequence {

// What the program said about one step.
struct StepOutcome {
    bool ran = true;                   // false: the step found nothing to act on (no such file)
    bool passed = false;               // exit status 0, or the operation's result in the window
    std::string out;                   // standard output
    std::vector<std::string> messages; // messages shown
    bool linkFault = false;            // the link reported a fault
    bool stopped = false;              // the Stop came during the step
    ConfigurationImage before;         // the configuration before the step
};

// The walk's time: it passes only while the program waits with nothing to read, or pauses; a
// wait for an answer that does not come thus takes no wall time, and no wait ends early
// because the machine was busy.
class WalkClock : public Clock {
public:
    double steadySeconds() override { return now_; }
    void pauseMs(int ms) override { now_ += ms / 1000.0; }

private:
    double now_ = 0;
};

class World {
public:
    explicit World(const WalkShape& shape);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    StepOutcome play(const Step& step);

    const WalkShape& shape() const { return shape_; }
    // The numbering base in force: the window keeps the user's tick across restarts, and the
    // command lines go on giving the same --base.
    int numberingBase() const { return numberingBase_; }
    Session& session() { return *session_; }
    SimBus& line() { return *line_; }
    // The controller the link's address reaches, or null when none answers there.
    Simulator* reached() const;
    // The path of a file slot, and of the layout's folder.
    std::string file(int slot) const;
    std::string layoutFolder() const;
    // True while the port's device is gone (unplugged).
    bool vanished() const { return vanished_; }
    // Counts the sessions: a restart begins a new one.
    int generation() const { return generation_; }
    // True while "Bidirectional Comm." is off because the user chose it so.
    bool oneWayByChoice() const { return oneWayByChoice_; }

    // The memory of a controller written with a configuration drawn from the seed (a board that
    // another user configured), with the quirks some controllers show: a short PWM block,
    // a servo flag byte with bit 6 or in the older form, an enforced eXtended address over
    // serial addressing values.
    static ControllerMemory OtherController(int seed, const std::string& avoidId);

private:
    class LinePort;
    class StepProgress;

    void startSession();
    StepOutcome runCommands(const std::vector<std::vector<std::string>>& commands);
    void record(const std::string& name);
    bool undoStep(bool undo);

    WalkShape shape_;
    int numberingBase_ = 1;
    test::TemporaryFolder folder_;
    std::shared_ptr<SimBus> line_;
    WalkClock clock_;
    test::RecordingPrompter prompter_;
    test::ScriptedPortProvider provider_;
    std::unique_ptr<StepProgress> progress_;
    std::unique_ptr<Session> session_;
    bool vanished_ = false;         // the port's device is gone
    long bytesSent_ = 0;            // bytes written to the line in this step
    std::optional<long> stopAfter_; // the next operation is stopped after so many bytes
    bool oneWayByChoice_ = false;
    int generation_ = 0;
    std::string currentFile_;
#ifdef VEXA_TESTS_WINDOW_LAYER
    EditHistory history_;
#endif
};

} // namespace vexa::sequence
