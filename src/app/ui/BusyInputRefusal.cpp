#include "app/ui/BusyInputRefusal.h"

#include "core/ui/InputWhileBusy.h"

#include <QApplication>
#include <QKeyEvent>

namespace vexa {

namespace {

// Keys that only move the focus or stop the operation.
bool MovesOnly(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// A wheel turns only the control with the focus (core/ui/FocusedWheel): elsewhere it scrolls.
bool IsInput(const QEvent& event, const QWidget& widget) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::Wheel:
        return widget.hasFocus();
    case QEvent::KeyPress:
        return !MovesOnly(static_cast<const QKeyEvent&>(event));
    default:
        return false;
    }
}

} // namespace

BusyInputRefusal::BusyInputRefusal(QWidget& window, std::function<bool()> busy, std::function<void()> refused)
    : QObject(&window), window_(window), busy_(std::move(busy)), refused_(std::move(refused)) {
    qApp->installEventFilter(this);
}

bool BusyInputRefusal::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (!IsInput(*event, *widget) || !busy_() || widget->window() != &window_ || AcceptsInputWhileBusy(widget))
        return false;
    refused_();
    return true;
}

} // namespace vexa
