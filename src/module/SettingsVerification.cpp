#include "module/SettingsVerification.h"

#include "core/VerificationReport.h"
#include "module/SerialAddressing.h"
#include "module/SettingComparison.h"
#include "module/SettingRequests.h"

#include <array>
#include <optional>
#include <vector>

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
        LogVerificationLine(session_, SettingsVerificationStartText);
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

    // Compares the setting with the values of the answer; a finding is logged, and fails the
    // verdict where the setting counts for it.
    void compare(ModuleSetting setting) {
        if (const std::optional<SettingFinding> finding = CompareSetting(module_, setting, link_.answerFrom(2))) {
            if (finding->failsVerification)
                mismatch(finding->text);
            else
                log(finding->text);
        }
    }

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
        compare(ModuleSetting::IdString);
        return Step::GoOn;
    }

    Step hardware() {
        if (!RequestSetting(session_, ModuleSetting::Hardware))
            return uncompared("HWCRead: No valid response");
        if (!AnswerSized(link_, ModuleSetting::Hardware))
            return endWith("HWCRead: No valid response size");
        if (!AnswerEchoes(link_, ModuleSetting::Hardware))
            return endWith("HWCRead: No valid response type");
        compare(ModuleSetting::Hardware);
        return Step::GoOn;
    }

    // Basic or extended DCC address: a wrong size is logged and not compared, a wrong echo ends.
    Step address(ModuleSetting setting, const std::string& name) {
        if (!RequestSetting(session_, setting))
            return Step::End;
        const std::string invalid = name + ": No valid response";
        if (!AnswerSized(link_, setting))
            return uncompared(invalid);
        if (!AnswerEchoes(link_, setting))
            return endWith(invalid);
        compare(setting);
        return Step::GoOn;
    }

    Step dccAddress() { return address(ModuleSetting::DccAddress, "DCC Address"); }

    Step xdccAddress() { return address(ModuleSetting::XDccAddress, "eXtended DCC Address"); }

    Step dccOptions() {
        if (!RequestSetting(session_, ModuleSetting::DccOptions))
            return Step::End;
        if (!AnswerSized(link_, ModuleSetting::DccOptions) || !AnswerEchoes(link_, ModuleSetting::DccOptions))
            return endWith("DCC Options: No valid response");
        compare(ModuleSetting::DccOptions);
        return Step::GoOn;
    }

    // A setting with a fixed answer size whose size and echo faults both end the verification
    // with the prefixed "No valid response" texts.
    bool checked(ModuleSetting setting, const std::string& prefix, Step& step) {
        step = Step::End;
        const int size = SettingAnswerSize(SettingNumber(setting)).value_or(0);
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

    // In enforced mode neither setting 8 nor the group mask is compared: said once, not read.
    Step serialAddressing() {
        if (!SettingCompared(module_, ModuleSetting::SerialAddressing)) {
            log(EnforcedNotComparedText);
            return Step::GoOn;
        }
        Step step{};
        if (!checked(ModuleSetting::SerialAddressing, "Serial Address Settings", step))
            return step;
        compare(ModuleSetting::SerialAddressing);
        return step;
    }

    // An unknown enforced mode leaves nothing to compare: said once, the setting is not read.
    Step xAddress() {
        if (!SettingCompared(module_, ModuleSetting::XAddress)) {
            log("eXtended Address: enforced mode unknown, not compared");
            return Step::GoOn;
        }
        Step step{};
        if (!checked(ModuleSetting::XAddress, "eXtended Address", step))
            return step;
        compare(ModuleSetting::XAddress);
        return step;
    }

    Step groupMask() {
        if (!SettingCompared(module_, ModuleSetting::GroupMask))
            return Step::GoOn;
        Step step{};
        if (!checked(ModuleSetting::GroupMask, "eXtended Group Mask", step))
            return step;
        compare(ModuleSetting::GroupMask);
        return step;
    }

    Step led(ModuleSetting setting) {
        if (!RequestSetting(session_, setting) || !AnswerSized(link_, setting) || !AnswerEchoes(link_, setting))
            return endWith("ReadLEDConfig: No valid response");
        compare(setting);
        return Step::GoOn;
    }

    Step greenLed() { return led(ModuleSetting::LedGreen); }

    Step orangeLed() { return led(ModuleSetting::LedOrange); }

    Step serialPort() {
        Step step{};
        if (!checked(ModuleSetting::SerialPort, "Serial Port Config", step))
            return step;
        compare(ModuleSetting::SerialPort);
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
