#pragma once

#include <QPushButton>

namespace vexa {

// A button whose action is tied to the press of the left mouse button, with the modifier
// keys held at that moment. From the keyboard it acts when it has the focus and Space or Enter
// is pressed (with the modifiers held then), and on its Alt+letter (without modifiers). A click
// does not take the focus from the field being edited.
class PressButton : public QPushButton {
    Q_OBJECT
public:
    explicit PressButton(const QString& text, QWidget* parent = nullptr);

signals:
    void leftPressed(Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace vexa
