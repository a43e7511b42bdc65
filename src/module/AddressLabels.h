#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// The address labels of the pin page for one pin (0..31): its serial address, its address as
// module.pin (or module.eXtended.pin), its first basic DCC output and its first extended DCC
// output; "-" where the pin has none.
std::string SerialAddressLabel(const Session& session, int pin);
std::string PinAddressLabel(const Session& session, int pin);
std::string DccAddressLabel(const Session& session, int pin);
std::string XDccAddressLabel(const Session& session, int pin);

} // namespace vexa
