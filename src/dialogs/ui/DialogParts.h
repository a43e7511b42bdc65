#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace vexa {

// Object name of control i of an indexed control array: "Name(i)".
QString IndexedName(const char* name, int index);

// A push button with the given object name and caption.
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption);

} // namespace vexa
