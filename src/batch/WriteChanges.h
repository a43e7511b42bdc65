#pragma once

#include "core/Session.h"
#include "events/EventTransfer.h"
#include "module/SettingComparison.h"

#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* NothingToWriteText = "Nothing to write";
inline constexpr const char* IdentityNotCheckedText =
    "Bidirectional Comm. is off: the controller's ID string and version are not checked before the changes are "
    "written";

// The items of the configuration that stand in a given state against what the connected
// controller is known to hold: setting blocks, pins, event slots (one direction of one pin) and
// the enable map, each list in the order "Write All" writes them.
struct ChangedItems {
    std::vector<SettingBlock> blocks;
    std::vector<int> pins;
    std::vector<int> eventOnPins;
    std::vector<int> eventOffPins;
    bool enableMap = false;

    bool empty() const {
        return blocks.empty() && pins.empty() && eventOnPins.empty() && eventOffPins.empty() && !enableMap;
    }
    int eventSlots() const { return static_cast<int>(eventOnPins.size() + eventOffPins.size()); }
};

// The items that differ from the controller (changed), that are not known to it (unknown), and
// what "Write Changes" writes: both.
ChangedItems ItemsInState(const Session& session, HeldState state);
ChangedItems ItemsToWrite(const Session& session);

// "3 pins, 1 setting block" (counts, largest kinds first as the status line names them); empty
// when there is none.
std::string CountsText(const ChangedItems& items);
// The status line: what changed since the controller was last read (or written), and what is
// not known of it; "Nothing changed since the last read" only when every item is known alike.
std::string ChangesStatusText(const Session& session);

// Reads the ID string and the firmware version (112, 10 and 112, 0): when another controller
// answers than the copy was kept for, or this one was changed behind the open port, their
// answers make the copy forget everything (see HeldTraffic.h). With "Bidirectional Comm." off
// by the user's choice nothing can be read: that is said in one line. False when the port failed.
bool ConfirmControllerIdentity(Session& session);

// "Write Changes": first confirms the controller's identity, then writes, in the order of
// "Write All" and with its requests, only the setting blocks, pins, event slots and enable map
// that are changed or unknown. With nothing to write it sends nothing more and says "Nothing to
// write".
bool WriteChanges(Session& session);
// The same, giving the items it set out to write.
bool WriteChangesGiving(Session& session, ChangedItems& written);

} // namespace vexa
