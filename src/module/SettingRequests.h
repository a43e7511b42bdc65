#pragma once

#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

// Module settings are read with 112 and written with 96, followed by the setting number.
constexpr int ReadSettingCode = 112;
constexpr int WriteSettingCode = 96;

// The module settings the controller keeps, by their number on the link.
enum class ModuleSetting : int {
    Version = 0,
    Hardware = 1,
    XAddress = 2,
    GroupMask = 3,
    DccAddress = 4,
    DccOptions = 5,
    LedGreen = 6,
    LedOrange = 7,
    SerialAddressing = 8,
    IdString = 10,
    XDccAddress = 12,
    SerialPort = 13,
};

constexpr int SettingNumber(ModuleSetting setting) {
    return static_cast<int>(setting);
}

// Sends the read request 112, s (an answer is awaited when "Bidirectional Comm." is on).
// True when a valid answer came; it is then in session.link.
bool RequestSetting(Session& session, ModuleSetting setting);

// Sends 96, s and the values, awaiting nothing. The result is that of the send.
bool SendSetting(Session& session, ModuleSetting setting, const std::vector<int>& values);

// True when the answer echoes the read request of the setting ([2] = 112, [3] = s).
bool AnswerEchoes(const LinkState& link, ModuleSetting setting);

// Value byte i of the answer (after the echoed code and setting number).
inline int AnswerValue(const LinkState& link, int i) {
    return link.answerData(2 + i);
}

// "No valid response, size = " M " expected = " N.
std::string SizeMismatchText(const LinkState& link, int expected);
// "No valid response, msg = " [2] "," [3] " expected = 112," s.
std::string EchoMismatchText(const LinkState& link, ModuleSetting setting);

// Sets a flag list from the low bits of a byte: flag first + i = bit i, for `count` flags.
template <typename Flags> void UnpackBits(Flags& flags, int first, int count, int bits) {
    for (int i = 0; i < count; ++i)
        flags[static_cast<std::size_t>(first + i)] = ((bits >> i) & 1) != 0;
}

// Bit i of the result is flag first + i (set when the flag is not 0), for `count` flags.
template <typename Flags> int PackBits(const Flags& flags, int first, int count) {
    int bits = 0;
    for (int i = 0; i < count; ++i)
        if (flags[static_cast<std::size_t>(first + i)] != 0)
            bits |= 1 << i;
    return bits;
}

} // namespace vexa
