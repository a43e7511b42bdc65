#pragma once

#include "core/Session.h"
#include "link/RequestTable.h"
#include "model/BitFlags.h"

#include <string>
#include <vector>

namespace vexa {

// Module settings are read with 112 and written with 96, followed by the setting number (the
// codes and answer sizes are in the link's request table).

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

// True when the answer has the size the controller gives this setting.
inline bool AnswerSized(const LinkState& link, ModuleSetting setting) {
    return link.answerSize() == SettingAnswerSize(SettingNumber(setting));
}

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

} // namespace vexa
