#include "link/CorvanSetup.h"

#include "link/CorvanFrame.h"
#include "link/Exchange.h"
#include "link/PortWait.h"

#include <string>

namespace vexa {

namespace {

const std::vector<int> ProtocolVersionQuery{1, 2};
const std::vector<int> InterfaceTypeQuery{1, 10};
const std::vector<int> TransparentModeCommand{1, 5, 16};
const char* const NotSupportedText = "Your system does not support this function";

// A transparent-mode candidate: the text shown once it is active, the highest firmware
// version that cannot do it (-1: every version can) and the refusal for older firmware.
struct InterfaceKind {
    int type;
    const char* activatedText;
    int highestRefusedFirmware;
    const char* refusedText;
};

const InterfaceKind InterfaceKinds[] = {
    {CorvanHubo, "Your Hubo has been put in Transparent Mode", 1019, "Your Hubo does not support this function"},
    {CorvanTesk, "Your Tesk has been put in Transparent Mode", -1, ""},
    {CorvanBrix, "Your Brix has been put in Transparent Mode", 1029, "Your Brix does not support this function"},
};

const InterfaceKind* KindOf(int type) {
    for (const InterfaceKind& kind : InterfaceKinds)
        if (kind.type == type)
            return &kind;
    return nullptr;
}

// The last frame answers the query `query` with `count` data bytes.
bool Answers(const LinkState& link, const std::vector<int>& query, int count) {
    const auto& buffer = link.answerBuffer;
    return buffer[0] == count && buffer[1] == query[0] && buffer[2] == query[1];
}

// Protocol version of an answer to the protocol version query.
int ProtocolVersion(const LinkState& link) {
    return CorvanVersion(link.answerBuffer[3], link.answerBuffer[4]);
}

void Warn(Session& session, const std::string& text) {
    session.prompter.ask(MessageKind::OkWarning, text);
}

// Polls once more, then warns: the interface is left in its normal state.
bool PollAndRefuse(Session& session, const std::string& text) {
    PollCorvan(session);
    Warn(session, text);
    return false;
}

} // namespace

bool CheckCorvanTunnel(Session& session) {
    session.link.corvanToggle = 1;
    if (!PollCorvan(session) || !SendCorvanFrame(session, ProtocolVersionQuery))
        return false;
    bool accepted = false;
    if (!Answers(session.link, ProtocolVersionQuery, 4)) {
        Warn(session, NotSupportedText);
    } else {
        const int version = ProtocolVersion(session.link);
        accepted = version >= LowestTunnelProtocol;
        if (!accepted)
            Warn(session, NotSupportedText + std::string(CrLf) + "Protocol = " + std::to_string(version / 1000) + "." +
                              std::to_string(version % 1000));
    }
    PollCorvan(session);
    return accepted;
}

bool ActivateTransparentMode(Session& session) {
    if (!session.port.isOpen()) {
        Warn(session, "Select communications port");
        return false;
    }
    if (!PollCorvan(session) || !SendCorvanFrame(session, ProtocolVersionQuery))
        return false;
    if (Answers(session.link, ProtocolVersionQuery, 4) && ProtocolVersion(session.link) >= LowestTunnelProtocol) {
        PollCorvan(session);
        if (!session.prompter.ask(MessageKind::YesNo, "Your Corvan system supports Vexa Tunneling" + std::string(CrLf) +
                                                          "We recommend to use the Corvan Tunneling option instead" +
                                                          CrLf + "Do you still want to activate Transparant Mode?"))
            return false;
    }
    if (!SendCorvanFrame(session, InterfaceTypeQuery))
        return false;
    if (!Answers(session.link, InterfaceTypeQuery, 5))
        return PollAndRefuse(session, NotSupportedText);
    const auto& buffer = session.link.answerBuffer;
    const InterfaceKind* kind = KindOf(buffer[3]);
    if (!kind)
        return PollAndRefuse(session, NotSupportedText);
    if (CorvanVersion(buffer[4], buffer[5]) <= kind->highestRefusedFirmware)
        return PollAndRefuse(session, kind->refusedText);
    if (!SendCorvanFrame(session, TransparentModeCommand))
        return false;
    // From now on the interface passes the direct frames through: start them afresh.
    ResetFrameToggle(session);
    session.prompter.ask(MessageKind::OkInformation, kind->activatedText);
    return true;
}

} // namespace vexa
