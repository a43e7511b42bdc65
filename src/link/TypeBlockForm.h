#pragma once

#include <cstdint>
#include <vector>

namespace vexa {

// The type block of a pin as the link carries it (the configuration type, then its parameter
// bytes) and as the read takes it, so that every comparison with what a controller holds (the
// verification, the copy of what it holds, "Write Changes") sees a block as the read and the
// save take it.

// Configuration type values.
constexpr std::uint8_t TypeNone = 0;
constexpr std::uint8_t TypeServo = 1;
constexpr std::uint8_t TypePwm = 2;   // + 1 when inverted
constexpr std::uint8_t TypeInput = 4; // + 1 when low active

// The bits of a servo's flag byte (parameter 2) that go out: bit 6 ("Servo Initialised") and
// bit 7 never do, and the data file does not keep them.
constexpr int ServoSentFlags = 63;

// A PWM block of at most this many bytes (type included) lacks the off and on levels, which the
// read then sets to 0 and 31 (parameters 4 and 5), whatever stands in the fifth byte.
constexpr std::size_t ShortPwmBlockBytes = 5;
constexpr int ShortPwmOffLevel = 0;
constexpr int ShortPwmOnLevel = 31;

bool IsPwmType(int configType);
bool IsShortPwmBlock(const std::vector<int>& block);

// A servo flag byte read from the controller in the older form (above 15 with bit 3 clear)
// is moved into the current one: (byte div 16) + 40. Other bytes are returned unchanged.
std::uint8_t ConvertReadServoFlags(std::uint8_t flags);

// The block as the read takes it and the save keeps it: a servo's flag byte converted from the
// older form and cut to the bits that go out; a short PWM block with the off and on levels the
// read sets in place of its fifth byte. Two blocks that are equal in this form read back alike.
std::vector<int> TypeBlockAsTaken(std::vector<int> block);

} // namespace vexa
