#pragma once

#include "sim/ControllerMemory.h"

#include <string>

namespace vexa {

// The state file of a simulated controller: plain text, one item per line, every number a
// decimal byte value 0..127 exactly as it travels on the link.
//
//   VexaSimState 1                      first line: format name and version
//   # ...                               comment (blank lines are skipped too)
//   setting S V...                      value bytes of module setting S (0..13, not 9)
//   pin P active T V...                 active type block of pin P (0..31): type, parameters
//   pin P flash T V...                  type block kept in flash (a PWM block may also be that
//                                       of an older controller: type and four bytes, without
//                                       the off and on levels)
//   pin P layout L                      aspect layout 0, 2 or 3
//   pin P step N I W0 W1 W2 W3          step slot N (0..35): instruction byte, step bytes
//   pin P initial B                     initial aspect byte 0x70..0x7F (112..127)
//   pin P eventon S0 S1 S2 S3           Event-On slots, slot k = k x 16 + action
//   pin P eventoff S0 S1 S2 S3          Event-Off slots
//   pin P address B0 B1 B2              DCC counts (0..15), 16..31 serial, 64..95 device pointer
//
// Items not in the file keep the values of an erased controller; step slots that are all
// zero are not written.
inline constexpr const char* SimStateHeader = "VexaSimState 1";

// Writes the memory (through a temporary file renamed over the target); false with a reason.
bool SaveSimState(const ControllerMemory& memory, const std::string& path, std::string& error);

// Reads a state file into memory. On failure memory is unchanged and error names the line.
bool LoadSimState(const std::string& path, ControllerMemory& memory, std::string& error);

} // namespace vexa
