#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

constexpr int HighestDirectModuleAddress = 15;
constexpr int HighestTunnelModuleAddress = 31;
constexpr int HighestXAddress = 95;

// Range of a link-address field as the user sees it (stored value + numbering base).
struct ShownRange {
    int lowest = 0;
    int highest = 0;
};

// Highest stored module address: 31 on an accepted tunnel, else 15.
int HighestModuleAddress(const Session& session);
ShownRange ModuleAddressShownRange(const Session& session);
ShownRange XAddressShownRange(const Session& session);

// The module address and eXtended address as shown (stored value + numbering base).
std::string ShownModuleAddress(const Session& session);
std::string ShownXAddress(const Session& session);

// Stores a module address, kept within 0..HighestModuleAddress. A change resynchronises the
// link (FrameToggle = 128). Returns the stored address.
int SetModuleAddress(Session& session, int address);
// Stores an eXtended address, kept within 0..95. Returns the stored address.
int SetXAddress(Session& session, int address);

// Entry of the module address field: the shown text is clamped to its shown range without a
// message, then stored rounded less the numbering base. Every entry resynchronises the link,
// also when the address stays the same. Returns the stored address.
int EnterModuleAddress(Session& session, const std::string& shownText);
// Entry of the link eXtended address field, the same way.
int EnterXAddress(Session& session, const std::string& shownText);

// Brings the stored module address back within the current bound (after the tunnel ends)
// and resynchronises the link, whether the address changed or not.
void ReapplyModuleAddress(Session& session);

// "Start numbering at 1": base 1 when checked, else 0. Stored values keep their meaning.
void SetNumberingBase(Session& session, bool startAtOne);

} // namespace vexa
