#pragma once

#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vexa {

class OperationRunner;

// The message monitor: "Clear", "Monitor" and "Stop" with the monitor text. While it runs,
// the poll timer asks the controller every 100 ms for a message to report; it stops as soon
// as "Monitor" loses the focus to another control (ending a poll that waits), and after the
// first poll that failed.
class MonitorPanel : public QWidget, public SessionView {
    Q_OBJECT
public:
    MonitorPanel(Session& session, OperationRunner& runner, QWidget* parent = nullptr);

    bool monitoring() const;
    // One tick of the poll timer: one poll, unless another operation runs. A failed poll ends
    // the monitor.
    void poll();
    void refreshFromSession() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startMonitoring();
    void stopMonitoring();

    Session& session_;
    OperationRunner& runner_;
    QPushButton* commandFBM_[3] = {};
    QPlainTextEdit* textFBM_;
    QTimer* timer2_;
    std::string shown_;
    bool polling_ = false; // a poll of this monitor runs
};

} // namespace vexa
