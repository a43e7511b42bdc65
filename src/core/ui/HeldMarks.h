#pragma once

#include "core/ControllerCopy.h"

#include <QString>

class QGroupBox;

class QWidget;

namespace vexa {

// How every view shows where an item stands against what the controller holds, in one place so
// that every page looks the same. The marks read without colour: a changed item is bold and its
// caption starts with "•", an unknown one is italic and its caption starts with "◦"; a tint
// helps where colour is seen, and the legend (the status line's tooltip) says it in words.

inline constexpr const char* ChangedMark = "\u2022 "; // "• "
inline constexpr const char* UnknownMark = "\u25E6 "; // "◦ "

// The legend of the marks, for the status bar's tooltip.
QString HeldMarksLegend();
// The state in words ("Changed: differs from what the controller holds ...").
QString HeldStateText(HeldState state);

// A caption with the mark of the state before it.
QString MarkedCaption(const QString& caption, HeldState state);

// Marks a field or a frame: its mark property, which the window's style rules tint and set in
// bold or italic. The widget's tooltip is left to the widget (it may say what the wire carries).
void MarkHeldState(QWidget* widget, HeldState state);
// Marks a frame and its title (the caption with its mark, the title's Alt+letter kept).
void MarkHeldFrame(QGroupBox* frame, const QString& caption, HeldState state);

// The state a widget was last marked with.
HeldState MarkedHeldState(const QWidget* widget);

// The style rules of the marks, for the window's style sheet.
QString HeldMarkStyleRules();

} // namespace vexa
