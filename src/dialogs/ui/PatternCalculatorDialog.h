#pragma once

#include "dialogs/PatternCalculator.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace vexa {

// "LumoConfig Calculate Pattern": composes the output pattern of a Multibit step.
class PatternCalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit PatternCalculatorDialog(QWidget* parent = nullptr);

    // Opens modally, preset from the parameter box's text for outputCount outputs; returns the
    // pattern on OK and nothing on Cancel.
    std::optional<int> run(const QString& boxText, int outputCount);

private:
    void showModel();

    PatternCalculator model_;
    QLineEdit* original_;
    QLineEdit* parameter_;
    std::array<QCheckBox*, PatternOutputBoxes> outputs_{};
    QCheckBox* allDark_;
    QCheckBox* noDark_;
};

} // namespace vexa
