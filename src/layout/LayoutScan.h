#pragma once

#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

// How long the scan waits for an answer at a module address. A version answer takes under
// 20 ms even at 9600 bit/s; an address where nobody answers costs no more than this.
inline constexpr double ScanAnswerWaitSeconds = 0.1;

// A controller that answered at its module address.
struct LayoutModule {
    int address = 0; // stored module address, 0..31
    std::string idString;
    std::string version; // "3.1.0.12"
};

enum class ProbeResult {
    Answered, // version and ID string read
    Silent,   // nobody answered with a version (nothing shown)
    Faulty,   // a controller answered its version but not its ID string (the link's message shown)
    Ended,    // the port failed (the link's message shown) or the user stopped
};

// Asks one module address for the firmware version, with the scan's short wait, and where a
// controller answers, for its ID string. An address that stays silent or answers with
// something else shows no message and leaves "Bidirectional Comm." as it was. The session's
// configuration and module address do not change.
ProbeResult ProbeModule(Session& session, int address, LayoutModule& module);

// "Scan": asks every module address of the link in ascending order (0..15, or 0..31 on a checked
// tunnel) and lists the controllers that answered. False when the port failed (said so) or
// the user stopped; `found` then holds those found so far.
bool ScanLayout(Session& session, std::vector<LayoutModule>& found);

// "Module " N ": " ID in double quotes, a blank and the version; N as shown. Like every
// message and report line it is UTF-8 (the ID string converted from the image's Latin-1).
std::string ScanLine(const Session& session, const LayoutModule& module);
// "Module " N, as shown.
std::string ModuleName(const Session& session, int address);

} // namespace vexa
