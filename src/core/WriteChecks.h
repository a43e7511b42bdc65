#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// Refuses a write whose values the wire cannot carry: when the problem is not empty it is shown
// (error box) and the result is true, so that the caller sends nothing of that write.
bool RefusedUnsendable(Session& session, const std::string& problem);

// Says in one line (information box) that a write leaves a value the tool does not know on the
// controller as it is.
void SayLeftAsItIs(Session& session, const std::string& text);

} // namespace vexa
