#include "module/HardwareSettings.h"

#include "module/SettingRequests.h"

namespace vexa {

int HardwareByte(const ModuleSettings& module, int group) {
    const auto k = static_cast<std::size_t>(group);
    return (module.hwcSink.at(k) ? 1 : 0) + 2 * (module.hwcSource.at(k) ? 1 : 0);
}

bool ReadHardwareConfig(Session& session) {
    LinkState& link = session.link;
    link.bidirectional = true;
    if (!RequestSetting(session, ModuleSetting::Hardware))
        return false;
    if (!AnswerSized(link, ModuleSetting::Hardware)) {
        session.tell("No valid response size");
        return false;
    }
    if (!AnswerEchoes(link, ModuleSetting::Hardware)) {
        session.tell("No valid response type");
        return false;
    }
    ModuleSettings& module = session.image.module;
    for (std::size_t k = 0; k < HardwareGroupCount; ++k) {
        const int drivers = AnswerValue(link, static_cast<int>(k));
        if (drivers > 3) {
            session.tell("No valid response byte");
            return false;
        }
        module.hwcSink[k] = (drivers & 1) != 0;
        module.hwcSource[k] = (drivers & 2) != 0;
    }
    return true;
}

bool WriteHardwareConfig(Session& session) {
    std::vector<int> values;
    for (int k = 0; k < HardwareGroupCount; ++k)
        values.push_back(HardwareByte(session.image.module, k));
    return SendSetting(session, ModuleSetting::Hardware, values);
}

std::string HardwarePinCaption(int numberingBase) {
    return numberingBase == 1 ? "Pin       1..8         9..16      17..24       25..32"
                              : "Pin       0..7         8..15      16..23       24..31";
}

} // namespace vexa
