#pragma once

#include "core/Session.h"
#include "layout/LayoutFile.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The layout operations: every controller of the bus in turn, through the single-controller
// operations ("Read All", "Write All", "Verify All", the data file), each in a session of its
// own on the user's port (see BorrowedLink), so that the user's configuration, module address
// and link options stay as they were. They stop between two exchanges once the user asks to;
// files finished by then stay. What the work on a controller says is kept with its result and
// said once at the end, in one message naming each controller.

// What became of one controller.
enum class ModuleOutcome {
    Saved,      // backed up into its data file
    NotSaved,   // its Read All or its file failed (said so)
    Compares,   // its verification ended in "Verify OK"
    Differs,    // its verification found differences or could not finish
    NoAnswer,   // nobody answered at its address
    Skipped,    // restore: another board answers at its address (said so)
    NotWritten, // restore: its file or its Write All failed (said so)
};

struct ModuleResult {
    LayoutEntry entry; // address, ID string, version and data file
    ModuleOutcome outcome = ModuleOutcome::NotSaved;
    std::vector<std::string> findings; // report lines of a verification that did not compare
    std::vector<std::string> messages; // what the work on it said (UTF-8), in order
    bool idUnread = false;             // backup: its ID string did not come, so the entry's is not its own
};

// Gives the numbering base an older layout.txt (one that does not record it) was made with:
// the base the user states, or nullopt to refuse the file, after saying why. Without one,
// such a file is refused with a message.
using OlderLayoutBase = std::function<std::optional<int>(const std::string& layoutPath)>;

// "Back Up All": scans, then for each controller found runs "Read All" and saves its whole
// configuration as DIR/module-N.dat; writes DIR/layout.txt last, listing the controllers saved
// by their module address and the numbering base. The folder is created when missing; files
// are replaced safely. A controller that fails is reported and the others are still saved;
// controllers that share an ID string are saved with a warning (a restore's guard against
// moved boards tells them apart by it). True when every controller found was saved.
bool BackupLayout(Session& session, const std::string& folder, std::vector<ModuleResult>& results);

// "Verify All Modules": for each line of DIR/layout.txt, "Verify All" of that module address
// against its data file; goes on past differences. Each controller is asked with the link's
// normal answer wait. A layout.txt or data file that cannot be used is said (naming the file
// and line) before anything is sent. True when every controller compares.
bool VerifyLayout(Session& session, const std::string& folder, const OlderLayoutBase& olderBase,
                  std::vector<ModuleResult>& results);

// "Restore": asks first, naming every controller it will write (number, ID string, data
// file), then for each line of DIR/layout.txt writes the data file with "Write All" and
// verifies it. A controller whose ID string is neither the listed one nor empty (a fresh or
// erased board) is skipped and said. True when every controller was written and compares.
bool RestoreLayout(Session& session, const std::string& folder, const OlderLayoutBase& olderBase,
                   std::vector<ModuleResult>& results);

// The lines that report a result: `Module N "ID": ` and what became of it ("saved as
// module-N.dat", "Verify OK", "does not compare" followed by the findings indented by two
// blanks, "no answer", ...). N as shown; UTF-8, as every report line.
std::vector<std::string> ResultLines(const Session& session, const ModuleResult& result);

// The short word of an outcome for a table: "saved", "compares", "differs", "no answer", ...
const char* OutcomeWord(ModuleOutcome outcome);

} // namespace vexa
