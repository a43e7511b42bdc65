#pragma once

#include "core/Session.h"

namespace vexa {

// True when the pin's referral leads to a head pin, the pin that carries a device; otherwise
// shows "Referral is not a device". Saving a device and writing one both start here.
bool CheckDeviceHead(Session& session, int pin);

} // namespace vexa
