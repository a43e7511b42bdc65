// The tunnel path of SendVexaMessage and SendLumoMessage: each request travels inside a
// Corvan frame, and its answer comes back inside the interface's answer to a later poll.
#include "link/CorvanFrame.h"
#include "link/LinkMessages.h"
#include "link/PortWait.h"
#include "link/TunnelExchange.h"

namespace vexa {

namespace {

constexpr int ModuleAddressCode = 96;
constexpr int TunnelControl = 96;          // bidirectional, no eXtended Address byte
constexpr int TunnelControlXAddress = 112; // bidirectional, with the eXtended Address byte
const char* const NoValidResponseText = "No valid response received";

// The interface's last frame is a controller answer from this module.
bool IsAnswerForModule(const LinkState& link) {
    const auto& buffer = link.answerBuffer;
    return buffer[1] == 0 && buffer[0] > 3 && buffer[2] == ModuleAddressCode + link.moduleAddress;
}

// Moves the controller answer of a Corvan frame into the layout of a direct answer: header,
// control byte, data bytes from [2]. A wrong or unexpected eXtended Address byte is told, and
// the answer then carries no data bytes ([1] = 0).
void BringIntoDirectLayout(Session& session) {
    LinkState& link = session.link;
    auto& buffer = link.answerBuffer;
    const std::uint8_t control = buffer[3];
    const int xByte = buffer[4] & 127;
    std::size_t from = 4; // first data byte
    bool carriesData = true;
    if (control & 16) {
        from = 5;
        if (!link.useXAddress) {
            ReportLinkFault(session, UnexpectedXAddressText(xByte));
            carriesData = false;
        } else if (xByte != link.xAddress) {
            ReportLinkFault(session, IncorrectXAddressText(xByte, link.xAddress));
            carriesData = false;
        }
    }
    buffer[0] = static_cast<std::uint8_t>((buffer[2] & 31) * 4 + 3);
    buffer[1] = carriesData ? control : 0;
    if (!carriesData)
        return;
    for (std::size_t i = 2; i <= 16; ++i)
        buffer[i] = buffer[i + from - 2];
}

// Takes the interface's last frame as the answer when it is one from this module.
bool TakeAnswer(Session& session) {
    if (!IsAnswerForModule(session.link))
        return false;
    BringIntoDirectLayout(session);
    return true;
}

} // namespace

bool SendVexaMessageTunnelled(Session& session, bool expectAnswer, const std::vector<int>& data) {
    LinkState& link = session.link;
    std::vector<int> message{0, ModuleAddressCode + link.moduleAddress,
                             link.useXAddress ? TunnelControlXAddress : TunnelControl};
    if (link.useXAddress)
        message.push_back(link.xAddress);
    for (int value : data)
        message.push_back(value & 127);
    if (!SendCorvanFrame(session, message)) {
        if (session.port.isOpen())
            ReportLinkFault(session, NoValidResponseText);
        return false;
    }
    if (!expectAnswer) {
        // Handed over. The poll collects the controller's reply, if it has one ready: only a
        // reply of this module counts as an answer, so that a report is never read from a frame
        // of the interface.
        link.answerValid = PollCorvan(session) && TakeAnswer(session);
        return true;
    }
    const double t0 = session.clock.secondsOfDay();
    for (;;) {
        if (TakeAnswer(session)) {
            link.answerValid = true;
            return true;
        }
        if (AnswerTimeOver(session, t0) || session.progress->stopRequested() || !PollCorvan(session))
            break;
    }
    if (session.port.isOpen())
        ReportLinkFault(session, NoValidResponseText);
    return false;
}

void SendLumoMessageTunnelled(Session& session, int header, int b1, int b2, int b3) {
    SendCorvanFrame(session, {0, (header & 127) / 4 + ModuleAddressCode, b1 & 127, b2 & 127, b3 & 127});
}

} // namespace vexa
