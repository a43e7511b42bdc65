#include "module/DccAddressing.h"

#include "core/NumberField.h"
#include "core/WriteChecks.h"
#include "model/WireRange.h"
#include "module/AddressOffsets.h"
#include "module/SettingRequests.h"

#include <algorithm>

namespace vexa {

const std::array<const char*, 4> DccPacketRepeatTexts{"62.5ms", "125ms", "250ms", "500ms"};

namespace {

constexpr int AddressLowBits = 64;
constexpr int HighestDccOutput = 2044;

int AnswerAddress(const LinkState& link) {
    return AnswerValue(link, 1) * AddressLowBits + AnswerValue(link, 0);
}

RangeCaption Caption(int first, int total, bool overflow, const char* overflowWord) {
    if (total == 0)
        return {"No addr in use", false};
    if (overflow)
        return {"Output " + std::to_string(first) + " .. " + overflowWord, true};
    return {"Output " + std::to_string(first) + " .. " + std::to_string(first + total - 1), false};
}

} // namespace

std::vector<int> DccAddressBytes(int address) {
    return {address & (AddressLowBits - 1), address / AddressLowBits};
}

int DccOptionByte(const ModuleSettings& module) {
    return (module.dccPacketRepeat & 3) + 4 * (module.dccStateInvert ? 1 : 0) + 8 * (module.dccAllowZero ? 1 : 0);
}

void ApplyDccOptionByte(ModuleSettings& module, int byte) {
    module.dccPacketRepeat = static_cast<std::uint8_t>(byte & 3);
    module.dccStateInvert = (byte & 4) != 0;
    module.dccAllowZero = (byte & 8) != 0;
}

int LowestDccAddress(const ModuleSettings& module) {
    return module.dccAllowZero ? 0 : 1;
}

bool ReadDccSettings(Session& session) {
    LinkState& link = session.link;
    ModuleSettings& module = session.image.module;
    link.bidirectional = true;
    bool taken = true; // every answer had the expected size and echo
    const auto refused = [&session, &taken](const char* text) {
        session.tell(text);
        taken = false;
    };
    if (!RequestSetting(session, ModuleSetting::DccOptions))
        return false;
    if (!AnswerSized(link, ModuleSetting::DccOptions))
        refused("Received Address, cannot read DCC options");
    else if (AnswerEchoes(link, ModuleSetting::DccOptions))
        ApplyDccOptionByte(module, AnswerValue(link, 0));
    else
        refused("Received Address: No valid response");

    if (!RequestSetting(session, ModuleSetting::DccAddress))
        return false;
    if (!AnswerSized(link, ModuleSetting::DccAddress))
        refused("Get DCC Address: No valid response, size <> 4");
    else if (AnswerEchoes(link, ModuleSetting::DccAddress))
        EnterDccAddress(session, std::to_string(AnswerAddress(link)));
    else
        refused("Get DCC Address: No valid response");

    if (!RequestSetting(session, ModuleSetting::XDccAddress))
        return false;
    if (!AnswerSized(link, ModuleSetting::XDccAddress) || !AnswerEchoes(link, ModuleSetting::XDccAddress))
        refused("No valid response");
    else
        EnterXDccAddress(session, std::to_string(AnswerAddress(link)));
    return taken;
}

std::string DccAddressProblem(const ModuleSettings& module) {
    return WireProblem("DCC address", module.dccAddress, {LowestDccAddress(module), HighestDccAddress});
}

std::string XDccAddressProblem(const ModuleSettings& module) {
    return WireProblem("eXtended DCC address", module.xdccAddress, {LowestDccAddress(module), HighestXDccAddress});
}

std::string DccSettingsProblem(const ModuleSettings& module) {
    return FirstProblem("", {DccAddressProblem(module), XDccAddressProblem(module)});
}

bool WriteDccSettings(Session& session) {
    const ModuleSettings& module = session.image.module;
    if (RefusedUnsendable(session, DccSettingsProblem(module)))
        return false;
    if (!SendSetting(session, ModuleSetting::DccOptions, {DccOptionByte(module)}))
        return false;
    if (!SendSetting(session, ModuleSetting::DccAddress, DccAddressBytes(module.dccAddress)))
        return false;
    return SendSetting(session, ModuleSetting::XDccAddress, DccAddressBytes(module.xdccAddress));
}

void EnterDccAddress(Session& session, const std::string& text) {
    ModuleSettings& module = session.image.module;
    module.dccAddress = ClampedFieldValue(text, LowestDccAddress(module), HighestDccAddress);
}

void EnterXDccAddress(Session& session, const std::string& text) {
    ModuleSettings& module = session.image.module;
    module.xdccAddress = ClampedFieldValue(text, LowestDccAddress(module), HighestXDccAddress);
}

void SetDccAllowZero(Session& session, bool allow) {
    ModuleSettings& module = session.image.module;
    module.dccAllowZero = allow;
    module.dccAddress = std::clamp(module.dccAddress, LowestDccAddress(module), HighestDccAddress);
    module.xdccAddress = std::clamp(module.xdccAddress, LowestDccAddress(module), HighestXDccAddress);
}

int FirstDccOutput(const ModuleSettings& module, int numberingBase) {
    const int allow = module.dccAllowZero ? 1 : 0;
    const int first = module.dccAllowZero ? numberingBase : 1;
    return (module.dccAddress - 1 + allow) * 4 + first;
}

int FirstXDccOutput(const ModuleSettings& module, int numberingBase) {
    return module.xdccAddress + (module.dccAllowZero ? numberingBase : 0);
}

RangeCaption DccRangeCaption(const ConfigurationImage& image, int numberingBase) {
    const int total = ComputeAddressOffsets(image).dccTotal;
    const bool overflow = image.module.dccAddress * 4 + total > HighestDccOutput;
    return Caption(FirstDccOutput(image.module, numberingBase), total, overflow, "OVFLOW");
}

RangeCaption XDccRangeCaption(const ConfigurationImage& image, int numberingBase) {
    const int total = ComputeAddressOffsets(image).xdccTotal;
    const bool overflow = image.module.xdccAddress + total > HighestXDccAddress;
    return Caption(FirstXDccOutput(image.module, numberingBase), total, overflow, "OVERFLOW");
}

} // namespace vexa
