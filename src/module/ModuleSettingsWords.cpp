#include "module/ModuleSettingsWords.h"

#include "module/DccAddressing.h"
#include "module/GeneralPageWords.h"
#include "module/HardwareSettings.h"
#include "module/LedSettings.h"
#include "module/SerialAddressing.h"

namespace vexa {

namespace {

const char* YesNo(bool checked) {
    return checked ? "yes" : "no";
}

// The pin groups (as the hardware caption numbers them) whose driver box is checked, or "none".
std::string DriverGroups(const std::array<bool, 4>& checked, int base) {
    std::string text;
    for (std::size_t k = 0; k < checked.size(); ++k)
        if (checked[k]) {
            const int first = static_cast<int>(k) * 8 + base;
            text += text.empty() ? "pins " : ", ";
            text += std::to_string(first) + ".." + std::to_string(first + 7);
        }
    return text.empty() ? "none" : text;
}

SettingsFrameWords DccWords(const ConfigurationImage& image, int base) {
    const ModuleSettings& module = image.module;
    return {generalpage::DccFrame,
            {{generalpage::BasicAddress,
              std::to_string(module.dccAddress) + " (" + DccRangeCaption(image, base).text + ")"},
             {generalpage::ExtendedAddress,
              std::to_string(module.xdccAddress) + " (" + XDccRangeCaption(image, base).text + ")"},
             {generalpage::PacketRepeat, DccPacketRepeatTexts[module.dccPacketRepeat & 3]},
             {generalpage::StateInvert, YesNo(module.dccStateInvert)},
             {generalpage::AllowZero, YesNo(module.dccAllowZero)}}};
}

SettingsFrameWords SerialAddressingWords(const ModuleSettings& module, int base) {
    SettingsFrameWords words{generalpage::SerialAddressingFrame,
                             {{generalpage::Flex, YesNo(module.lumoFlexAddressing)}}};
    if (module.lumoFlexAddressing)
        words.lines.push_back({generalpage::FlexStart, std::to_string(ShownFlexStart(module, base))});
    words.lines.push_back({generalpage::Native, YesNo(module.nativeMode)});
    words.lines.push_back(
        {generalpage::Enforced, module.enforcedXAddress ? YesNo(*module.enforcedXAddress) : "unknown"});
    if (!IsEnforced(module)) {
        words.lines.push_back({generalpage::ModuleXAddress, std::to_string(ShownModuleXAddress(module, base))});
        words.lines.push_back({generalpage::GroupMask, GroupMaskText(module)});
    }
    return words;
}

SettingsFrameWords SerialPortWords(const ModuleSettings& module) {
    const std::size_t baud = module.serialBaud < SerialBaudTexts.size() ? module.serialBaud : 0;
    const std::size_t parity = module.serialParity < generalpage::ParityTexts.size() ? module.serialParity : 0;
    return {generalpage::SerialPortFrame,
            {{generalpage::SerialEnable, YesNo(module.serialEnable)},
             {generalpage::Baudrate, SerialBaudTexts[baud]},
             {generalpage::DataBits, std::to_string(module.serialDataBits)},
             {generalpage::Parity, generalpage::ParityTexts[parity]},
             {generalpage::StopBits, std::to_string(module.serialStopBits)}}};
}

} // namespace

std::string LedFunctionsText(const std::array<std::uint8_t, 8>& items, const std::array<const char*, 8>& captions) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] != 0) {
            if (!text.empty())
                text += ", ";
            text += captions[i];
        }
    return text;
}

std::string GroupMaskText(const ModuleSettings& module) {
    std::string text;
    for (std::size_t i = 0; i < module.groupMask.size(); ++i)
        if (module.groupMask[i]) {
            if (!text.empty())
                text += ' ';
            text += std::to_string(i);
        }
    return text.empty() ? "none" : text;
}

std::vector<SettingsFrameWords> ModuleSettingsInWords(const ConfigurationImage& image, int numberingBase) {
    const ModuleSettings& module = image.module;
    return {DccWords(image, numberingBase),
            SerialAddressingWords(module, numberingBase),
            {generalpage::LedFrame,
             {{generalpage::GreenLed, LedFunctionsText(module.ledGreen, GreenLedCaptions)},
              {generalpage::OrangeLed, LedFunctionsText(module.ledOrange, OrangeLedCaptions)}}},
            {generalpage::HardwareFrame,
             {{generalpage::SinkDriver, DriverGroups(module.hwcSink, numberingBase)},
              {generalpage::SourceDriver, DriverGroups(module.hwcSource, numberingBase)}}},
            SerialPortWords(module)};
}

} // namespace vexa
