#pragma once

#include "core/Session.h"
#include "link/PortWait.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// Frames a request of up to 15 data bytes (each 0..127), sends it and, when "Bidirectional
// Comm." is on (or on the tunnel, when expectAnswer is set), waits for the answer (up to
// LinkState::answerTimeoutSeconds); frames that cannot be this request's answer are dropped
// meanwhile. On the direct link the result says only that the frame was sent: callers test
// session.link.answerValid before they read the answer. Failures have shown their message; a
// wait the user stopped ends with false and no message.
bool SendVexaMessage(Session& session, bool expectAnswer, const std::vector<int>& data);

// Sends a 4-byte Lumo frame; never waits for an answer.
void SendLumoMessage(Session& session, int header, int b1, int b2, int b3);

// Writes the 9-byte resynchronisation preamble when the port is open.
bool ResyncLink(Session& session);

// Collects one direct frame with a correct check byte into the answer buffer within the
// answer time.
bool ReceiveAnswer(Session& session);

// " [" + two upper-case hexadecimal digits + "]".
std::string FormatTraceByte(std::uint8_t byte);

// The check byte that makes the low 7 bits of the frame's sum 0, with bit 7 set.
std::uint8_t FrameCheckByte(unsigned sum);
// The bytes of a direct frame followed by its check byte.
std::vector<std::uint8_t> WithCheckByte(std::vector<std::uint8_t> frame);

// Marks the link unsynchronised: the next frame is preceded by the preamble.
inline void ResetFrameToggle(Session& session) {
    session.link.frameToggle = ToggleUnsynchronised;
}

} // namespace vexa
