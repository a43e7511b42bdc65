#pragma once

#include <array>
#include <string>
#include <vector>

namespace vexa {

// How a step's parameter 0 (its offset byte) is read.
enum class OffsetKind {
    PinOffset,    // "P.O.": a pin relative to the pin being edited, modulo 32
    PinNumber,    // "MXpin": a pin number, shown with the numbering base
    Acceleration, // "Accel": 0..31, or 127 shown as -1
};

// Selectors of the help tool that a double-click on a step field opens.
constexpr int HelpNone = 0;
constexpr int HelpTime = 9;          // time calculator (parameters 2 and 3)
constexpr int HelpEventPattern = 16; // event pattern calculator (parameter 1)
// 2..7: pattern calculator for that many outputs (parameter 1).

constexpr int InstructionCodes = 128;
constexpr int FirstTimedCode = 64; // codes from here on wait par2 x 8^par3 ticks

// One entry of the instruction table.
struct InstructionEntry {
    int code = 0;
    std::string name; // empty: no instruction has this code
    int section = 0;  // list section 0..5
    bool fadeAllowed = false;
    std::array<std::string, 4> captions; // parameters 0..3; empty = not in use
    int par1Minimum = 0;                 // stored range of parameter 1
    int par1Maximum = 0;
    int par1DisplayOffset = 0; // added to parameter 1 when shown
    bool par1Signed = false;   // parameter 1 holds -64..63 as a seven-bit two's complement
    bool par1IsPin = false;    // parameter 1 is a pin number, shown with the numbering base
    int par2Maximum = 63;
    OffsetKind offsetKind = OffsetKind::PinOffset;
    int helpSelector = HelpNone;

    bool named() const { return !name.empty(); }
    bool usesParameter(int index) const { return !captions.at(static_cast<std::size_t>(index)).empty(); }
};

// The entry of a code; codes outside 0..127 give an unnamed entry.
const InstructionEntry& InstructionOf(int code);

// The codes the instruction lists offer: named entries by section, then by code.
const std::vector<int>& InstructionListCodes();

} // namespace vexa
