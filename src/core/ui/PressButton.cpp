#include "core/ui/PressButton.h"

#include <QMouseEvent>

namespace vexa {

void PressButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        // The action may open a dialog that takes the release: do not leave the button down.
        setDown(false);
        emit leftPressed(event->modifiers());
    }
}

} // namespace vexa
