#include "events/EventVerification.h"

#include "core/VerificationReport.h"
#include "events/EventComparison.h"
#include "events/EventTransfer.h"
#include "pins/PinRequests.h"

#include <string>
#include <vector>

namespace vexa {

namespace {

// Compares one direction of all 32 pins. Returns false when the verification must stop; clears
// `verdict` for every difference (each logged).
bool CompareDirection(Session& session, const EventDirection& direction, bool& verdict) {
    const LinkState& link = session.link;
    for (int pin = 0; pin < PinCount; ++pin) {
        ReportPinProgress(session, "Verifying events", pin);
        if (!AskController(session, {direction.readCode, pin}))
            return false;
        if (!AnswerOf(link, {direction.readCode, pin})) {
            LogVerificationLine(session, std::string("Read ") + direction.name + ": " + EventNotSupportedText);
            verdict = false;
            return true;
        }
        std::vector<int> slots;
        for (int c = 0; c < EventInputCount; ++c)
            slots.push_back(link.answerData(direction.firstSlot + c));
        const EventActions& configured = session.image.events[static_cast<std::size_t>(pin)].*direction.actions;
        for (const std::string& finding : CompareEventSlots(direction, pin, session.numberingBase, configured, slots)) {
            LogVerificationLine(session, finding);
            verdict = false;
        }
    }
    return true;
}

// Compares the enable map. An unknown map is not compared (said in one line, nothing asked); a
// missing answer means the comparison could not run, so the verdict fails.
void VerifyEnableMap(Session& session, bool& verdict) {
    if (!session.image.enableMap) {
        LogVerificationLine(session, "ECInit: initial enable map unknown, not compared");
        return;
    }
    const auto fail = [&](const char* text) {
        LogVerificationLine(session, std::string("ECInit: ") + text);
        verdict = false;
    };
    if (!AskController(session, {ReadSettingCode, EnableMapSetting})) {
        fail("No valid response");
        return;
    }
    const LinkState& link = session.link;
    if (link.answerSize() != SettingAnswerSize(EnableMapSetting)) {
        fail("No valid response size");
        return;
    }
    if (link.answerData(0) != ReadSettingCode || link.answerData(1) != EnableMapSetting) {
        fail("No valid response type");
        return;
    }
    for (const std::string& finding :
         CompareEnableMap(*session.image.enableMap, {link.answerData(2), link.answerData(3)})) {
        LogVerificationLine(session, finding);
        verdict = false;
    }
}

} // namespace

bool VerifyEvents(Session& session) {
    session.link.bidirectional = true;
    LogVerificationLine(session, EventVerificationStartText);
    if (session.numberingBase == 1)
        LogVerificationLine(session, NumberingNoteText);
    bool verdict = true;
    if (!CompareDirection(session, EventOnDirection(), verdict) ||
        !CompareDirection(session, EventOffDirection(), verdict))
        return false;
    VerifyEnableMap(session, verdict);
    return verdict;
}

bool RunVerifyEventControl(Session& session) {
    return RunVerifyCommand(session, VerifyEvents, VerdictLineEnd::CrLf);
}

} // namespace vexa
