#pragma once

// The invariants a sequence walk checks after every step: what the program claims (exit status,
// "done", "Verify OK", "Nothing to write", the states of the items against the controller) set
// against what the simulated controllers hold.

#include "WalkWorld.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vexa::sequence {

// Invariants of faults known to be open and not mended yet: they are checked only with
// VEXA_WALK_ALL_INVARIANTS=1 in the environment (none today: every invariant is checked, among
// them "diff" comparing the two files' values, a load leaving nothing from before, and a write
// that cuts an ID string saying so). VEXA_WALK_SKIP=Name,Name leaves out others, to look past a
// fault.
const std::set<std::string>& KnownOpenInvariants();

class Checker {
public:
    explicit Checker(World& world);

    // Notes what the checks need to know of the moment before a step.
    void before(const Step& step);
    // "" when every invariant holds after the step; else the invariant's name, ": ", what broke.
    std::string after(const Step& step, const StepOutcome& outcome);

private:
    using Identity = std::tuple<int, int, int>; // session, opening of the port, module address

    Identity identity() const;
    bool checked(const std::string& invariant) const;
    void fail(const std::string& invariant, const std::string& text);
    void claims(const Step& step, const StepOutcome& outcome);
    void sameIsHeld();
    void files(const Step& step, const StepOutcome& outcome);
    void layout(const Step& step, const StepOutcome& outcome);
    void layoutOwners(const Step& step);
    void noteSwap(const Step& step);
    void noteRevealed(const Step& step, const StepOutcome& outcome);

    World& world_;
    std::string broken_; // the first invariant broken after this step
    // What shows the program that the controller was swapped: the answer to a read of these
    // settings (the ID string, the version: those it knew), or a whole read or write; empty
    // while no swap is pending.
    std::set<int> revealers_;
    Identity swapIdentity_{};
    bool swappedSinceRead_ = false; // a board was swapped since the last whole read
    bool blindWrites_ = false;      // written one-way by choice where no controller listens
    Identity blindIdentity_{};
    bool oneWayBefore_ = false;
    bool portUsableBefore_ = false;
    bool lostBefore_ = false;
    Identity identityBefore_{};
    // The layout folder's data files before a backup, and the module address each file was last
    // backed up from (its name's number less the numbering base in force at that backup).
    std::map<std::string, std::string> layoutFilesBefore_;
    std::map<std::string, int> backedUpFrom_;
};

} // namespace vexa::sequence
