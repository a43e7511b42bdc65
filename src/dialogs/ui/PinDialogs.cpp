#include "dialogs/ui/PinDialogs.h"

#include "dialogs/ui/EditAspectDialog.h"
#include "dialogs/ui/EditPinDialog.h"
#include "dialogs/ui/EditStepDialog.h"
#include "dialogs/ui/EventPatternCalculatorDialog.h"
#include "dialogs/ui/PatternCalculatorDialog.h"
#include "dialogs/ui/TimeCalculatorDialog.h"

namespace vexa {

PinDialogs::PinDialogs(Session& session, QWidget* parent) : session_(session), parent_(parent) {}

PinDialogs::~PinDialogs() {
    delete pattern_.data();
    delete eventPattern_.data();
    delete time_.data();
    delete editPin_.data();
    delete editAspect_.data();
    delete editStep_.data();
}

std::optional<int> PinDialogs::runPatternCalculator(const QString& boxText, int outputCount) {
    if (!pattern_)
        pattern_ = new PatternCalculatorDialog(parent_);
    return pattern_->run(boxText, outputCount);
}

std::optional<int> PinDialogs::runEventPatternCalculator(const QString& boxText) {
    if (!eventPattern_)
        eventPattern_ = new EventPatternCalculatorDialog(parent_);
    return eventPattern_->run(boxText);
}

std::optional<TimeCalculatorResult> PinDialogs::runTimeCalculator(const QString& baseText, int timeValue) {
    if (!time_)
        time_ = new TimeCalculatorDialog(parent_);
    return time_->run(baseText, timeValue);
}

bool PinDialogs::runEditPin() {
    if (!editPin_)
        editPin_ = new EditPinDialog(session_, parent_);
    return editPin_->run();
}

bool PinDialogs::runEditAspect() {
    if (!editAspect_)
        editAspect_ = new EditAspectDialog(session_, parent_);
    return editAspect_->run();
}

bool PinDialogs::runEditStep(int step) {
    if (!editStep_)
        editStep_ = new EditStepDialog(session_, parent_);
    return editStep_->run(step);
}

} // namespace vexa
