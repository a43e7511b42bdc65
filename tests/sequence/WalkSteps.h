#pragma once

// The steps of a sequence walk: what a user (or the bench around the controller) does next,
// with every random choice it makes held in the step, so that a walk replays exactly from its
// list of steps and a shorter list can be tried.

#include "model/ConfigurationImage.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vexa::sequence {

enum class Op : std::uint8_t {
    // The controller, through the command line's words.
    ReadAll,
    WriteAll,
    WriteChanges,
    VerifyAll,
    ReadPin,   // a: pin
    WritePin,  // a: pin
    RoundTrip, // read-all, save, load of that save, verify-all, write-changes in one command line; a: file
    // Files: a, b are file slots.
    Save,
    SaveCompact,
    Load,
    OlderFile, // the file in slot a without its enforced and enable-map lines, into slot b
    Diff,
    // The configuration.
    Edit, // a: what, b: where, c: value
    Undo,
    Redo,
    // The bench.
    Fault,         // a: fault kind, b: count (-1: every answer until Wake)
    Wake,          // the controllers answer again
    StopAfter,     // the next operation is stopped once a bytes went out
    Unplug,        // the port's device vanishes
    Replug,        // it comes back
    Swap,          // controller a becomes another one, made from seed b
    ModuleAddress, // the link's module address becomes a
    OneWay,        // the user switches "Bidirectional Comm." over
    Base,          // the numbering base becomes a: "Start numbering at 1" (un)ticked, --base a
    Restart,       // a new session: the program started anew on the same port
    // The layout: a folder of backups.
    BackupLayout,
    VerifyLayout,
    RestoreLayout,
};

struct Step {
    Op op = Op::ReadAll;
    int a = 0;
    int b = 0;
    int c = 0;
};

// Number of file slots; the last holds the rich fixture from the start.
constexpr int FileSlots = 5;
constexpr int FixtureSlot = FileSlots - 1;

// What a walk is played on.
struct WalkShape {
    bool window = false;         // the window's way: a link fault does not end the operation
    int firstBase = 1;           // "Start numbering at 1" at the start; a Base step changes it
    bool oneWay = false;         // "Bidirectional Comm." off from the start (--one-way)
    std::vector<int> modules{0}; // module addresses of the controllers on the line
    bool undo = false;           // the window's undo and redo are played
};

// The window's undo and redo (the window's layer) are built into this test program.
#ifdef VEXA_TESTS_WINDOW_LAYER
inline constexpr bool UndoBuilt = true;
#else
inline constexpr bool UndoBuilt = false;
#endif

using Random = std::mt19937;

// A number in 0..count-1; the same on every system for the same generator state.
int Pick(Random& random, int count);

// A shape and the next step of a walk, drawn at random.
WalkShape DrawShape(Random& random, bool layout);
Step DrawStep(Random& random, const WalkShape& shape);

// A step drawn aside, from a generator of its own, before the next step, or nothing: now and then
// (more often in a layout walk) the user flips the numbering base in force; in a layout walk
// the user may also press Stop deep into the next operation, when a backup has saved some
// controllers and not yet the others.
std::optional<Step> DrawAsideStep(Random& aside, const WalkShape& shape, int numberingBase);

// The numbering base in force after the step, `numberingBase` in force before it.
int BaseAfter(const Step& step, int numberingBase);

// The step in a line, in the command line's words where it has them ("write-pin 5").
std::string Describe(const Step& step, int numberingBase);

// Makes an edit step's change of the configuration as a view would make it (values the wire
// cannot carry included) and returns what it did ("pin 5: parameter 4 = 200").
std::string ApplyEdit(ConfigurationImage& image, const Step& step, int numberingBase);

// An edit drawn at random; `sendable` keeps to values a write takes.
Step DrawEdit(Random& random, bool sendable);

} // namespace vexa::sequence
