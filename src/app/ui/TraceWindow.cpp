#include "app/ui/TraceWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int FollowIntervalMs = 300;

QString DisplayText(const std::string& text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

TraceWindow::TraceWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), text_(new QPlainTextEdit(this)), follow_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmCorvanComm"));
    setWindowTitle(QStringLiteral("Communication"));
    text_->setObjectName(QStringLiteral("txtCorvanCommunication"));
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
}

void TraceWindow::refreshFromSession() {
    const std::string& text = session_.trace.text();
    if (text == shown_)
        return;
    shown_ = text;
    text_->setPlainText(DisplayText(text));
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

void TraceWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshFromSession();
    follow_->start();
}

} // namespace vexa
