#include "link/PortLossText.h"

#include "link/PortWait.h"

namespace vexa {

std::string LostPortNextStep(const PortState& port) {
    if (!port.watched)
        return {};
    return port.followed ? "it opens again by itself when it is plugged back in"
                         : "choose the port again when it is plugged back in";
}

std::string PortStoppedText(const PortState& port) {
    const std::string next = LostPortNextStep(port);
    return "The serial port " + port.name + " stopped working; it may have been unplugged." + CrLf +
           "The port has been closed" + (next.empty() ? "" : "; " + next) + ".";
}

std::string PortRemovedText(const PortState& port) {
    const std::string next = LostPortNextStep(port);
    return "The serial port " + port.name + " was removed" + (next.empty() ? "" : "; " + next) + ".";
}

} // namespace vexa
