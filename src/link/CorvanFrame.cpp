#include "link/CorvanFrame.h"

#include "link/Exchange.h"
#include "link/PortWait.h"

namespace vexa {

namespace {

constexpr std::size_t CorvanBufferEnd = 20; // [0 .. 19] are cleared for each frame

// What the receiver makes of one byte.
struct FrameCollector {
    std::array<std::uint8_t, 21>& buffer;
    std::string line;
    bool inFrame = false;
    int count = 0;
    int remaining = 0;
    std::size_t index = 0;

    void clear() {
        for (std::size_t i = 0; i < CorvanBufferEnd; ++i)
            buffer[i] = 0;
    }

    // True when the byte completed a frame.
    bool take(std::uint8_t byte) {
        if (byte < 128) { // a header always starts a new frame
            clear();
            count = CorvanCount(byte);
            inFrame = count <= CorvanMaxCount; // a longer frame cannot be stored: dropped
            line = "<< " + FormatTraceByte(byte);
            buffer[0] = inFrame ? byte : 0;
            remaining = count;
            index = 1;
            return false;
        }
        if (!inFrame)
            return false;
        buffer[index++] = byte & 127;
        if (remaining > 0)
            line += FormatTraceByte(byte & 127);
        return --remaining < 0; // that was the check byte
    }

    bool checkSumFits() const {
        unsigned sum = 0;
        for (std::size_t i = 0; i < index; ++i)
            sum += buffer[i];
        return (sum & 127u) == 0;
    }
};

} // namespace

std::uint8_t CorvanHeader(int count, int toggle) {
    int header = 0;
    if (count < 8)
        header = 0x28 + count;
    else if (count < 16)
        header = count - 8;
    else
        header = count; // 16..23: bit 4 set, bit 3 clear
    return static_cast<std::uint8_t>((header & 63) | (toggle ? 64 : 0));
}

int CorvanCount(std::uint8_t header) {
    if (header & 8)
        return header & 7;
    return 8 + ((header & 16) ? 8 : 0) + (header & 7);
}

std::vector<std::uint8_t> EncodeCorvanFrame(int toggle, const std::vector<int>& values) {
    std::vector<std::uint8_t> frame{CorvanHeader(static_cast<int>(values.size()), toggle)};
    unsigned sum = frame[0];
    for (int value : values) {
        frame.push_back(static_cast<std::uint8_t>((value & 127) + 128));
        sum += frame.back();
    }
    frame.push_back(FrameCheckByte(sum));
    return frame;
}

int CorvanVersion(int v1, int v2) {
    return (v1 / 8) * 1000 + (v1 & 7) * 100 + (v2 / 8) * 10 + (v2 & 7);
}

bool SendCorvanFrame(Session& session, const std::vector<int>& values) {
    LinkState& link = session.link;
    const int count = static_cast<int>(values.size());
    if (count > CorvanMaxCount) {
        session.tell("SendCorvanFrame: Message Size Overrun, size = " + std::to_string(count));
        return false;
    }
    if (!DiscardStaleInput(session))
        return false;
    const std::vector<std::uint8_t> frame = EncodeCorvanFrame(link.corvanToggle, values);
    std::string line = ">> " + FormatTraceByte(frame[0]);
    for (int value : values)
        line += FormatTraceByte(static_cast<std::uint8_t>(value & 127));
    if (!WriteBytes(session, frame))
        return false;
    if (count > 0) // polls are not traced
        session.trace.append(line + CrLf);
    link.corvanToggle = 1 - link.corvanToggle;
    if (!ReceiveCorvanFrame(session).empty())
        return true;
    // Else the port failed and has said so, or the user stopped the wait.
    if (session.port.isOpen() && !session.progress->stopRequested())
        ReportLinkFault(session, "No answer from Corvan", MessageKind::OkWarning);
    return false;
}

std::string ReceiveCorvanFrame(Session& session) {
    FrameCollector frame{session.link.answerBuffer, {}};
    frame.clear();
    const double t0 = session.clock.steadySeconds();
    bool complete = false;
    while (!complete) {
        const WaitResult waited = WaitForByte(session, t0);
        if (waited == WaitResult::TimedOut || waited == WaitResult::Stopped)
            break;
        const int read = waited == WaitResult::Byte ? session.port.port->readByte() : -1;
        if (read < 0) {
            ReportPortFailure(session);
            return {};
        }
        complete = frame.take(static_cast<std::uint8_t>(read));
    }
    auto& buffer = session.link.answerBuffer;
    if (complete && !frame.checkSumFits()) {
        ReportLinkFault(session,
                        "Checksum Error" + std::string(CrLf) + "Size = " + std::to_string(frame.count) + frame.line);
        buffer[0] = 0;
        return {};
    }
    if (complete)
        buffer[0] = static_cast<std::uint8_t>(frame.count);
    if (buffer[0] != 0)
        session.trace.append(frame.line + CrLf);
    return complete ? frame.line : std::string();
}

} // namespace vexa
