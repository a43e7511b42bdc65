#include "link/PortSetup.h"

#include "link/Exchange.h"

namespace vexa {

namespace {

void CloseIfOpen(PortState& state) {
    if (state.isOpen())
        state.port->close();
}

// Makes and opens the port named in session.port.name with the current settings.
bool OpenChosenPort(Session& session) {
    PortState& state = session.port;
    ResetFrameToggle(session);
    state.port = session.ports.makePort(state.name);
    std::string reason;
    if (!state.port)
        reason = "there is no such port";
    else if (!state.port->setSettings(state.settings) || !state.port->open(state.name))
        reason = state.port->errorString();
    else
        return true;
    state.port.reset();
    session.prompter.ask(MessageKind::OkError, "The serial port " + state.name + " could not be opened" +
                                                   (reason.empty() ? "" : ": " + reason));
    return false;
}

} // namespace

int BitRateIndex(const std::string& settings) {
    for (std::size_t i = 0; i < BitRateSettings.size(); ++i)
        if (settings == BitRateSettings[i])
            return static_cast<int>(i);
    return -1;
}

void ScanPorts(Session& session) {
    session.port.available = session.ports.scanPorts();
}

bool SelectPort(Session& session, const std::string& name) {
    PortState& state = session.port;
    CloseIfOpen(state);
    state.port.reset();
    state.name = name;
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

void RefreshPorts(Session& session) {
    CloseIfOpen(session.port);
    session.port.port.reset();
    session.port.name.clear();
    ScanPorts(session);
}

} // namespace vexa
