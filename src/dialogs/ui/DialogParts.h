#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace vexa {

// Object name of control i of an indexed control array: "Name(i)".
QString IndexedName(const char* name, int index);

// The "OK" (default, accepts) and "Cancel" (rejects) buttons of a dialog, right-aligned in a row.
QHBoxLayout* MakeOkCancelRow(QDialog* dialog);

// Lays out a pattern calculator: its two choice boxes side by side, below them the read-only
// "Original" and "Parameter" fields (named here), then the "OK" and "Cancel" row.
void LayOutPatternCalculator(QDialog* dialog, QWidget* leftBox, QWidget* rightBox, QLineEdit* original,
                             QLineEdit* parameter);

// Shows a pattern calculator modally on its opened model: the composed value on OK; on Cancel the
// model drops the changes, the controls show it again and there is no value.
template <class Model, class Show>
std::optional<int> ExecPatternCalculator(QDialog& dialog, Model& model, Show showModel) {
    showModel();
    if (dialog.exec() == QDialog::Accepted)
        return model.sum();
    model.cancel();
    showModel();
    return std::nullopt;
}

} // namespace vexa
