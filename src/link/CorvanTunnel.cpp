// The tunnel path of SendVexaMessage and SendLumoMessage: each request travels inside a
// Corvan frame, and its answer comes back inside the interface's answer to a later poll.
#include "link/AnswerMatch.h"
#include "link/CorvanFrame.h"
#include "link/Exchange.h"
#include "link/LinkMessages.h"
#include "link/PortWait.h"
#include "link/TunnelExchange.h"

#include <optional>

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

// The controller answer in the interface's last frame can be the answer to this request: it
// comes from this module and echoes the request's start where the request has an echo.
bool CanBeAnswer(const LinkState& link, const std::vector<int>& request) {
    if (!IsAnswerForModule(link))
        return false;
    const std::uint8_t control = link.answerBuffer[3];
    const std::size_t firstData = (control & 16) ? 5 : 4;
    return AnswerFitsRequest(request, &link.answerBuffer[firstData], control & 15);
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

// Takes the interface's last frame as the answer when it can be the answer to this request.
bool TakeAnswer(Session& session, const std::vector<int>& request) {
    if (!CanBeAnswer(session.link, request))
        return false;
    BringIntoDirectLayout(session);
    return true;
}

// Notes in the trace a controller answer that is dropped because it cannot answer this request.
void TraceDropped(Session& session) {
    const auto& buffer = session.link.answerBuffer;
    std::string line = "dropped";
    for (std::size_t i = 1; i <= buffer[0] && i < buffer.size(); ++i)
        line += FormatTraceByte(buffer[i]);
    session.trace.append(line + CrLf);
}

} // namespace

TryOutcome SendVexaMessageTunnelled(Session& session, bool expectAnswer, const std::vector<int>& data, bool retryLeft) {
    LinkState& link = session.link;
    std::vector<int> message{0, ModuleAddressCode + link.moduleAddress,
                             link.useXAddress ? TunnelControlXAddress : TunnelControl};
    if (link.useXAddress)
        message.push_back(link.xAddress);
    for (int value : data)
        message.push_back(value & 127);
    if (!SendCorvanFrame(session, message)) {
        if (session.port.isOpen() && !session.progress->stopRequested())
            ReportLinkFault(session, NoValidResponseText);
        return TryOutcome::NotSent;
    }
    if (!expectAnswer) {
        // Handed over. The poll collects the controller's reply, if it has one ready: only a
        // reply of this module counts as an answer, so that a report is never read from a frame
        // of the interface.
        link.answerValid = PollCorvan(session) && TakeAnswer(session, data);
        return TryOutcome::Sent;
    }
    // Wait for the answer while the interface answers polls. A controller answer that cannot be
    // this request's (the late answer to an earlier one) is dropped and the wait goes on; when
    // the time ends with only such answers and no other try follows, the last one is taken, so
    // that the operation's own checks say what was wrong with it.
    const double t0 = session.clock.steadySeconds();
    std::optional<std::array<std::uint8_t, 21>> stray;
    bool interfaceFailed = false;
    for (;;) {
        if (TakeAnswer(session, data)) {
            link.answerValid = true;
            return TryOutcome::Sent;
        }
        if (IsAnswerForModule(link)) {
            TraceDropped(session);
            stray = link.answerBuffer;
        }
        if (session.progress->stopRequested())
            return TryOutcome::Interrupted; // the user stopped the wait: nothing more to say
        if (AnswerTimeOver(session, t0))
            break;
        if (!PollCorvan(session)) {
            if (!session.port.isOpen() || session.progress->stopRequested())
                return TryOutcome::Interrupted; // the port failed and has said so, or the user stopped
            interfaceFailed = true;             // no answer to take, and no other try
            break;
        }
    }
    if (!interfaceFailed && retryLeft)
        return TryOutcome::AnswerMissing;
    if (stray && !interfaceFailed) {
        link.answerBuffer = *stray;
        BringIntoDirectLayout(session);
        link.answerValid = true;
        return TryOutcome::Sent;
    }
    ReportLinkFault(session, NoValidResponseText);
    return TryOutcome::Interrupted;
}

void SendLumoMessageTunnelled(Session& session, int header, int b1, int b2, int b3) {
    SendCorvanFrame(session, {0, (header & 127) / 4 + ModuleAddressCode, b1 & 127, b2 & 127, b3 & 127});
}

} // namespace vexa
