#pragma once

#include "core/ControllerCopy.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QToolButton;

namespace vexa {

// The 32 pins at a glance in two lines of 16, each with the mark of where it stands against the
// controller; a click on one chooses it. The buttons take no keyboard focus: the page's pin field is the keyboard's
// way to a pin, so Tab does not have to pass 32 more stops.
class PinStateStrip : public QWidget {
    Q_OBJECT
public:
    // `name` is the strip's objectName; its buttons are `name(i)` for pins i = 0..31.
    PinStateStrip(const QString& name, const QString& caption, QWidget* parent = nullptr);

    // Shows the pins as the user counts them (from the numbering base), the state of each and
    // which one is chosen.
    void showStates(const std::function<HeldState(int pin)>& stateOf, int current, int numberingBase);

signals:
    void pinChosen(int pin);

private:
    std::vector<QToolButton*> buttons_;
};

} // namespace vexa
