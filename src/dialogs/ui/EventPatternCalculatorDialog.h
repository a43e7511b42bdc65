#pragma once

#include "dialogs/EventPatternCalculator.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace vexa {

// "VexaConfig CalcETImap": composes the event inputs and operation of an "Event Input" step.
class EventPatternCalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit EventPatternCalculatorDialog(QWidget* parent = nullptr);

    // Opens modally, preset from the parameter box's text; returns the value on OK and
    // nothing on Cancel.
    std::optional<int> run(const QString& boxText);

private:
    void showModel();

    EventPatternCalculator model_;
    QLineEdit* original_;
    QLineEdit* parameter_;
    std::array<QCheckBox*, EventInputBoxes> inputs_{};
    QButtonGroup* operations_;
};

} // namespace vexa
