#pragma once

#include "core/Session.h"

#include <vector>

namespace vexa {

// The tunnel path of SendVexaMessage and SendLumoMessage, taken while "Use Corvan Tunneling"
// is on. The data bytes are those of the direct request.
bool SendVexaMessageTunnelled(Session& session, bool expectAnswer, const std::vector<int>& data);
void SendLumoMessageTunnelled(Session& session, int header, int b1, int b2, int b3);

} // namespace vexa
