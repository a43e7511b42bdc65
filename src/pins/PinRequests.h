#pragma once

#include "core/Session.h"
#include "link/RequestTable.h"

#include <vector>

namespace vexa {

// Sends a read request; true when a valid answer came (the link has reported any fault).
bool AskController(Session& session, const std::vector<int>& request);

// Shows the stage of a run over all pins and how far it has come (pin + 1 of 32).
void ReportPinProgress(Session& session, const char* stage, int pin);

} // namespace vexa
