#include "module/SerialPortSettings.h"

#include "module/SettingRequests.h"

namespace vexa {

namespace {

constexpr int EightDataBits = 8;
constexpr int TwoStopBits = 64;
constexpr int ParityShift = 4;
constexpr int NoParityOption = 1; // the parity value that has no option

} // namespace

int SerialConfigByte(const ModuleSettings& module) {
    return (module.serialBaud & 7) + (module.serialDataBits == 8 ? EightDataBits : 0) +
           (module.serialStopBits == 2 ? TwoStopBits : 0) + ((module.serialParity & 3) << ParityShift);
}

bool ApplySerialConfig(ModuleSettings& module, int enable, int config) {
    module.serialEnable = enable != 0;
    module.serialBaud = static_cast<std::uint8_t>(config & 7);
    module.serialDataBits = (config & EightDataBits) != 0 ? 8 : 7;
    module.serialStopBits = (config & TwoStopBits) != 0 ? 2 : 1;
    const int parity = (config >> ParityShift) & 3;
    if (parity == NoParityOption)
        return false;
    module.serialParity = static_cast<std::uint8_t>(parity);
    return true;
}

bool ReadSerialPortSettings(Session& session) {
    LinkState& link = session.link;
    link.bidirectional = true;
    if (!RequestSetting(session, ModuleSetting::SerialPort))
        return false;
    if (!AnswerSized(link, ModuleSetting::SerialPort)) {
        session.tell(SizeMismatchText(link, *SettingAnswerSize(SettingNumber(ModuleSetting::SerialPort))));
        return false;
    }
    if (!AnswerEchoes(link, ModuleSetting::SerialPort)) {
        session.tell(EchoMismatchText(link, ModuleSetting::SerialPort));
        return false;
    }
    if (!ApplySerialConfig(session.image.module, AnswerValue(link, 0), AnswerValue(link, 1)))
        session.tell("Serial port answer has a parity value of 1, which has no option: the parity is left as it was");
    return true;
}

bool WriteSerialPortSettings(Session& session) {
    const ModuleSettings& module = session.image.module;
    return SendSetting(session, ModuleSetting::SerialPort, {module.serialEnable ? 1 : 0, SerialConfigByte(module)});
}

} // namespace vexa
