#include "app/ui/TraceWindow.h"

#include "core/ui/AccessibleNames.h"
#include "core/ui/FollowingText.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int FollowIntervalMs = 300;

} // namespace

TraceWindow::TraceWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), text_(new QPlainTextEdit(this)), follow_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmCorvanComm"));
    setWindowTitle(QStringLiteral("Communication"));
    text_->setObjectName(QStringLiteral("txtCorvanCommunication"));
    text_->setAccessibleName(QStringLiteral("Link trace"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFont(QStringLiteral("monospace")));
    auto* clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(clear, 0, Qt::AlignLeft);
    resize(560, 400);
    connect(clear, &QPushButton::clicked, this, [this] {
        session_.trace.clear();
        refreshFromSession();
    });
    follow_->setInterval(FollowIntervalMs);
    connect(follow_, &QTimer::timeout, this, [this] {
        if (!isVisible())
            follow_->stop();
        else
            refreshFromSession();
    });
    NameForScreenReaders(this);
}

void TraceWindow::refreshFromSession() {
    ShowFollowingText(text_, session_.trace.text(), shown_);
}

void TraceWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshFromSession();
    follow_->start();
}

} // namespace vexa
