#include "link/TunnelExchange.h"

#include "link/Exchange.h"

namespace vexa {

// The Corvan interface is not supported yet; the tunnel box cannot be switched on, so these
// are reached only by a caller that sets the flag itself. They fail plainly.
bool SendVexaMessageTunnelled(Session& session, bool, const std::vector<int>&) {
    session.link.answerValid = false;
    if (!DiscardStaleInput(session))
        return false;
    session.tell("No valid response received");
    return false;
}

void SendLumoMessageTunnelled(Session& session, int, int, int, int) {
    if (!DiscardStaleInput(session))
        return;
    session.tell("No valid response received");
}

} // namespace vexa
