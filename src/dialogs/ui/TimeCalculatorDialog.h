#pragma once

#include "dialogs/TimeCalculator.h"
#include "dialogs/ui/PinDialogs.h"

#include <QDialog>

#include <optional>

class QLabel;
class QSlider;
class QSpinBox;

namespace vexa {

// "VexaConfig CalcTime": picks the time value and base of a waiting step, shown as a duration.
class TimeCalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TimeCalculatorDialog(QWidget* parent = nullptr);

    // Opens modally with the parameter 3 box's text as base and the parameter 2 box's value
    // as time value; returns both on OK and nothing on Cancel.
    std::optional<TimeCalculatorResult> run(const QString& baseText, int timeValue);

private:
    void showModel();

    TimeCalculator model_;
    QSpinBox* base_;
    QSlider* time_;
    QLabel* maxTimeValue_;
    QLabel* timeValueText_;
    bool showing_ = false; // set while the controls are filled from the model
};

} // namespace vexa
