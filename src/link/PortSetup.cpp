#include "link/PortSetup.h"

#include "link/Exchange.h"
#include "link/PortAccessText.h"
#include "link/PortList.h"

#include <algorithm>

namespace vexa {

namespace {

void CloseIfOpen(PortState& state) {
    if (state.isOpen())
        state.port->close();
}

// Makes and opens the port named in session.port.name with the current settings. On failure
// the port is left closed and `failure` says why.
bool TryOpenChosenPort(Session& session, std::string& failure) {
    PortState& state = session.port;
    ResetFrameToggle(session);
    state.port = session.ports.makePort(state.name);
    std::string reason;
    bool denied = false;
    if (!state.port)
        reason = "there is no such port";
    else if (!state.port->setSettings(state.settings) || !state.port->open(state.name)) {
        reason = state.port->errorString();
        denied = state.port->accessDenied();
    } else {
        ++state.openings; // a controller found on a port opened again may be another one
        return true;
    }
    state.port.reset();
    failure =
        PortOpenFailureText(state.name, reason, denied, denied ? session.ports.accessOf(state.name) : PortAccess{},
                            denied ? session.ports.holderOf(state.name) : std::string());
    return false;
}

bool OpenChosenPort(Session& session) {
    std::string failure;
    if (TryOpenChosenPort(session, failure))
        return true;
    session.prompter.ask(MessageKind::OkError, failure);
    return false;
}

} // namespace

std::string SerialNumberOf(const std::vector<PortInfo>& ports, const std::string& name) {
    for (const PortInfo& port : ports)
        if (port.name == name)
            return port.serialNumber;
    return {};
}

std::string PortOfSerialNumber(const std::vector<PortInfo>& ports, const std::string& serialNumber) {
    if (serialNumber.empty())
        return {};
    for (const PortInfo& port : ports)
        if (port.serialNumber == serialNumber)
            return port.name;
    return {};
}

int BitRateIndex(const std::string& settings) {
    for (std::size_t i = 0; i < BitRateSettings.size(); ++i)
        if (settings == BitRateSettings[i])
            return static_cast<int>(i);
    return -1;
}

void ScanPorts(Session& session) {
    std::vector<PortInfo> ports = session.ports.listPorts();
    SortPorts(ports);
    session.port.available.clear();
    for (const PortInfo& port : ports)
        session.port.available.push_back(port.name);
    session.port.listed = std::move(ports);
}

bool SelectPort(Session& session, const std::string& name) {
    PortState& state = session.port;
    CloseIfOpen(state);
    state.port.reset();
    state.name = name;
    state.serialNumber = SerialNumberOf(state.listed, name);
    state.followed = std::find(state.available.begin(), state.available.end(), name) != state.available.end();
    state.lost = false;
    if (name.empty())
        return true;
    return OpenChosenPort(session);
}

bool ChooseBitRate(Session& session, int index) {
    if (index < 0 || index >= static_cast<int>(BitRateSettings.size()))
        return false;
    PortState& state = session.port;
    CloseIfOpen(state);
    state.settings = BitRateSettings[static_cast<std::size_t>(index)];
    if (state.name.empty())
        return true;
    return OpenChosenPort(session);
}

bool ReopenChosenPort(Session& session, std::string& failure) {
    PortState& state = session.port;
    if (state.name.empty()) {
        failure = "No port is chosen";
        return false;
    }
    if (state.isOpen())
        state.port->close();
    return TryOpenChosenPort(session, failure);
}

void RefreshPorts(Session& session) {
    CloseIfOpen(session.port);
    session.port.port.reset();
    session.port.name.clear();
    session.port.serialNumber.clear();
    session.port.lost = false;
    ScanPorts(session);
}

} // namespace vexa
