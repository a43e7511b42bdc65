#include "core/ui/CommitLineEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace vexa {

CommitLineEdit::CommitLineEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    connect(this, &QLineEdit::returnPressed, this, &CommitLineEdit::commitRequested);
}

void CommitLineEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit commitRequested();
}

void CommitLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void CommitLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit commitRequested();
}

} // namespace vexa
