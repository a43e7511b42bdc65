#pragma once

#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

constexpr int HighestDccAddress = 510;
constexpr int HighestXDccAddress = 2046;

// "62.5ms", "125ms", "250ms", "500ms": the packet-repeat options by index.
extern const std::array<const char*, 4> DccPacketRepeatTexts;

// The two bytes of a DCC address on the wire: the low six bits, then the rest.
std::vector<int> DccAddressBytes(int address);

// The DCC option byte: packet repeat in bits 0..1, state invert bit 2, allow address 0 bit 3.
int DccOptionByte(const ModuleSettings& module);
void ApplyDccOptionByte(ModuleSettings& module, int byte);

// "Read Settings" / "Write Settings" of the "DCC" frame: options (5), address (4) and extended
// address (12). The read fails when an answer was refused (after reading the rest); the write
// refuses addresses the wire cannot carry before its first byte.
bool ReadDccSettings(Session& session);
bool WriteDccSettings(Session& session);

// "" when the address can be sent, else what the wire cannot carry: the two 7-bit bytes hold
// the address within its range (from 0 with "Allow Address 0", else from 1).
std::string DccAddressProblem(const ModuleSettings& module);
std::string XDccAddressProblem(const ModuleSettings& module);
// The first of the two.
std::string DccSettingsProblem(const ModuleSettings& module);

// Lowest address the fields take: 0 with "Allow Address 0", else 1.
int LowestDccAddress(const ModuleSettings& module);

// Entry of the address fields (typed text, clamped without a message, rounded). The addresses
// are shown as they are, without the numbering base.
void EnterDccAddress(Session& session, const std::string& text);
void EnterXDccAddress(Session& session, const std::string& text);
// "Allow Address 0" clicked: both addresses are held within their ranges again.
void SetDccAllowZero(Session& session, bool allow);

// First output of the basic and of the extended DCC addresses, as shown.
int FirstDccOutput(const ModuleSettings& module, int numberingBase);
int FirstXDccOutput(const ModuleSettings& module, int numberingBase);
inline int FirstDccOutput(const Session& session) {
    return FirstDccOutput(session.image.module, session.numberingBase);
}
inline int FirstXDccOutput(const Session& session) {
    return FirstXDccOutput(session.image.module, session.numberingBase);
}

// The caption of a range label, and whether it shows an overflow (in red).
struct RangeCaption {
    std::string text;
    bool overflow = false;
};
RangeCaption DccRangeCaption(const ConfigurationImage& image, int numberingBase);
RangeCaption XDccRangeCaption(const ConfigurationImage& image, int numberingBase);
inline RangeCaption DccRangeCaption(const Session& session) {
    return DccRangeCaption(session.image, session.numberingBase);
}
inline RangeCaption XDccRangeCaption(const Session& session) {
    return XDccRangeCaption(session.image, session.numberingBase);
}

} // namespace vexa
