#pragma once

#include "core/Session.h"
#include "link/ExchangeTry.h"

#include <vector>

namespace vexa {

// The tunnel path of SendVexaMessage and SendLumoMessage, taken while "Use Corvan Tunneling"
// is on. The data bytes are those of the direct request. With `retryLeft`, a controller answer
// that does not come while the interface answers is not told: the caller tries again (a fault
// of the interface itself is told, and ends the exchange).
TryOutcome SendVexaMessageTunnelled(Session& session, bool expectAnswer, const std::vector<int>& data, bool retryLeft);
void SendLumoMessageTunnelled(Session& session, int header, int b1, int b2, int b3);

} // namespace vexa
