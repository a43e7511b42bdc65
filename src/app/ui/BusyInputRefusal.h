#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace vexa {

// While an operation runs, the image and the link are the operation's: a press, a wheel turn
// or a typed key aimed at a control of the window that could change them is refused, and the
// window says so. Moving the focus (Tab, Ctrl+Tab), Escape and the controls that take input
// while busy (core/ui/InputWhileBusy.h) are left alone, as are other windows and message boxes.
class BusyInputRefusal : public QObject {
public:
    BusyInputRefusal(QWidget& window, std::function<bool()> busy, std::function<void()> refused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<bool()> busy_;
    std::function<void()> refused_;
};

} // namespace vexa
