#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace vexa {

// A push button with its caption and the object name by which the window, its tests and the
// keyboard find it. It never presses itself on Enter in a dialog: a dialog's default button does.
QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent);

} // namespace vexa
