#pragma once

#include "core/Session.h"

#include <cstdint>
#include <vector>

namespace vexa {

// How long the link waits for an answer, in seconds of the time of day.
inline constexpr double AnswerTimeoutSeconds = 2.0;
inline constexpr const char* CrLf = "\r\n";

enum class WaitResult { Byte, TimedOut, PortFailed };

// Blocks on the port until a byte is waiting, the answer time counted from t0 is over or the
// clock wrapped past midnight. The window is kept alive at least every 50 ms meanwhile.
WaitResult WaitForByte(Session& session, double t0);

// True when the answer time counted from t0 is over or the clock wrapped past midnight.
bool AnswerTimeOver(Session& session, double t0);

// The port stopped working while open: closes it and says so once.
void ReportPortFailure(Session& session);

// Writes the bytes one at a time; false (with the port closed and the failure told) when the
// port failed.
bool WriteBytes(Session& session, const std::vector<std::uint8_t>& bytes);

// Reads and drops every byte waiting on the port; false when the port failed.
bool DiscardWaitingBytes(Session& session);

} // namespace vexa
