#pragma once

#include "core/Session.h"

#include <optional>
#include <string>

namespace vexa {

// What the address labels of a controller's pins follow: its configuration, the link address at
// which the tool reaches it, and the numbering base. The pin page takes them from the session; a
// sheet or an address map of a layout from each board's data file and bus address.
struct AddressContext {
    const ConfigurationImage& image;
    int numberingBase = 1;
    int moduleAddress = 0;       // stored, 0..31
    std::optional<int> xAddress; // stored, while "Use eXtended Addr" is checked
};
AddressContext AddressContextOf(const Session& session);

// The serial address that serial offset `offset` of the controller answers to, by the rule of
// the serial address label (flex, native or neither); nothing where that label shows "-".
std::optional<int> SerialAddressAt(const AddressContext& context, int offset);

// The address labels of the pin page for one pin (0..31): its serial address, its address as
// module.pin (or module.eXtended.pin), its first basic DCC output and its first extended DCC
// output; "-" where the pin has none.
std::string SerialAddressLabel(const AddressContext& context, int pin);
std::string PinAddressLabel(const AddressContext& context, int pin);
std::string DccAddressLabel(const AddressContext& context, int pin);
std::string XDccAddressLabel(const AddressContext& context, int pin);

// The same for the controller the session reaches.
inline std::string SerialAddressLabel(const Session& session, int pin) {
    return SerialAddressLabel(AddressContextOf(session), pin);
}
inline std::string PinAddressLabel(const Session& session, int pin) {
    return PinAddressLabel(AddressContextOf(session), pin);
}
inline std::string DccAddressLabel(const Session& session, int pin) {
    return DccAddressLabel(AddressContextOf(session), pin);
}
inline std::string XDccAddressLabel(const Session& session, int pin) {
    return XDccAddressLabel(AddressContextOf(session), pin);
}

// Captions of the four labels on the pin page.
inline constexpr const char* SerialLabelCaption = "Serial";
inline constexpr const char* PinAddressLabelCaption = "Addr";
inline constexpr const char* DccLabelCaption = "DCC";
inline constexpr const char* XDccLabelCaption = "XDCC";

} // namespace vexa
