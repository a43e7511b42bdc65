#pragma once

#include "core/Session.h"

namespace vexa {

// Reads every pin's stored configuration back from the controller and compares it with the
// image, one report line per difference. True when every pin was read and nothing differed.
// Stops at once (false) when an answer is missing or a type, layout or step answer is malformed.
bool VerifyPins(Session& session);

// The "VerifyAllPins" command: the pin verification inside the verify command frame (the report
// is emptied first and ends with "Verify OK", without a line end, when everything compared).
bool RunVerifyAllPins(Session& session);

} // namespace vexa
