#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// The module settings of the image as lines of text (LF line ends), numbers as the window
// shows them: what the command line prints after reading them.
std::string ModuleSettingsSummary(const Session& session);

} // namespace vexa
