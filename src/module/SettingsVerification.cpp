#include "module/SettingsVerification.h"

#include "core/VerificationReport.h"
#include "model/TextEncoding.h"
#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/LedSettings.h"
#include "module/SerialAddressing.h"
#include "module/SerialPortSettings.h"
#include "module/SettingRequests.h"

#include <array>
#include <optional>

namespace vexa {

namespace {

// How one step of the verification went on.
enum class Step { GoOn, End };

class SettingsVerifier {
public:
    explicit SettingsVerifier(Session& session)
        : session_(session), link_(session.link), module_(session.image.module) {}

    bool run() {
        link_.bidirectional = true;
        LogVerificationLine(session_, "Start General Settings Verification");
        using StepFunction = Step (SettingsVerifier::*)();
        static constexpr std::array<StepFunction, 11> steps{
            &SettingsVerifier::idString,    &SettingsVerifier::hardware,   &SettingsVerifier::dccAddress,
            &SettingsVerifier::xdccAddress, &SettingsVerifier::dccOptions, &SettingsVerifier::serialAddressing,
            &SettingsVerifier::xAddress,    &SettingsVerifier::groupMask,  &SettingsVerifier::greenLed,
            &SettingsVerifier::orangeLed,   &SettingsVerifier::serialPort,
        };
        for (StepFunction step : steps)
            if ((this->*step)() == Step::End) {
                result_ = false;
                break;
            }
        return result_;
    }

private:
    void log(const std::string& text) { LogVerificationLine(session_, text); }

    Step endWith(const std::string& text) {
        log(text);
        return Step::End;
    }

    void mismatch(const std::string& text) {
        result_ = false;
        log(text);
    }

    int value(int i) const { return AnswerValue(link_, i); }

    // A setting that could not be compared fails the verdict; the verification goes on.
    Step uncompared(const std::string& text) {
        mismatch(text);
        return Step::GoOn;
    }

    Step idString() {
        if (!RequestSetting(session_, ModuleSetting::IdString))
            return uncompared("ReadIDString: No valid response");
        const int size = link_.answerSize();
        if (size < 2 || !AnswerEchoes(link_, ModuleSetting::IdString))
            return endWith("ReadIDString: No valid response");
        std::string controller;
        for (int i = 0; i < size - 2; ++i)
            controller += static_cast<char>(value(i));
        if (controller != module_.idString)
            mismatch("ID does not compare: VexaConfig = <" + Utf8FromLatin1(module_.idString) + "> Vexa = <" +
                     Utf8FromLatin1(controller) + ">");
        return Step::GoOn;
    }

    Step hardware() {
        if (!RequestSetting(session_, ModuleSetting::Hardware))
            return uncompared("HWCRead: No valid response");
        if (link_.answerSize() != 6)
            return endWith("HWCRead: No valid response size");
        if (!AnswerEchoes(link_, ModuleSetting::Hardware))
            return endWith("HWCRead: No valid response type");
        for (int k = 0; k < HardwareGroupCount; ++k)
            if (HardwareByte(module_, k) != value(k)) {
                mismatch("Hardware configuration does not compare");
                break;
            }
        return Step::GoOn;
    }

    // Basic or extended DCC address: a wrong size is logged and not compared, a wrong echo ends.
    Step address(ModuleSetting setting, int expected, const std::string& name, const std::string& finding) {
        if (!RequestSetting(session_, setting))
            return Step::End;
        const std::string invalid = name + ": No valid response";
        if (link_.answerSize() != 4)
            return uncompared(invalid);
        if (!AnswerEchoes(link_, setting))
            return endWith(invalid);
        if (expected != value(1) * 64 + value(0))
            mismatch(finding);
        return Step::GoOn;
    }

    Step dccAddress() {
        return address(ModuleSetting::DccAddress, module_.dccAddress, "DCC Address", "DCC address does not compare");
    }

    Step xdccAddress() {
        return address(ModuleSetting::XDccAddress, module_.xdccAddress, "eXtended DCC Address",
                       "eXtended DCC address does not compare");
    }

    Step dccOptions() {
        if (!RequestSetting(session_, ModuleSetting::DccOptions))
            return Step::End;
        if (link_.answerSize() != 3 || !AnswerEchoes(link_, ModuleSetting::DccOptions))
            return endWith("DCC Options: No valid response");
        if (DccOptionByte(module_) != value(0))
            mismatch("DCC Options do not compare");
        return Step::GoOn;
    }

    // A setting with a fixed answer size whose size and echo faults both end the verification
    // with the prefixed "No valid response" texts.
    bool checked(ModuleSetting setting, int size, const std::string& prefix, Step& step) {
        step = Step::End;
        if (!RequestSetting(session_, setting))
            return false;
        if (link_.answerSize() != size) {
            log(prefix + ": " + SizeMismatchText(link_, size));
            return false;
        }
        if (!AnswerEchoes(link_, setting)) {
            log(prefix + ": " + EchoMismatchText(link_, setting));
            return false;
        }
        step = Step::GoOn;
        return true;
    }

    Step serialAddressing() {
        Step step{};
        if (!checked(ModuleSetting::SerialAddressing, 4, "Serial Address Settings", step))
            return step;
        const std::array<int, 2> expected = SerialAddressingValues(module_);
        if (expected[0] * 128 + expected[1] != value(0) * 128 + value(1))
            mismatch("Serial Address Settings do not compare");
        return step;
    }

    // An unknown enforced mode leaves nothing to compare: said once, the setting is not read.
    Step xAddress() {
        const std::optional<int> expected = ModuleXAddressValue(module_);
        if (!expected) {
            log("eXtended Address: enforced mode unknown, not compared");
            return Step::GoOn;
        }
        Step step{};
        if (!checked(ModuleSetting::XAddress, 3, "eXtended Address", step))
            return step;
        if (*expected != value(0))
            log("eXtended Address does not compare");
        return step;
    }

    Step groupMask() {
        Step step{};
        if (!checked(ModuleSetting::GroupMask, 6, "eXtended Group Mask", step))
            return step;
        const std::array<int, 4> expected = GroupMaskValues(module_);
        for (int k = 0; k < 4; ++k)
            if (expected[static_cast<std::size_t>(k)] != value(k)) {
                log("eXtended Group Mask does not compare");
                break;
            }
        return step;
    }

    Step led(ModuleSetting setting, const LedItems& items, const std::string& finding) {
        if (!RequestSetting(session_, setting) || link_.answerSize() != 3 || !AnswerEchoes(link_, setting))
            return endWith("ReadLEDConfig: No valid response");
        if (LedByte(items) != value(0))
            mismatch(finding);
        return Step::GoOn;
    }

    Step greenLed() {
        return led(ModuleSetting::LedGreen, module_.ledGreen, "Green LED configuration does not compare");
    }

    Step orangeLed() {
        return led(ModuleSetting::LedOrange, module_.ledOrange, "Orange LED configuration does not compare");
    }

    Step serialPort() {
        Step step{};
        if (!checked(ModuleSetting::SerialPort, 4, "Serial Port Config", step))
            return step;
        const int expected = (module_.serialEnable ? 1 : 0) * 128 + SerialConfigByte(module_);
        if (expected != value(0) * 128 + value(1))
            mismatch("Serial Port Configuration does not compare");
        return step;
    }

    Session& session_;
    LinkState& link_;
    const ModuleSettings& module_;
    bool result_ = true;
};

} // namespace

bool VerifyGeneralSettings(Session& session) {
    return SettingsVerifier(session).run();
}

bool RunVerifyGeneralSettings(Session& session) {
    return RunVerifyCommand(session, VerifyGeneralSettings, VerdictLineEnd::None);
}

} // namespace vexa
