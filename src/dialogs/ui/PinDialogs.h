#pragma once

#include "core/Session.h"

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

// What the time calculator hands back: parameter 2 (time value 0..63) and parameter 3 (base 0..3).
struct TimeCalculatorResult {
    int timeValue = 0;
    int base = 0;
};

// Owner of the pin page's helper dialogs: the three calculators and the pin, aspect and step
// edit dialogs. Each dialog is created on first use and afterwards only shown and hidden, so
// the pin and aspect clipboards last as long as this object (keep one per window).
// Every run... function opens its dialog modally and returns after it has closed.
class PinDialogs {
public:
    PinDialogs(Session& session, QWidget* parent);
    ~PinDialogs();

    PinDialogs(const PinDialogs&) = delete;
    PinDialogs& operator=(const PinDialogs&) = delete;

    // Pattern calculator for a step's parameter 1. boxText is the parameter box's text,
    // outputCount the help selector of the row's instruction (2..7 outputs).
    // Returns the composed pattern on OK, nothing on Cancel (leave the box as it is).
    std::optional<int> runPatternCalculator(const QString& boxText, int outputCount);

    // Event pattern calculator for a step's parameter 1 (help selector 16).
    // Returns the composed value on OK, nothing on Cancel.
    std::optional<int> runEventPatternCalculator(const QString& boxText);

    // Time calculator for a step's parameters 2 and 3 (help selector 9). baseText is the text
    // of the parameter 3 box, timeValue the value of the parameter 2 box.
    // Returns the time value and base on OK, nothing on Cancel.
    std::optional<TimeCalculatorResult> runTimeCalculator(const QString& baseText, int timeValue);

    // The edit dialogs; they act on the Session's image for image.currentPin and
    // image.currentAspect. Each returns true when the image was changed (a clear, clean-up,
    // paste, insert or delete ran); either way the page shows the pin again afterwards.
    bool runEditPin();
    bool runEditAspect();
    // step is the selected step 0..8 (the step number label that was clicked).
    bool runEditStep(int step);

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
