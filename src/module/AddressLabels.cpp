#include "module/AddressLabels.h"

#include "module/AddressOffsets.h"
#include "module/DccAddressing.h"

namespace vexa {

namespace {

constexpr int SerialAddressesPerModule = 32;
constexpr int NativeAddressesPerModule = 128;
const char* const NoAddress = "-";

const PinRecord& PinOf(const AddressContext& context, int pin) {
    return context.image.pins.at(static_cast<std::size_t>(pin));
}

std::string Shown(const std::optional<int>& address) {
    return address ? std::to_string(*address) : NoAddress;
}

} // namespace

AddressContext AddressContextOf(const Session& session) {
    return {session.image, session.numberingBase, session.link.moduleAddress,
            session.link.useXAddress ? std::optional<int>(session.link.xAddress) : std::nullopt};
}

std::optional<int> SerialAddressAt(const AddressContext& context, int offset) {
    const ModuleSettings& module = context.image.module;
    const int base = context.numberingBase;
    if (module.lumoFlexAddressing)
        return base + offset + module.lumoFlexBlock * 4;
    if (module.nativeMode) {
        if (offset >= NativeAddressesPerModule)
            return std::nullopt;
        return context.moduleAddress * NativeAddressesPerModule + base + offset;
    }
    if (offset >= SerialAddressesPerModule)
        return std::nullopt;
    return context.moduleAddress * SerialAddressesPerModule + base + offset;
}

std::string SerialAddressLabel(const AddressContext& context, int pin) {
    if (PinOf(context, pin).lumoAddressCount == 0)
        return NoAddress;
    return Shown(
        SerialAddressAt(context, ComputeAddressOffsets(context.image).serial.at(static_cast<std::size_t>(pin))));
}

std::string PinAddressLabel(const AddressContext& context, int pin) {
    if (PinOf(context, pin).lumoAddressCount == 0)
        return NoAddress;
    const int base = context.numberingBase;
    const int s = ComputeAddressOffsets(context.image).serial.at(static_cast<std::size_t>(pin));
    if (s >= NativeAddressesPerModule)
        return NoAddress;
    std::string text = std::to_string(context.moduleAddress + base) + ".";
    if (context.xAddress)
        text += std::to_string(*context.xAddress + base) + ".";
    return text + std::to_string(s + base);
}

std::string DccAddressLabel(const AddressContext& context, int pin) {
    if (PinOf(context, pin).dccAddressCount == 0)
        return NoAddress;
    const int offset = ComputeAddressOffsets(context.image).dcc.at(static_cast<std::size_t>(pin));
    return std::to_string(FirstDccOutput(context.image.module, context.numberingBase) + offset);
}

std::string XDccAddressLabel(const AddressContext& context, int pin) {
    if (PinOf(context, pin).xdccAddressCount == 0)
        return NoAddress;
    const int offset = ComputeAddressOffsets(context.image).xdcc.at(static_cast<std::size_t>(pin));
    return std::to_string(FirstXDccOutput(context.image.module, context.numberingBase) + offset);
}

} // namespace vexa
