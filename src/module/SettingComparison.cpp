#include "module/SettingComparison.h"

#include "files/ConfigFileFields.h"
#include "model/TextEncoding.h"
#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/Identity.h"
#include "module/LedSettings.h"
#include "module/SerialAddressing.h"
#include "module/SerialPortSettings.h"

#include <algorithm>

namespace vexa {

namespace {

// The number of value bytes a setting holds (after the echo); 0 for the identity string, whose
// length varies.
int ValueCount(ModuleSetting setting) {
    switch (setting) {
    case ModuleSetting::Hardware:
    case ModuleSetting::GroupMask:
        return 4;
    case ModuleSetting::DccAddress:
    case ModuleSetting::XDccAddress:
    case ModuleSetting::SerialAddressing:
    case ModuleSetting::SerialPort:
        return 2;
    case ModuleSetting::IdString:
        return 0;
    default:
        return 1;
    }
}

// Two value bytes as one number: first x scale + second.
int Combined(const std::vector<int>& values, int scale, bool lowFirst) {
    return lowFirst ? values[1] * scale + values[0] : values[0] * scale + values[1];
}

std::string TextOf(const std::vector<int>& values) {
    std::string text;
    for (int value : values)
        text += static_cast<char>(value);
    return text;
}

// Setting 8 as the read takes it: flex addressing with its block, or else only the native-mode
// bit of the block (the rest of it is not kept).
std::array<int, 2> TakenSerialAddressing(const std::vector<int>& values) {
    const bool flex = values[0] != 0;
    return {flex ? 1 : 0, flex ? values[1] : values[1] & NativeModeValue};
}

// The low four bits of each value: the group mask's bits 4..6 are neither kept nor sent.
std::vector<int> LowNibbles(std::vector<int> values) {
    for (int& value : values)
        value &= 15;
    return values;
}

// The values a controller holds as the read takes them and a write would send them back: the
// bits the read does not keep are dropped, an address is limited as its field limits it, the
// serial port's parity without an option stays the image's. Settings the read keeps whole, and
// answers of another size, come back as they are.
std::vector<int> HeldAsTaken(const ModuleSettings& module, ModuleSetting setting, const std::vector<int>& held) {
    if (static_cast<int>(held.size()) != ValueCount(setting))
        return held;
    ModuleSettings taken = module;
    switch (setting) {
    case ModuleSetting::DccOptions:
        ApplyDccOptionByte(taken, held[0]);
        return {DccOptionByte(taken)};
    case ModuleSetting::DccAddress:
        return DccAddressBytes(std::clamp(Combined(held, 64, true), LowestDccAddress(module), HighestDccAddress));
    case ModuleSetting::XDccAddress:
        return DccAddressBytes(std::clamp(Combined(held, 64, true), LowestDccAddress(module), HighestXDccAddress));
    case ModuleSetting::GroupMask:
        return LowNibbles(held);
    case ModuleSetting::SerialPort:
        ApplySerialConfig(taken, held[0], held[1]);
        return {taken.serialEnable ? 1 : 0, SerialConfigByte(taken)};
    default:
        return held;
    }
}

SettingFinding Fails(std::string text) {
    return {std::move(text), true};
}

SettingFinding Reports(std::string text) {
    return {std::move(text), false};
}

} // namespace

const SettingBlockEntry& SettingBlockOf(SettingBlock block) {
    static const std::array<SettingBlockEntry, 6> entries{{
        {"ID string", {ModuleSetting::IdString}, WriteIdString},
        {"DCC settings",
         {ModuleSetting::DccOptions, ModuleSetting::DccAddress, ModuleSetting::XDccAddress},
         WriteDccSettings},
        {"LED settings", {ModuleSetting::LedGreen, ModuleSetting::LedOrange}, WriteLedSettings},
        {"hardware configuration", {ModuleSetting::Hardware}, WriteHardwareConfig},
        {"serial port settings", {ModuleSetting::SerialPort}, WriteSerialPortSettings},
        {"serial addressing options",
         {ModuleSetting::SerialAddressing, ModuleSetting::GroupMask, ModuleSetting::XAddress},
         WriteSerialAddressing},
    }};
    return entries[static_cast<std::size_t>(block)];
}

const std::vector<ModuleSetting>& ComparedSettings() {
    static const std::vector<ModuleSetting> order{
        ModuleSetting::IdString,    ModuleSetting::Hardware,   ModuleSetting::DccAddress,
        ModuleSetting::XDccAddress, ModuleSetting::DccOptions, ModuleSetting::SerialAddressing,
        ModuleSetting::XAddress,    ModuleSetting::GroupMask,  ModuleSetting::LedGreen,
        ModuleSetting::LedOrange,   ModuleSetting::SerialPort};
    return order;
}

std::optional<std::vector<int>> SettingWireValues(const ModuleSettings& module, ModuleSetting setting) {
    switch (setting) {
    case ModuleSetting::IdString: {
        std::vector<int> values;
        for (char c : module.idString)
            values.push_back(static_cast<unsigned char>(c));
        return values;
    }
    case ModuleSetting::Hardware: {
        std::vector<int> values;
        for (int k = 0; k < HardwareGroupCount; ++k)
            values.push_back(HardwareByte(module, k));
        return values;
    }
    case ModuleSetting::DccAddress:
        return DccAddressBytes(module.dccAddress);
    case ModuleSetting::XDccAddress:
        return DccAddressBytes(module.xdccAddress);
    case ModuleSetting::DccOptions:
        return std::vector<int>{DccOptionByte(module)};
    case ModuleSetting::SerialAddressing: {
        const std::array<int, 2> values = SerialAddressingValues(module);
        return std::vector<int>(values.begin(), values.end());
    }
    case ModuleSetting::XAddress:
        if (const std::optional<int> value = ModuleXAddressValue(module))
            return std::vector<int>{*value};
        return std::nullopt; // the enforced mode is not known: setting 2 is neither sent nor compared
    case ModuleSetting::GroupMask: {
        const std::array<int, 4> values = GroupMaskValues(module);
        return std::vector<int>(values.begin(), values.end());
    }
    case ModuleSetting::LedGreen:
        return std::vector<int>{LedByte(module.ledGreen)};
    case ModuleSetting::LedOrange:
        return std::vector<int>{LedByte(module.ledOrange)};
    case ModuleSetting::SerialPort:
        return std::vector<int>{module.serialEnable ? 1 : 0, SerialConfigByte(module)};
    default:
        return std::nullopt;
    }
}

bool SettingCompared(const ModuleSettings& module, ModuleSetting setting) {
    if (setting == ModuleSetting::SerialAddressing || setting == ModuleSetting::GroupMask)
        return !IsEnforced(module);
    return setting != ModuleSetting::XAddress || ModuleXAddressValue(module).has_value();
}

std::optional<SettingFinding> CompareSetting(const ModuleSettings& module, ModuleSetting setting,
                                             const std::vector<int>& answered) {
    if (!SettingCompared(module, setting))
        return std::nullopt;
    if (setting == ModuleSetting::IdString) {
        // As a saved file keeps both: a backup of a controller whose ID holds a double quote or a
        // line break compares with it.
        const std::string controller = TextOf(answered);
        if (configfile::FileSafeText(controller) == configfile::FileSafeText(module.idString))
            return std::nullopt;
        return Fails("ID does not compare: VexaConfig = <" + Utf8FromLatin1(module.idString) + "> Vexa = <" +
                     Utf8FromLatin1(controller) + ">");
    }
    const std::optional<std::vector<int>> expected = SettingWireValues(module, setting);
    if (!expected)
        return std::nullopt;
    const std::vector<int> held = HeldAsTaken(module, setting, answered);
    const bool sized = static_cast<int>(held.size()) == ValueCount(setting);
    switch (setting) {
    case ModuleSetting::Hardware:
        return sized && held == *expected ? std::nullopt
                                          : std::optional(Fails("Hardware configuration does not compare"));
    case ModuleSetting::DccAddress:
        return sized && Combined(held, 64, true) == module.dccAddress
                   ? std::nullopt
                   : std::optional(Fails("DCC address does not compare"));
    case ModuleSetting::XDccAddress:
        return sized && Combined(held, 64, true) == module.xdccAddress
                   ? std::nullopt
                   : std::optional(Fails("eXtended DCC address does not compare"));
    case ModuleSetting::DccOptions:
        return held == *expected ? std::nullopt : std::optional(Fails("DCC Options do not compare"));
    case ModuleSetting::SerialAddressing:
        return sized && TakenSerialAddressing(held) == TakenSerialAddressing(*expected)
                   ? std::nullopt
                   : std::optional(Fails("Serial Address Settings do not compare"));
    case ModuleSetting::XAddress:
        return held == *expected ? std::nullopt : std::optional(Reports("eXtended Address does not compare"));
    case ModuleSetting::GroupMask:
        return held == *expected ? std::nullopt : std::optional(Reports("eXtended Group Mask does not compare"));
    case ModuleSetting::LedGreen:
        return held == *expected ? std::nullopt : std::optional(Fails("Green LED configuration does not compare"));
    case ModuleSetting::LedOrange:
        return held == *expected ? std::nullopt : std::optional(Fails("Orange LED configuration does not compare"));
    case ModuleSetting::SerialPort:
        return sized && Combined(held, 128, false) == Combined(*expected, 128, false)
                   ? std::nullopt
                   : std::optional(Fails("Serial Port Configuration does not compare"));
    default:
        return std::nullopt;
    }
}

HeldState SettingBlockState(const Session& session, SettingBlock block) {
    const ControllerCopy& copy = session.controllerCopy();
    const ModuleSettings& module = session.image.module;
    bool unknown = false;
    for (ModuleSetting setting : SettingBlockOf(block).settings) {
        if (!SettingCompared(module, setting))
            continue;
        const std::vector<int>* held = copy.find({HeldPart::Setting, SettingNumber(setting)});
        if (!held)
            unknown = true;
        else if (CompareSetting(module, setting, *held))
            return HeldState::Changed;
    }
    return unknown ? HeldState::Unknown : HeldState::Same;
}

} // namespace vexa
