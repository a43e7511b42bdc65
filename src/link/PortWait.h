#pragma once

#include "core/Session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* CrLf = "\r\n";

enum class WaitResult { Byte, TimedOut, PortFailed };

// Blocks on the port until a byte is waiting, the answer time (link.answerTimeoutSeconds)
// counted from t0 is over or the clock wrapped past midnight. The window is kept alive at
// least every 50 ms meanwhile.
WaitResult WaitForByte(Session& session, double t0);

// True when the answer time counted from t0 is over or the clock wrapped past midnight.
bool AnswerTimeOver(Session& session, double t0);

// The port stopped working while open (an adapter pulled out): closes it, marks it lost and
// says so once.
void ReportPortFailure(Session& session);

// Writes the bytes one at a time; false (with the port closed and the failure told) when the
// port failed.
bool WriteBytes(Session& session, const std::vector<std::uint8_t>& bytes);

// Shows a link fault and marks it in the link state.
void ReportLinkFault(Session& session, const std::string& text);

// Drops bytes already waiting on the open port (an answer that came too late, line noise), so
// that the next answer read is the answer to the next request; notes them in the trace.
// False when the port stopped working (said so and closed).
bool DiscardStaleInput(Session& session);

} // namespace vexa
