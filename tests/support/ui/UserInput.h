#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWheelEvent>

namespace vexa::test {

// Replaces a field's text by typing, key by key, as a user does (an edit of the field).
inline void TypeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Types the text and presses Enter.
inline void TypeAndEnter(QLineEdit* field, const QString& text) {
    TypeInto(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// One notch of the mouse wheel over the middle of the widget (up for a positive delta). Returns
// whether the widget took it; one it leaves goes on to the page behind (a scroll area) when it
// comes from a real wheel.
inline bool TurnWheel(QWidget* widget, int delta) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

} // namespace vexa::test
