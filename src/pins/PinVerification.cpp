#include "pins/PinVerification.h"

#include "core/VerificationReport.h"
#include "link/StepEncoding.h"
#include "pins/PinConfigTypes.h"
#include "pins/PinRequests.h"

#include <string>
#include <vector>

namespace vexa {

namespace {

// A PWM answer of at most this many bytes (type included) lacks the off and on levels.
constexpr int ShortPwmAnswerBytes = 5;
constexpr int ShortPwmOffLevel = 0;
constexpr int ShortPwmOnLevel = 31;

// Compares one pin with the controller. Returns false when the verification must stop; sets
// `differs` for every difference found (each already logged).
class PinCheck {
public:
    PinCheck(Session& session, int pin)
        : session_(session), link_(session.link), pin_(pin), record_(session.image.pins[static_cast<std::size_t>(pin)]),
          prefix_("Pin " + std::to_string(pin + session.numberingBase) + ": ") {}

    bool run() { return checkTypeBlock() && checkAspects() && checkInitialAspect() && checkAddressConfig(); }

    bool differs = false;

private:
    void log(const std::string& text) {
        LogVerificationLine(session_, text);
        differs = true;
    }
    void logNoValidResponse() { LogVerificationLine(session_, "No valid response"); }

    // Type byte and parameters 1..n of the image; parameters beyond those kept read as 0.
    int expectedTypeByte(int index) const {
        if (index == 0)
            return record_.configType;
        return index <= ConfigParamCount ? record_.param(index) : 0;
    }

    bool checkTypeBlock() {
        if (!AskController(session_, {ReadFlashTypeCode, pin_}))
            return false;
        const int size = link_.answerSize();
        const int code = link_.answerData(0);
        if (size < 3 || (code != ReadFlashTypeCode && code != ReadActiveTypeCode) || link_.answerData(1) != pin_) {
            logNoValidResponse();
            return false;
        }
        std::vector<int> block;
        for (int i = 2; i < size; ++i)
            block.push_back(link_.answerData(i));
        // A servo's option byte in the older form is converted as on reading.
        if (block[0] == TypeServo && block.size() > 2)
            block[2] = ConvertReadServoFlags(static_cast<std::uint8_t>(block[2]));

        // The bytes that came are compared up to the first difference; a short PWM answer is a
        // second check of its own, so a pin can get a line from each.
        bool bytesDiffer = false;
        for (std::size_t i = 0; i < block.size() && !bytesDiffer; ++i)
            bytesDiffer = block[i] != expectedTypeByte(static_cast<int>(i));
        if (bytesDiffer)
            log(prefix_ + "Pinconfig does not compare");
        const bool shortPwm =
            (block[0] == TypePwm || block[0] == TypePwm + 1) && static_cast<int>(block.size()) <= ShortPwmAnswerBytes;
        if (shortPwm && !(record_.param(5) == ShortPwmOnLevel && record_.param(4) == ShortPwmOffLevel))
            log(prefix_ + "Pinconfig does not compare");
        return true;
    }

    bool checkAspects() {
        if (!AskController(session_, {ReadLayoutCode, pin_}))
            return false;
        if (!AnswerEchoes(link_, 3, {ReadLayoutCode, pin_})) {
            logNoValidResponse();
            return false;
        }
        if (link_.answerData(2) != record_.aspectLayout) {
            log(prefix_ + "Aspectconfig does not compare");
            return true;
        }
        const int aspects = AspectsInLayout(record_.aspectLayout);
        const int steps = StepsInLayout(record_.aspectLayout);
        for (int aspect = 0; aspect < aspects; ++aspect)
            for (int step = 0; step < steps; ++step) {
                bool same = true;
                if (!checkStep(aspect, step, same))
                    return false;
                if (!same) {
                    log(prefix_ + "Aspect " + std::to_string(aspect) + " does not compare");
                    break; // one line per aspect: go on with the next aspect
                }
            }
        return true;
    }

    bool checkStep(int aspect, int step, bool& same) {
        if (!AskController(session_, {ReadStepCode, pin_, aspect, step}))
            return false;
        if (!AnswerEchoes(link_, 9, {ReadStepCode, pin_, aspect, step})) {
            logNoValidResponse();
            return false;
        }
        // The step is compared in the form it is written in: a fade flag that cannot travel is
        // not part of it, and a value above 127 never equals a byte read back.
        const StepWire expected =
            EncodeStep(record_.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)]);
        same = AnsweredStepWire(link_) == expected;
        return true;
    }

    bool checkInitialAspect() {
        if (!AskController(session_, {ReadInitialAspectCode, pin_}))
            return false;
        // A malformed answer leaves the initial aspect uncompared: said, and the verdict fails.
        const std::optional<int> initial = AnswerEchoes(link_, 7, {ReadInitialAspectCode, pin_})
                                               ? DecodeInitialAspect(link_.answerData(2))
                                               : std::nullopt;
        if (!initial)
            log(prefix_ + "Init: No valid response");
        else if (*initial != record_.initialAspect)
            log(prefix_ + "Init does not compare");
        return true;
    }

    bool checkAddressConfig() {
        if (!AskController(session_, {ReadAddressConfigCode, pin_}))
            return false;
        const int size = link_.answerSize();
        if (!AnswerEchoes(link_, 5, {ReadAddressConfigCode, pin_})) {
            log("Pin Address Configuration: Invalid Response, expected 5,118," + std::to_string(pin_) + ", received " +
                std::to_string(size) + "," + std::to_string(link_.answerData(0)) + "," +
                std::to_string(link_.answerData(1)));
            return true;
        }
        for (int i = 2; i <= 4; ++i)
            checkAddressByte(link_.answerData(i));
        return true;
    }

    void checkAddressByte(int value) {
        if (value <= 15) {
            if (8 * record_.xdccAddressCount + record_.dccAddressCount != (value & 15))
                log(prefix_ + "DCC Address Configuration does not compare");
        } else if (value <= 31) {
            if (record_.lumoAddressCount != (value & 15))
                log(prefix_ + "Serial Address Configuration does not compare");
        } else if (value >= 64) {
            if ((record_.deviceReferral & 31) != (value & 31))
                log(prefix_ + "Device Pointer does not compare");
        } else {
            log("Pin Address Configuration: Invalid Response " + std::to_string(value / 16));
        }
    }

    Session& session_;
    const LinkState& link_;
    int pin_;
    const PinRecord& record_;
    std::string prefix_;
};

} // namespace

bool VerifyPins(Session& session) {
    session.link.bidirectional = true;
    LogVerificationLine(session, "Start Pin Verification");
    if (session.numberingBase == 1)
        LogVerificationLine(session, "Note: Numbering starts at 1");
    bool verdict = true;
    for (int pin = 0; pin < PinCount; ++pin) {
        ReportPinProgress(session, "Verifying pins", pin);
        PinCheck check(session, pin);
        if (!check.run())
            return false;
        if (check.differs)
            verdict = false;
    }
    return verdict;
}

bool RunVerifyAllPins(Session& session) {
    return RunVerifyCommand(session, VerifyPins, VerdictLineEnd::None);
}

} // namespace vexa
