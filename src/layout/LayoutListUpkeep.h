#pragma once

#include "core/Session.h"
#include "layout/LayoutFile.h"

#include <string>
#include <vector>

namespace vexa {

// A backup is about to replace the data file `written` names with the backup of its module. A
// layout.txt left in the folder by an earlier backup may give that same file to another module:
// one made with the other numbering base (module-3.dat is the board at 2 numbered from 1, the
// board at 3 numbered from 0), or one in the older form, whose base is not recorded. Its lines
// that do are dropped (the list is removed when none is left, or when it is in the older form),
// so that a restore never writes one board's backup onto another, even when this backup stops
// before it lists its own files. What was dropped is added to `notes` for the user. False when
// the list could not be put right (said so): the data file must then stay as it is.
bool ForgetFileListedForAnotherModule(Session& session, const std::string& folder, const LayoutEntry& written,
                                      std::vector<std::string>& notes);

} // namespace vexa
