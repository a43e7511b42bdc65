#pragma once

class QWidget;

namespace vexa {

// A wheel turn over the control while it does not have the focus scrolls the page behind it
// instead of choosing another value: scrolling through a page never changes the configuration.
// Clicked or tabbed into, the control takes the wheel as usual.
void TakeWheelOnlyWhenFocused(QWidget* control);

} // namespace vexa
