#pragma once

#include "core/Session.h"

namespace vexa {

// Lowest protocol version of a Corvan system that carries controller messages.
inline constexpr int LowestTunnelProtocol = 3200;

// Interface types of the Corvan system as the interface type query reports them.
enum CorvanInterfaceType { CorvanHubo = 2, CorvanTesk = 3, CorvanBrix = 10 };

// The check run when "Use Corvan Tunneling" is switched on with the port open: the interface
// must answer and report a protocol version of 3.200 or later. False (with its message, where
// there is one) when the tunnel cannot be used.
bool CheckCorvanTunnel(Session& session);

// "Activate Transparent Mode": asks the interface to pass the controller's frames through
// unchanged, when its type and firmware can. Every refusal is told; true when activated.
bool ActivateTransparentMode(Session& session);

} // namespace vexa
