#include "module/LedSettings.h"

#include "module/SettingRequests.h"

namespace vexa {

const std::array<const char*, 8> GreenLedCaptions{"Basic DCC Packet", "eXtd DCC Packet", "Lumo Message", "Vexa Message",
                                                  "Green 4",          "Green 5",         "Green 6",      "Idle Flash"};
const std::array<const char*, 8> OrangeLedCaptions{
    "DCC Checksum Error", "Orange 1", "Orange 2", "Orange 3",
    "Orange 4",           "Orange 5", "Orange 6", "All Received Datagrams"};

namespace {

constexpr int FunctionItemCount = 7;

bool AnyFunction(const LedItems& items) {
    return LedByte(items) != 0;
}

// One LED byte: false when no valid answer came; a refused answer shows its message and clears
// `taken`.
bool ReadLed(Session& session, ModuleSetting setting, LedItems& items, bool& taken) {
    const LinkState& link = session.link;
    if (!RequestSetting(session, setting))
        return false;
    if (!AnswerSized(link, setting) || !AnswerEchoes(link, setting)) {
        session.tell("No valid response");
        taken = false;
        return true;
    }
    ApplyLedByte(items, AnswerValue(link, 0));
    return true;
}

} // namespace

int LedByte(const LedItems& items) {
    return PackBits(items, 0, FunctionItemCount);
}

void ApplyLedByte(LedItems& items, int byte) {
    UnpackBits(items, 0, FunctionItemCount, byte);
    items[LedDefaultItem] = (byte & 127) == 0 ? CheckGrey : 0;
}

void ApplyLedClick(LedItems& items, int index, bool checked) {
    if (index == LedDefaultItem) {
        if (checked)
            ApplyLedByte(items, 0);
        else if (!AnyFunction(items))
            items[LedDefaultItem] = CheckGrey; // the default is all that is left
        return;
    }
    items.at(static_cast<std::size_t>(index)) = checked ? 1 : 0;
    items[LedDefaultItem] = AnyFunction(items) ? 0 : CheckGrey;
}

bool ReadLedSettings(Session& session) {
    session.link.bidirectional = true;
    ModuleSettings& module = session.image.module;
    bool taken = true;
    return ReadLed(session, ModuleSetting::LedGreen, module.ledGreen, taken) &&
           ReadLed(session, ModuleSetting::LedOrange, module.ledOrange, taken) && taken;
}

bool WriteLedSettings(Session& session) {
    const ModuleSettings& module = session.image.module;
    if (!SendSetting(session, ModuleSetting::LedGreen, {LedByte(module.ledGreen)}))
        return false;
    return SendSetting(session, ModuleSetting::LedOrange, {LedByte(module.ledOrange)});
}

} // namespace vexa
