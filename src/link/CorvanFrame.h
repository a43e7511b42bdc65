#pragma once

#include "core/Session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// Most data bytes a Corvan frame may carry so that it fits the answer buffer.
inline constexpr int CorvanMaxCount = 19;

// Header byte of a Corvan frame of `count` data bytes (0..23) with the toggle (0 or 1) in bit 6.
std::uint8_t CorvanHeader(int count, int toggle);
// Count of data bytes announced by a received header; bits 4 and 5 (status flags of short
// frames) and bit 6 are not part of it.
int CorvanCount(std::uint8_t header);
// A whole Corvan frame: header, the values + 128, and the check byte.
std::vector<std::uint8_t> EncodeCorvanFrame(int toggle, const std::vector<int>& values);
// A version of two bytes V1, V2: (V1 div 8, V1 and 7, V2 div 8, V2 and 7) as four decimal digits.
int CorvanVersion(int v1, int v2);

// Sends a frame of up to 19 values (0..127) with the current CorvanToggle, flips the toggle and
// waits for the interface's answer frame. True when a valid frame came: its count is then in
// answerBuffer[0] and its values from [1]. Otherwise "No answer from Corvan" has been shown,
// unless the user stopped the wait.
bool SendCorvanFrame(Session& session, const std::vector<int>& values);

// Sends an empty frame (a poll).
inline bool PollCorvan(Session& session) {
    return SendCorvanFrame(session, {});
}

// Collects one Corvan frame within the answer time into the answer buffer. Returns its trace line, or
// empty text when no valid frame arrived.
std::string ReceiveCorvanFrame(Session& session);

} // namespace vexa
