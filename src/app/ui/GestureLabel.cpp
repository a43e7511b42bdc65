#include "app/ui/GestureLabel.h"

#include <QMouseEvent>

namespace vexa {

void GestureLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

void GestureLabel::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button());
    QLabel::mousePressEvent(event);
}

} // namespace vexa
