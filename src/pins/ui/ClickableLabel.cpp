#include "pins/ui/ClickableLabel.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>

namespace vexa {

ClickableLabel::ClickableLabel(const QString& name, const QString& text, QWidget* parent) : QLabel(text, parent) {
    setObjectName(name);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; } "
                                 "QLabel:focus { border: 1px dotted palette(highlight); }"));
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    // The gesture the label answers to.
    if (isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked)))
        emit clicked();
    else
        emit doubleClicked();
}

} // namespace vexa
