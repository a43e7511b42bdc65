#pragma once

#include <string>

namespace vexa {

// What the direct link says when an awaited answer does not come; it then clears "Bidirectional
// Comm.".
inline constexpr const char* NoResponseResetText = "No response received, resetting bidirectional communication";

// Messages about the eXtended Address byte of an answer, shown by both links.
inline std::string UnexpectedXAddressText(int received) {
    return "Unexpected eXtended Address Byte " + std::to_string(received);
}

inline std::string IncorrectXAddressText(int received, int expected) {
    return "Incorrect eXtended Address byte \r\nReceived " + std::to_string(received) + " Expected " +
           std::to_string(expected);
}

} // namespace vexa
