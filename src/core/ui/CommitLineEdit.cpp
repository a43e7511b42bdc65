#include "core/ui/CommitLineEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vexa {

CommitLineEdit::CommitLineEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    // setText clears the modified flag before it announces the new text; typing sets it.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isModified())
            shown_ = text;
    });
    connect(this, &QLineEdit::returnPressed, this, &CommitLineEdit::commitEdit);
}

bool CommitLineEdit::hasEdit() const {
    return isModified() && (retypingCommits_ || text() != shown_);
}

void CommitLineEdit::commitEdit() {
    const bool edited = hasEdit();
    // Marked before the rule runs: a rule that commits every field again finds nothing here.
    shown_ = text();
    setModified(false);
    if (edited)
        emit commitRequested();
}

void CommitLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void CommitLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CommitLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        commitEdit();
}

} // namespace vexa
