#include "module/AddressLabels.h"

#include "module/AddressOffsets.h"
#include "module/DccAddressing.h"

namespace vexa {

namespace {

constexpr int SerialAddressesPerModule = 32;
constexpr int NativeAddressesPerModule = 128;
const char* const NoAddress = "-";

const PinRecord& PinOf(const Session& session, int pin) {
    return session.image.pins.at(static_cast<std::size_t>(pin));
}

} // namespace

std::string SerialAddressLabel(const Session& session, int pin) {
    if (PinOf(session, pin).lumoAddressCount == 0)
        return NoAddress;
    const ModuleSettings& module = session.image.module;
    const int base = session.numberingBase;
    const int s = ComputeAddressOffsets(session.image).serial.at(static_cast<std::size_t>(pin));
    if (module.lumoFlexAddressing)
        return std::to_string(base + s + module.lumoFlexBlock * 4);
    if (module.nativeMode)
        return s >= NativeAddressesPerModule
                   ? NoAddress
                   : std::to_string(session.link.moduleAddress * NativeAddressesPerModule + base + s);
    return s < SerialAddressesPerModule
               ? std::to_string(session.link.moduleAddress * SerialAddressesPerModule + base + s)
               : NoAddress;
}

std::string PinAddressLabel(const Session& session, int pin) {
    if (PinOf(session, pin).lumoAddressCount == 0)
        return NoAddress;
    const int base = session.numberingBase;
    const int s = ComputeAddressOffsets(session.image).serial.at(static_cast<std::size_t>(pin));
    if (s >= NativeAddressesPerModule)
        return NoAddress;
    std::string text = std::to_string(session.link.moduleAddress + base) + ".";
    if (session.link.useXAddress)
        text += std::to_string(session.link.xAddress + base) + ".";
    return text + std::to_string(s + base);
}

std::string DccAddressLabel(const Session& session, int pin) {
    if (PinOf(session, pin).dccAddressCount == 0)
        return NoAddress;
    const int offset = ComputeAddressOffsets(session.image).dcc.at(static_cast<std::size_t>(pin));
    return std::to_string(FirstDccOutput(session) + offset);
}

std::string XDccAddressLabel(const Session& session, int pin) {
    if (PinOf(session, pin).xdccAddressCount == 0)
        return NoAddress;
    const int offset = ComputeAddressOffsets(session.image).xdcc.at(static_cast<std::size_t>(pin));
    return std::to_string(FirstXDccOutput(session) + offset);
}

} // namespace vexa
