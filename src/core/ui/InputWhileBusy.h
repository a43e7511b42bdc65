#pragma once

#include <QVariant>
#include <QWidget>

namespace vexa {

// Controls that take the user's input while an operation runs, because it cannot touch what
// the operation works on: they remember a command word, stop the operation, switch tabs, or
// hand a live value to the coalescing sender. Every other control of the window refuses input
// then.
inline constexpr const char* InputWhileBusyProperty = "acceptsInputWhileBusy";

inline void AcceptInputWhileBusy(QWidget* widget) {
    widget->setProperty(InputWhileBusyProperty, true);
}

// True when the widget or one of its parents takes input while an operation runs.
inline bool AcceptsInputWhileBusy(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (widget->property(InputWhileBusyProperty).toBool())
            return true;
    return false;
}

} // namespace vexa
