#include "link/Exchange.h"

#include "link/AnswerMatch.h"
#include "link/ExchangeTry.h"
#include "link/LinkMessages.h"
#include "link/PortWait.h"
#include "link/TunnelExchange.h"

#include <optional>

namespace vexa {

namespace {

// Sends the preamble and the empty toggle-0 frame when the link is not synchronised.
bool SynchroniseIfNeeded(Session& session, const std::vector<std::uint8_t>& emptyFrame) {
    if (session.link.frameToggle != ToggleUnsynchronised)
        return true;
    if (!ResyncLink(session) || !WriteBytes(session, emptyFrame))
        return false;
    session.link.frameToggle = 64;
    return true;
}

std::string InvalidResponseText(const LinkState& link, int h0) {
    return "Invalid response received, " + std::string(CrLf) +
           "Received: Addr = " + std::to_string(link.answerBuffer[0]) +
           " Header = " + std::to_string(link.answerBuffer[1]) + CrLf + "Expected: Addr = " + std::to_string(h0) +
           " Header > 95 ";
}

// The checks of a received direct answer, in order: the message of the first that fails, or
// empty when the answer passes them all.
std::string AnswerFault(const LinkState& link, int header, int h0) {
    const auto& answer = link.answerBuffer;
    const bool hasXAddress = (answer[1] & 16) != 0;
    if (answer[1] < 96 || answer[0] != header)
        return InvalidResponseText(link, h0);
    if (hasXAddress && !link.useXAddress)
        return UnexpectedXAddressText(answer[2] & 127);
    if (!hasXAddress && link.useXAddress)
        return "eXtended Address Byte expected";
    if (hasXAddress && (answer[2] & 127) != link.xAddress)
        return IncorrectXAddressText(answer[2] & 127, link.xAddress);
    return {};
}

// The received frame in the answer buffer, as trace text: header, control byte, eXtended
// Address byte and data bytes.
std::string FrameTraceText(const LinkState& link) {
    const auto& answer = link.answerBuffer;
    const int count = (answer[1] & 15) + ((answer[1] & 16) ? 1 : 0);
    std::string text = FormatTraceByte(answer[0]);
    for (int i = 1; i <= 1 + count; ++i)
        text += FormatTraceByte(answer[static_cast<std::size_t>(i)]);
    return text;
}

// Whether the frame in the answer buffer can be the answer to this request: the request's header
// (toggle included) back, a control byte of 96 or more, and the echo of the request's start.
bool CanBeAnswer(const LinkState& link, int header, const std::vector<int>& request) {
    const auto& answer = link.answerBuffer;
    if (answer[0] != header || answer[1] < 96)
        return false;
    const std::size_t firstData = (answer[1] & 16) ? 3 : 2;
    return AnswerFitsRequest(request, &answer[firstData], answer[1] & 15);
}

enum class Received { Frame, TimedOut, Stopped, PortFailed };

// Collects one direct frame with a correct check byte into the answer buffer, until the answer
// time counted from t0 is over.
Received ReceiveFrame(Session& session, double t0) {
    auto& answer = session.link.answerBuffer;
    int state = 0; // 0 waiting for a header, 1 for the control byte, then the next index to fill
    int remaining = 0;
    unsigned sum = 0;
    for (;;) {
        const WaitResult waited = WaitForByte(session, t0);
        if (waited == WaitResult::TimedOut)
            return Received::TimedOut;
        if (waited == WaitResult::Stopped)
            return Received::Stopped;
        const int read = waited == WaitResult::Byte ? session.port.port->readByte() : -1;
        if (read < 0) {
            ReportPortFailure(session);
            return Received::PortFailed;
        }
        const auto byte = static_cast<std::uint8_t>(read);
        if (byte < 128) { // a header always starts a new frame
            answer[0] = byte;
            sum = byte;
            state = 1;
            remaining = 0;
            continue;
        }
        if (state == 0)
            continue;
        sum += byte & 127u;
        if (state == 1) {
            answer[1] = byte & 127;
            remaining = (byte & 15) + ((byte & 16) ? 1 : 0);
            state = 2;
        } else if (remaining > 0) {
            answer[static_cast<std::size_t>(state)] = byte & 127;
            ++state;
            --remaining;
        } else if ((sum & 127u) != 0) {
            state = 0; // bad check byte: drop the frame and keep waiting
        } else {
            return Received::Frame;
        }
    }
}

// Waits for the answer to this request until the answer time is over. A frame that cannot be
// its answer (a late answer to an earlier request or try, above all) is dropped, noted in the
// trace, and the wait goes on. When the time ends with only such frames and no other try
// follows, the last of them is taken as the answer, so that the answer checks say what was
// wrong with it, as they would have at once.
Received AwaitAnswer(Session& session, int header, const std::vector<int>& request, bool retryLeft) {
    LinkState& link = session.link;
    const double t0 = session.clock.steadySeconds();
    std::optional<std::array<std::uint8_t, 21>> stray;
    for (;;) {
        const Received received = ReceiveFrame(session, t0);
        if (received == Received::Frame && CanBeAnswer(link, header, request))
            return received;
        if (received == Received::Frame) {
            session.trace.append("dropped" + FrameTraceText(link) + CrLf);
            link.noteStrayHeader(link.answerBuffer[0]);
            stray = link.answerBuffer;
            continue;
        }
        if (received == Received::TimedOut && stray && !retryLeft) {
            link.answerBuffer = *stray;
            return Received::Frame;
        }
        return received;
    }
}

// Removes the eXtended Address byte so that the data bytes start at [2].
void DropXAddressByte(LinkState& link) {
    const int count = link.answerBuffer[1] & 15;
    for (int i = 2; i < 2 + count; ++i)
        link.answerBuffer[static_cast<std::size_t>(i)] = link.answerBuffer[static_cast<std::size_t>(i + 1)];
}

} // namespace

std::string FormatTraceByte(std::uint8_t byte) {
    static const char* const digits = "0123456789ABCDEF";
    std::string text = " [";
    text += digits[byte >> 4];
    text += digits[byte & 15];
    text += ']';
    return text;
}

std::uint8_t FrameCheckByte(unsigned sum) {
    unsigned check = (256 - sum % 256) % 256;
    if (check < 128)
        check += 128;
    return static_cast<std::uint8_t>(check);
}

std::vector<std::uint8_t> WithCheckByte(std::vector<std::uint8_t> frame) {
    unsigned sum = 0;
    for (std::uint8_t byte : frame)
        sum += byte;
    frame.push_back(FrameCheckByte(sum));
    return frame;
}

bool ResyncLink(Session& session) {
    if (!session.port.isOpen())
        return false;
    return WriteBytes(session, {0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA, 0xAA});
}

bool ReceiveAnswer(Session& session) {
    if (!session.port.isOpen())
        return false;
    return ReceiveFrame(session, session.clock.steadySeconds()) == Received::Frame;
}

TryOutcome ExchangeOnce(Session& session, bool expectAnswer, const std::vector<int>& data, bool retryLeft) {
    LinkState& link = session.link;
    link.answerValid = false;
    const int n = static_cast<int>(data.size());
    if (n >= 16) {
        session.tell("SendVexaMessage: Message Size Overrun, size = " + std::to_string(n));
        return TryOutcome::NotSent;
    }
    if (LinkHalted(session))
        return TryOutcome::NotSent; // stopped by the user (or, on the command line, by a fault)
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return TryOutcome::NotSent;
    }
    if (link.useCorvan)
        return SendVexaMessageTunnelled(session, expectAnswer, data, retryLeft);
    if (!DiscardStaleInput(session))
        return TryOutcome::NotSent;

    const int h0 = link.moduleAddress * 4 + 3;
    if (!SynchroniseIfNeeded(session, {static_cast<std::uint8_t>(h0), 0xC0, static_cast<std::uint8_t>(0xC0 - h0)}))
        return TryOutcome::NotSent;

    const int header = link.frameToggle + h0;
    const int control = 128 + 64 + (link.bidirectional ? 32 : 0) + (link.useXAddress ? 16 : 0) + n;
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(header), static_cast<std::uint8_t>(control)};
    std::string traced = "> " + FormatTraceByte(static_cast<std::uint8_t>(header)) +
                         FormatTraceByte(static_cast<std::uint8_t>(control - 128));
    if (link.useXAddress) {
        frame.push_back(static_cast<std::uint8_t>(link.xAddress + 128));
        traced += FormatTraceByte(static_cast<std::uint8_t>(link.xAddress));
    }
    for (int value : data) {
        frame.push_back(static_cast<std::uint8_t>((value & 127) + 128));
        traced += FormatTraceByte(static_cast<std::uint8_t>(value & 127));
    }
    session.trace.append(traced + CrLf);
    if (!WriteBytes(session, WithCheckByte(std::move(frame))))
        return TryOutcome::NotSent;

    if (!link.bidirectional) {
        link.frameToggle = (link.frameToggle + 64) & 127;
        return TryOutcome::Sent;
    }
    // Each try is a frame of its own: the next one carries the other toggle, so that a late
    // answer to this one is told apart from the next one's answer.
    const Received received = AwaitAnswer(session, header, data, retryLeft);
    link.frameToggle = (link.frameToggle + 64) & 127;
    switch (received) {
    case Received::PortFailed: // the port failed and has said so
    case Received::Stopped:    // the user stopped the operation: nothing more to say
        return TryOutcome::Interrupted;
    case Received::TimedOut:
        if (retryLeft)
            return TryOutcome::AnswerMissing;
        ReportLinkFault(session, NoResponseResetText);
        link.bidirectional = false;
        link.bidirectionalLost = true;
        return TryOutcome::Sent;
    case Received::Frame:
        break;
    }
    session.trace.append("< " + FrameTraceText(link) + CrLf);
    const std::string fault = AnswerFault(link, header, h0);
    if (!fault.empty() && retryLeft)
        return TryOutcome::AnswerMissing;
    if (!fault.empty())
        ReportLinkFault(session, fault);
    link.answerValid = fault.empty();
    if (link.answerValid && (link.answerBuffer[1] & 16))
        DropXAddressByte(link);
    return TryOutcome::Sent;
}

void SendLumoMessage(Session& session, int header, int b1, int b2, int b3) {
    if (LinkHalted(session))
        return;
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return;
    }
    if (session.link.useCorvan) {
        SendLumoMessageTunnelled(session, header, b1, b2, b3);
        return;
    }
    const auto a = static_cast<std::uint8_t>(header & 127);
    if (!SynchroniseIfNeeded(session, {a, 0x80, 0x80, 0x80, FrameCheckByte(a + 3u * 0x80)}))
        return;
    std::vector<std::uint8_t> frame{a, static_cast<std::uint8_t>((b1 & 127) + 128),
                                    static_cast<std::uint8_t>((b2 & 127) + 128),
                                    static_cast<std::uint8_t>((b3 & 127) + 128)};
    session.trace.append("> " + FormatTraceByte(a) + FormatTraceByte(static_cast<std::uint8_t>(b1 & 127)) +
                         FormatTraceByte(static_cast<std::uint8_t>(b2 & 127)) +
                         FormatTraceByte(static_cast<std::uint8_t>(b3 & 127)) + CrLf);
    WriteBytes(session, WithCheckByte(std::move(frame)));
}

} // namespace vexa
