#include "link/RememberedLink.h"

#include "link/LinkAddress.h"
#include "link/PortSetup.h"

#include <algorithm>
#include <filesystem>

namespace vexa {

RememberedLink RememberLink(const Session& session) {
    RememberedLink link;
    link.port = session.port.name;
    link.serialNumber = session.port.serialNumber;
    link.settings = session.port.settings;
    link.moduleAddress = session.link.moduleAddress;
    link.bidirectional = session.link.bidirectional;
    link.numberingBase = session.numberingBase;
    link.retries = session.link.retryLimit;
    return link;
}

std::string RestoreLink(Session& session, const RememberedLink& link) {
    SetNumberingBase(session, link.numberingBase == 1);
    session.link.bidirectional = link.bidirectional;
    session.link.retryLimit = std::clamp(link.retries, 0, MaxRetries);
    SetModuleAddress(session, link.moduleAddress);
    const int rate = BitRateIndex(link.settings);
    if (rate >= 0)
        session.port.settings = link.settings;
    if (link.port.empty())
        return {};

    std::string name = PortOfSerialNumber(session.port.listed, link.serialNumber);
    if (name.empty())
        name = link.port;
    const auto& names = session.port.available;
    std::error_code error;
    // A device the system does not list may have been typed in; it is opened when it is there.
    if (std::find(names.begin(), names.end(), name) == names.end() && !std::filesystem::exists(name, error)) {
        session.port.name = name;
        session.port.serialNumber = link.serialNumber;
        session.port.lost = true;
        return "The serial port " + name + " chosen last time is not there; it opens by itself when it is plugged in.";
    }
    SelectPort(session, name);
    if (session.port.serialNumber.empty())
        session.port.serialNumber = link.serialNumber;
    return {};
}

} // namespace vexa
