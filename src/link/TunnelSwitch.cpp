#include "link/TunnelSwitch.h"

#include "link/CorvanSetup.h"
#include "link/LinkAddress.h"

namespace vexa {

bool SwitchTunnelling(Session& session, bool checked) {
    LinkState& link = session.link;
    link.useCorvan = false;
    if (!checked) {
        ReapplyModuleAddress(session);
        return false;
    }
    if (!session.port.isOpen()) {
        session.prompter.ask(MessageKind::OkWarning, "Select communications port");
        return false;
    }
    link.useCorvan = CheckCorvanTunnel(session);
    return link.useCorvan;
}

} // namespace vexa
