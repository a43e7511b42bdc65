#include "app/ui/ProgressDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr qint64 ShowAfterMs = 300;
constexpr qint64 ProcessEveryMs = 25;

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent), stageLabel_(new QLabel(this)), bar_(new QProgressBar(this)),
      stopButton_(new QPushButton(QStringLiteral("Stop"), this)) {
    setObjectName(QStringLiteral("dlgProgress"));
    setWindowTitle(QStringLiteral("Vexa Config"));
    setWindowModality(Qt::WindowModal);
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);
    stageLabel_->setObjectName(QStringLiteral("lblProgressStage"));
    stageLabel_->setMinimumWidth(360);
    bar_->setObjectName(QStringLiteral("barProgress"));
    bar_->setRange(0, 0);
    stopButton_->setObjectName(QStringLiteral("cmdStop"));
    stopButton_->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stageLabel_);
    layout->addWidget(bar_);
    layout->addWidget(stopButton_, 0, Qt::AlignRight);
    connect(stopButton_, &QPushButton::clicked, this, &ProgressDialog::requestStop);
    started_.start();
    lastProcessed_.start();
}

void ProgressDialog::stage(const std::string& text) {
    if (!stopRequested_)
        stageLabel_->setText(QString::fromStdString(text));
    bar_->setRange(0, 0);
    processEvents(true);
}

void ProgressDialog::count(int done, int total) {
    if (total > 0) {
        bar_->setRange(0, total);
        bar_->setValue(done);
        bar_->setFormat(QStringLiteral("%v of %m"));
    } else {
        bar_->setRange(0, 0);
    }
    processEvents(false);
}

void ProgressDialog::keepAlive() {
    processEvents(false);
}

void ProgressDialog::requestStop() {
    stopRequested_ = true;
    stopButton_->setEnabled(false);
    stageLabel_->setText(QStringLiteral("Stopping after the current exchange ..."));
}

void ProgressDialog::reject() {
    requestStop();
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestStop();
}

void ProgressDialog::processEvents(bool force) {
    if (!force && lastProcessed_.elapsed() < ProcessEveryMs)
        return;
    lastProcessed_.restart();
    if (!isVisible() && started_.elapsed() >= ShowAfterMs)
        show();
    // Until the dialog shields the window, clicks and keys stay queued.
    QApplication::processEvents(isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace vexa
