#include "module/SettingRequests.h"

#include "link/Exchange.h"

namespace vexa {

bool RequestSetting(Session& session, ModuleSetting setting) {
    SendVexaMessage(session, true, {ReadSettingCode, SettingNumber(setting)});
    return session.link.answerValid;
}

bool SendSetting(Session& session, ModuleSetting setting, const std::vector<int>& values) {
    std::vector<int> data{WriteSettingCode, SettingNumber(setting)};
    data.insert(data.end(), values.begin(), values.end());
    return SendVexaMessage(session, false, data);
}

bool AnswerEchoes(const LinkState& link, ModuleSetting setting) {
    return link.answerData(0) == ReadSettingCode && link.answerData(1) == SettingNumber(setting);
}

std::string SizeMismatchText(const LinkState& link, int expected) {
    return "No valid response, size = " + std::to_string(link.answerSize()) + " expected = " + std::to_string(expected);
}

std::string EchoMismatchText(const LinkState& link, ModuleSetting setting) {
    return "No valid response, msg = " + std::to_string(link.answerData(0)) + "," + std::to_string(link.answerData(1)) +
           " expected = " + std::to_string(ReadSettingCode) + "," + std::to_string(SettingNumber(setting));
}

} // namespace vexa
