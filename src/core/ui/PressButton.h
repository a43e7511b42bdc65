#pragma once

#include <QPushButton>

namespace vexa {

// A button whose action is tied to the press of the left mouse button, with the modifier
// keys held at that moment. Activating it from the keyboard does nothing.
class PressButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

signals:
    void leftPressed(Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace vexa
