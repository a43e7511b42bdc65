#pragma once

#include <QString>

class QWidget;

namespace vexa {

// What a screen reader reads for each control, in one place: a window, a page or a dialog calls
// NameForScreenReaders once it is built, and every control inside gets a name and a
// description derived from what the sighted user reads.
//
// The name is the control's own caption (read live by the toolkit, without the "&" of its
// Alt+letter), else the label that stands before it in its row (made its buddy, so that the
// name follows the label's text), else its tooltip, else the hint shown in an empty field,
// else the title of the frame around it. The description is the tooltip; where there is none,
// or the name came from it, it says where the control sits (its frame and its page or window).
// A name or description the page set itself is kept: indexed controls ("Pin 5", "Step 3
// instruction") and controls the derivation reads wrongly are named by their page.
void NameForScreenReaders(QWidget* scope);

// True for the widgets a screen reader user works with: whatever takes the focus or shows a
// value (buttons, fields, lists, tables, sliders, tab bars), but not the parts the toolkit
// builds inside them (the field of a combo box, scroll bars, viewports).
bool IsControl(const QWidget* widget, const QWidget* scope);

// The name and the description the accessibility interface gives a screen reader for the
// widget (a combo box or a tab bar counts as nameless unless it was named: the toolkit reads
// its current item as its name).
QString ReadName(QWidget* widget);
QString ReadDescription(QWidget* widget);

} // namespace vexa
