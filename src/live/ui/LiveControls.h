#pragma once

#include "core/OperationRunner.h"
#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <vector>

namespace vexa {

class PinPage;

// Puts the live controls on the pin page: the aspect "Test" button beside the aspect fields and
// the PWM and servo live panels at the foot of their type pages. Returns the views the window
// refreshes after each operation.
std::vector<SessionView*> AddLiveControls(Session& session, OperationRunner& runner, PinPage& page);

} // namespace vexa
