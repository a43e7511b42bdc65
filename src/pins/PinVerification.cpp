#include "pins/PinVerification.h"

#include "core/VerificationReport.h"
#include "link/StepEncoding.h"
#include "pins/PinComparison.h"
#include "pins/PinRequests.h"

#include <string>
#include <vector>

namespace vexa {

namespace {

// Compares one pin with the controller. Returns false when the verification must stop; sets
// `differs` for every difference found (each already logged).
class PinCheck {
public:
    PinCheck(Session& session, int pin)
        : session_(session), link_(session.link), pin_(pin), record_(session.image.pins[static_cast<std::size_t>(pin)]),
          prefix_(PinFindingPrefix(pin, session.numberingBase)) {}

    bool run() { return checkTypeBlock() && checkAspects() && checkInitialAspect() && checkAddressConfig(); }

    bool differs = false;

private:
    void log(const std::string& text) {
        LogVerificationLine(session_, text);
        differs = true;
    }
    void log(const std::vector<std::string>& findings) {
        for (const std::string& finding : findings)
            log(finding);
    }
    void logNoValidResponse() { LogVerificationLine(session_, "No valid response"); }

    bool checkTypeBlock() {
        if (!AskController(session_, {ReadTypeBlockCode, pin_}))
            return false;
        const int size = link_.answerSize();
        const int code = link_.answerData(0);
        if (size < 3 || (code != ReadTypeBlockCode && code != ReadActiveTypeCode) || link_.answerData(1) != pin_) {
            logNoValidResponse();
            return false;
        }
        log(CompareTypeBlock(record_, prefix_, link_.answerFrom(2)));
        return true;
    }

    bool checkAspects() {
        if (!AskController(session_, {ReadLayoutCode, pin_}))
            return false;
        if (!AnswerOf(link_, {ReadLayoutCode, pin_})) {
            logNoValidResponse();
            return false;
        }
        if (link_.answerData(2) != record_.aspectLayout) {
            log(AspectLayoutFinding(prefix_));
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
                    log(AspectFinding(prefix_, aspect));
                    break; // one line per aspect: go on with the next aspect
                }
            }
        return true;
    }

    bool checkStep(int aspect, int step, bool& same) {
        if (!AskController(session_, {ReadStepCode, pin_, aspect, step}))
            return false;
        if (!AnswerOf(link_, {ReadStepCode, pin_, aspect, step})) {
            logNoValidResponse();
            return false;
        }
        // The step is compared in the form it is written in: a fade flag that cannot travel is
        // not part of it, and a value above 127 never equals a byte read back.
        same = StepCompares(record_.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)],
                            link_.answerFrom(4));
        return true;
    }

    bool checkInitialAspect() {
        if (!AskController(session_, {ReadInitialAndOnCode, pin_}))
            return false;
        // A malformed answer leaves the initial aspect uncompared: said, and the verdict fails.
        const bool fits = AnswerOf(link_, {ReadInitialAndOnCode, pin_});
        if (!fits || !DecodeInitialAspect(link_.answerData(2)))
            log(prefix_ + "Init: No valid response");
        else if (const std::optional<std::string> finding = CompareInitialAspect(record_, prefix_, link_.answerData(2)))
            log(*finding);
        return true;
    }

    bool checkAddressConfig() {
        if (!AskController(session_, {ReadAddressConfigCode, pin_}))
            return false;
        const int size = link_.answerSize();
        if (!AnswerOf(link_, {ReadAddressConfigCode, pin_})) {
            log("Pin Address Configuration: Invalid Response, expected 5,118," + std::to_string(pin_) + ", received " +
                std::to_string(size) + "," + std::to_string(link_.answerData(0)) + "," +
                std::to_string(link_.answerData(1)));
            return true;
        }
        log(CompareAddressConfig(record_, prefix_, link_.answerFrom(2)));
        return true;
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
    LogVerificationLine(session, PinVerificationStartText);
    if (session.numberingBase == 1)
        LogVerificationLine(session, NumberingNoteText);
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
