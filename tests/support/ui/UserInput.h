#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

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

// Input given as soon as `condition` holds, from the event loop as a user's input comes (also
// while an operation runs and handles the window's events): `act` runs once, at the first of
// the looks every few milliseconds at which the condition holds. The looks end with `context`.
inline void WhenReady(QObject* context, std::function<bool()> condition, std::function<void()> act) {
    auto* look = new QTimer(context);
    QObject::connect(look, &QTimer::timeout, context, [look, condition = std::move(condition), act = std::move(act)] {
        if (!look->isActive() || !condition())
            return;
        look->stop(); // and stays with the context
        act();
    });
    look->start(5);
}

} // namespace vexa::test
