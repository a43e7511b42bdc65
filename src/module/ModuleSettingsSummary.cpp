#include "module/ModuleSettingsSummary.h"

#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/LedSettings.h"
#include "module/ModuleSettingsWords.h"
#include "module/SerialAddressing.h"

namespace vexa {

namespace {

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

std::string Drivers(const ModuleSettings& module, int base) {
    std::string text;
    for (std::size_t k = 0; k < module.hwcSink.size(); ++k) {
        const int first = static_cast<int>(k) * 8 + base;
        const char* drivers = module.hwcSink[k] ? (module.hwcSource[k] ? "sink and source" : "sink")
                                                : (module.hwcSource[k] ? "source" : "none");
        text += (k == 0 ? "" : "; ") + std::to_string(first) + ".." + std::to_string(first + 7) + " " + drivers;
    }
    return text;
}

const char* ParityText(int parity) {
    return parity == 2 ? "even" : (parity == 3 ? "odd" : "none");
}

} // namespace

std::string ModuleSettingsSummary(const Session& session) {
    const ModuleSettings& module = session.image.module;
    std::string text;
    text += "DCC address: " + std::to_string(module.dccAddress) + " (" + DccRangeCaption(session).text + ")\n";
    text +=
        "eXtended DCC address: " + std::to_string(module.xdccAddress) + " (" + XDccRangeCaption(session).text + ")\n";
    text += "DCC options: packet repeat " + std::string(DccPacketRepeatTexts[module.dccPacketRepeat & 3]) +
            ", basic packet state invert " + OnOff(module.dccStateInvert) + ", allow address 0 " +
            OnOff(module.dccAllowZero) + "\n";
    text += "Serial addressing: flex " + std::string(OnOff(module.lumoFlexAddressing));
    if (module.lumoFlexAddressing)
        text += " (start " + std::to_string(ShownFlexStart(session)) + ")";
    text += ", native " + std::string(OnOff(module.nativeMode)) + ", enforced eXtended address " +
            (module.enforcedXAddress ? OnOff(*module.enforcedXAddress) : "unknown") + ", module eXtended address " +
            std::to_string(ShownModuleXAddress(session)) + ", group mask " + GroupMaskText(module) + "\n";
    text += "Green LED: " + LedFunctionsText(module.ledGreen, GreenLedCaptions) + "\n";
    text += "Orange LED: " + LedFunctionsText(module.ledOrange, OrangeLedCaptions) + "\n";
    text += "Hardware drivers: " + Drivers(module, session.numberingBase) + "\n";
    const std::size_t baud = module.serialBaud < SerialBaudTexts.size() ? module.serialBaud : 0;
    text += "Serial port: " + std::string(module.serialEnable ? "enabled" : "disabled") + ", " + SerialBaudTexts[baud] +
            " baud, data bits " + std::to_string(module.serialDataBits) + ", parity " +
            ParityText(module.serialParity) + ", stop bits " + std::to_string(module.serialStopBits) + "\n";
    return text;
}

} // namespace vexa
