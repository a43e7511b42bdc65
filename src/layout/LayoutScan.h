#pragma once

#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

// How long the scan waits for an answer at a module address. A version answer takes under
// 20 ms even at 9600 bit/s; an address where nobody answers costs no more than this.
inline constexpr double ScanAnswerWaitSeconds = 0.1;
// How long the scan listens after its last address for a late answer of the last addresses.
inline constexpr int ScanLateListenMs = 500;

// A controller that answered at its module address.
struct LayoutModule {
    int address = 0; // stored module address, 0..31
    std::string idString;
    std::string version; // "3.1.0.12"
    bool late = false;   // answered the scan only after its wait, and was asked again
    std::string idFault; // what the link said when its ID string did not come ("" once read)
};

enum class ProbeResult {
    Answered, // version and ID string read
    Silent,   // nobody answered with a version (nothing shown)
    Faulty,   // a controller answered its version but not its ID string (the link's message in idFault)
    Ended,    // the port failed (the link's message shown) or the user stopped
};

// How long a probe waits for each answer: the scan's short wait, or the link's own (for a
// controller that is known to be there).
enum class ProbeWait { Scan, Normal };

// Asks one module address for the firmware version, and where a controller answers, for its ID
// string. An address that stays silent or answers with something else shows no message and
// leaves "Bidirectional Comm." as it was. The session's configuration and module address do
// not change.
ProbeResult ProbeModule(Session& session, int address, ProbeWait wait, LayoutModule& module);

// "Scan": asks every module address of the link in ascending order (0..15, or 0..31 on a checked
// tunnel) with the scan's short wait and lists the controllers that answered. A controller
// whose answer came after its wait (heard while another address was asked, or in the moment
// the scan listens after the last one) is asked again with the normal wait, listed and marked
// late. A controller that answers its version but not its ID string is listed with what the
// link said. False when the port failed (said so) or the user stopped; `found` then holds those
// found so far.
bool ScanLayout(Session& session, std::vector<LayoutModule>& found);

// "Module " N ": " the quoted ID string (see QuotedIdString), a blank and the version; N as
// shown; " (answered late)" after a controller that answered after the scan's wait. For a
// controller whose ID string did not come, "ID string not read (" what the link said ")" in
// place of the ID string. Like every message and report line it is UTF-8.
std::string ScanLine(const Session& session, const LayoutModule& module);
// "Module " N, as shown.
std::string ModuleName(const Session& session, int address);

} // namespace vexa
