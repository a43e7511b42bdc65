#pragma once

#include "core/Session.h"
#include "pins/ui/PinPageDialogs.h"

#include <QPointer>
#include <QString>

#include <optional>

class QWidget;

namespace vexa {

class PatternCalculatorDialog;
class EventPatternCalculatorDialog;
class TimeCalculatorDialog;
class EditPinDialog;
class EditAspectDialog;
class EditStepDialog;

// Owner of the pin page's helper dialogs: the three calculators and the pin, aspect and step
// edit dialogs. Each dialog is created on first use and afterwards only shown and hidden, so
// the pin and aspect clipboards last as long as this object (keep one per window).
// Every run... function opens its dialog modally and returns after it has closed.
class PinDialogs : public PinPageDialogs {
public:
    PinDialogs(Session& session, QWidget* parent);
    ~PinDialogs() override;

    PinDialogs(const PinDialogs&) = delete;
    PinDialogs& operator=(const PinDialogs&) = delete;

    std::optional<int> runPatternCalculator(const QString& boxText, int outputCount) override;
    std::optional<int> runEventPatternCalculator(const QString& boxText) override;
    std::optional<TimeCalculatorResult> runTimeCalculator(const QString& baseText, int timeValue) override;
    bool runEditPin() override;
    bool runEditAspect() override;
    bool runEditStep(int step) override;

private:
    Session& session_;
    QWidget* parent_;
    // Parented to parent_ so that they centre on the window; QPointer because the parent may
    // delete them first. The destructor deletes those still alive.
    QPointer<PatternCalculatorDialog> pattern_;
    QPointer<EventPatternCalculatorDialog> eventPattern_;
    QPointer<TimeCalculatorDialog> time_;
    QPointer<EditPinDialog> editPin_;
    QPointer<EditAspectDialog> editAspect_;
    QPointer<EditStepDialog> editStep_;
};

} // namespace vexa
