#include "link/ui/MonitorPanel.h"

#include "core/OperationRunner.h"
#include "core/ui/FollowingText.h"
#include "link/Monitor.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace vexa {

namespace {

enum Command { ClearCommand = 0, MonitorCommand = 1, StopCommand = 2 };
const char* const Captions[] = {"Clear", "Monitor", "Stop"};

} // namespace

MonitorPanel::MonitorPanel(Session& session, OperationRunner& runner, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner), textFBM_(new QPlainTextEdit(this)),
      timer2_(new QTimer(this)) {
    setObjectName(QStringLiteral("MonitorPanel"));
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        commandFBM_[i] = new QPushButton(QString::fromLatin1(Captions[i]), this);
        commandFBM_[i]->setObjectName(QStringLiteral("CommandFBM(%1)").arg(i));
        commandFBM_[i]->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(commandFBM_[i], 0, i);
    }
    textFBM_->setObjectName(QStringLiteral("textFBM"));
    textFBM_->setAccessibleName(QStringLiteral("Monitor messages"));
    textFBM_->setReadOnly(true);
    textFBM_->setFont(QFont(QStringLiteral("monospace")));
    layout->addWidget(textFBM_, 1, 0, 1, 4);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(1, 1);

    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(MonitorPollMs);
    connect(timer2_, &QTimer::timeout, this, &MonitorPanel::poll);
    connect(commandFBM_[ClearCommand], &QPushButton::clicked, this, [this] {
        session_.monitorText.clear();
        refreshFromSession();
    });
    connect(commandFBM_[MonitorCommand], &QPushButton::clicked, this, &MonitorPanel::startMonitoring);
    // "Stop" has no action of its own: taking the focus from "Monitor" stops the monitor.
    commandFBM_[MonitorCommand]->installEventFilter(this);
}

bool MonitorPanel::monitoring() const {
    return timer2_->isActive();
}

void MonitorPanel::startMonitoring() {
    commandFBM_[MonitorCommand]->setFocus(Qt::OtherFocusReason);
    const bool running = monitoring();
    if (!StartMonitoring(session_, running))
        return;
    timer2_->start();
    refreshFromSession();
}

void MonitorPanel::stopMonitoring() {
    if (!monitoring())
        return;
    if (polling_)
        runner_.requestStop(); // a poll waits for its answer: end that wait too
    timer2_->stop();
    StopMonitoring(session_);
    refreshFromSession();
}

bool MonitorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == commandFBM_[MonitorCommand] && event->type() == QEvent::FocusOut) {
        // Another control of this window took the focus; a message box or another window
        // coming to the front does not stop the monitor.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            stopMonitoring();
    }
    return QWidget::eventFilter(watched, event);
}

void MonitorPanel::poll() {
    if (runner_.busy())
        return; // a poll never starts while another operation runs
    if (!session_.port.isOpen()) {
        stopMonitoring(); // the port went away: rather than a message on every tick
        return;
    }
    bool passed = true;
    polling_ = true;
    runner_.runNow("Monitor", [&passed](Session& session) {
        std::string line;
        passed = MonitorTick(session, line);
        return true; // a failed poll ends the monitor; it is no failed operation
    });
    polling_ = false;
    if (!passed)
        stopMonitoring(); // the link failed (it has said so once) or the poll was stopped
    refreshFromSession();
}

void MonitorPanel::refreshFromSession() {
    ShowFollowingText(textFBM_, session_.monitorText.text(), shown_);
}

} // namespace vexa
