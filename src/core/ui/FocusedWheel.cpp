#include "core/ui/FocusedWheel.h"

#include <QEvent>
#include <QWidget>

namespace vexa {

namespace {

class FocusedWheelFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        event->ignore(); // handed on to the parents: the scroll area scrolls
        return true;
    }
};

} // namespace

void TakeWheelOnlyWhenFocused(QWidget* control) {
    control->setFocusPolicy(Qt::StrongFocus); // a wheel turn alone gives no focus
    control->installEventFilter(new FocusedWheelFilter(control));
}

} // namespace vexa
