#include "core/ui/PressButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vexa {

PressButton::PressButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFocusPolicy(Qt::TabFocus);
}

void PressButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        // The action may open a dialog that takes the release: do not leave the button down.
        setDown(false);
        emit leftPressed(event->modifiers());
    }
}

void PressButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        emit leftPressed(event->modifiers() & ~Qt::KeypadModifier);
        return;
    }
    QPushButton::keyPressEvent(event);
}

bool PressButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && isEnabled()) {
        emit leftPressed(Qt::NoModifier);
        return true;
    }
    return QPushButton::event(event);
}

} // namespace vexa
