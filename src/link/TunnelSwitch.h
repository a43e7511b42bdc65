#pragma once

#include "core/Session.h"

namespace vexa {

// "Use Corvan Tunneling" clicked into the state `checked`. Switching on needs an open port and
// a passed tunnel check; the module address may then go up to 31. Switching off brings the
// address back within 15 and resynchronises the direct link. Returns whether the tunnel is on.
bool SwitchTunnelling(Session& session, bool checked);

} // namespace vexa
