#include "layout/ui/LayoutProgress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

namespace vexa {

LayoutProgress::LayoutProgress(OperationRunner& runner, QWidget* window)
    : QWidget(window), runner_(runner), stage_(new QLabel(this)), bar_(new QProgressBar(this)),
      stop_(new QPushButton(QStringLiteral("Stop"), this)),
      latest_(new LatestProgress(
          this, [this](const std::string& text) { showStage(text); },
          [this](int done, int total) { showCount(done, total); })) {
    setObjectName(QStringLiteral("FrameLayoutProgress"));
    stage_->setObjectName(QStringLiteral("lblLayoutProgress"));
    bar_->setObjectName(QStringLiteral("barLayoutProgress"));
    bar_->setAccessibleName(QStringLiteral("Progress"));
    bar_->setFixedWidth(160);
    stop_->setObjectName(QStringLiteral("cmdLayoutStop"));
    stop_->setToolTip(QStringLiteral("Stop the operation after the exchange under way (Esc)"));
    stop_->setAutoDefault(false);
    QSizePolicy keepRoom = stop_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    stop_->setSizePolicy(keepRoom);
    bar_->setSizePolicy(keepRoom);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stage_, 1);
    layout->addWidget(bar_);
    layout->addWidget(stop_);
    connect(stop_, &QPushButton::clicked, this, [this] { runner_.requestStop(); });
    // Escape in any control of the window stops what runs, as in the main window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { runner_.requestStop(); });
    showRunning(false);
}

std::optional<bool> LayoutProgress::run(const std::string& title, const Operation& operation) {
    if (refusedWhileBusy())
        return std::nullopt;
    stage_->setText(QString::fromStdString(title));
    bar_->setRange(0, 0);
    showRunning(true);
    stoppingSaid_ = false;
    latest_->start();
    const bool passed = runner_.runNow(title, [this, &operation](Session& session) {
        outer_ = session.progress;
        session.progress = this;
        const bool done = operation(session);
        session.progress = outer_;
        outer_ = nullptr;
        return done;
    });
    latest_->stop();
    showRunning(false);
    stage_->clear();
    return passed;
}

bool LayoutProgress::refusedWhileBusy() {
    if (!runner_.busy())
        return false;
    stage_->setText(QString::fromLatin1(OperationRunsText));
    return true;
}

void LayoutProgress::stage(const std::string& text) {
    latest_->stage(text);
    if (Progress* outer = outer_)
        outer->stage(text);
}

void LayoutProgress::count(int done, int total) {
    latest_->count(done, total);
    if (Progress* outer = outer_)
        outer->count(done, total);
}

void LayoutProgress::showStage(const std::string& text) {
    stage_->setText(stopRequested() ? QString::fromLatin1(StoppingText) : QString::fromStdString(text));
}

void LayoutProgress::showCount(int done, int total) {
    bar_->setRange(0, total > 0 ? total : 0);
    if (total > 0) {
        bar_->setValue(done);
        bar_->setFormat(QStringLiteral("%v of %m"));
    }
}

bool LayoutProgress::stopRequested() {
    Progress* outer = outer_;
    return outer && outer->stopRequested();
}

void LayoutProgress::keepAlive() {
    if (Progress* outer = outer_)
        outer->keepAlive();
    if (stopRequested() && !stoppingSaid_.exchange(true))
        sayStopping();
}

void LayoutProgress::sayStopping() {
    QMetaObject::invokeMethod(
        this, [this] { stage_->setText(QString::fromLatin1(StoppingText)); }, Qt::AutoConnection);
}

void LayoutProgress::refusedMeanwhile() {
    QMetaObject::invokeMethod(
        this, [this] { stage_->setText(QString::fromLatin1(OperationRunsText)); }, Qt::AutoConnection);
    if (Progress* outer = outer_)
        outer->refusedMeanwhile();
}

void LayoutProgress::showRunning(bool running) {
    bar_->setVisible(running);
    stop_->setVisible(running);
    stop_->setEnabled(running);
}

} // namespace vexa
