#pragma once

#include "core/Session.h"

namespace vexa {

// Reads the event actions of all pins and the enable map back from the controller and compares
// them with the image, one report line per difference. Goes on past differences; stops (false)
// only when an action read gets no valid answer. An unknown enable map is not compared (one
// line says so); an enable map that could not be read back fails. True when everything compared.
bool VerifyEvents(Session& session);

// The "ECVerify" command: the event verification inside the verify command frame (the report is
// emptied first and ends with the line "Verify OK" when everything compared).
bool RunVerifyEventControl(Session& session);

} // namespace vexa
