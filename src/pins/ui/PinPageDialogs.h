#pragma once

#include <QString>

#include <optional>

namespace vexa {

// What the time calculator hands back: parameter 2 (time value 0..63) and parameter 3 (base 0..3).
struct TimeCalculatorResult {
    int timeValue = 0;
    int base = 0;
};

// The helper dialogs that the pin page opens: the three calculators and the pin, aspect and
// step edit dialogs. The page only asks for them; whoever builds the window provides them, so
// that the dialogs (which know the pin page's records) sit above it.
// Every run... function opens its dialog modally and returns after it has closed.
class PinPageDialogs {
public:
    virtual ~PinPageDialogs() = default;

    // Pattern calculator for a step's parameter 1. boxText is the parameter box's text,
    // outputCount the help selector of the row's instruction (2..7 outputs).
    // Returns the composed pattern on OK, nothing on Cancel (leave the box as it is).
    virtual std::optional<int> runPatternCalculator(const QString& boxText, int outputCount) = 0;

    // Event pattern calculator for a step's parameter 1 (help selector 16).
    // Returns the composed value on OK, nothing on Cancel.
    virtual std::optional<int> runEventPatternCalculator(const QString& boxText) = 0;

    // Time calculator for a step's parameters 2 and 3 (help selector 9). baseText is the text
    // of the parameter 3 box, timeValue the value of the parameter 2 box.
    // Returns the time value and base on OK, nothing on Cancel.
    virtual std::optional<TimeCalculatorResult> runTimeCalculator(const QString& baseText, int timeValue) = 0;

    // The edit dialogs; they act on the Session's image for image.currentPin and
    // image.currentAspect. Each returns true when the image was changed (a clear, clean-up,
    // paste, insert or delete ran); either way the page shows the pin again afterwards.
    virtual bool runEditPin() = 0;
    virtual bool runEditAspect() = 0;
    // step is the selected step 0..8 (the step number label that was clicked).
    virtual bool runEditStep(int step) = 0;
};

} // namespace vexa
