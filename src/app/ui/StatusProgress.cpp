#include "app/ui/StatusProgress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

#include <algorithm>

namespace vexa {

namespace {

constexpr qint64 ShowAfterMs = 300;
constexpr qint64 HandleEveryMs = 25;
constexpr int NoticeMs = 5000;
constexpr int StageWidth = 240;

// The stage of the running operation: a least width, so that the bar does not move with each
// stage's text, and never less than its text ("Stopping after the current exchange ...").
class StageLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override {
        const QSize text = QLabel::minimumSizeHint();
        return {std::max(StageWidth, text.width()), text.height()};
    }
};

} // namespace

StatusProgress::StatusProgress(QStatusBar* statusBar)
    : QWidget(statusBar), statusBar_(statusBar),
      labelAction_(new QLabel(QStringLiteral("  Working ... Please WAIT"), this)), stageLabel_(new StageLabel(this)),
      bar_(new QProgressBar(this)), stopButton_(new QPushButton(QStringLiteral("Stop"), this)) {
    setObjectName(QStringLiteral("FrameProgress"));
    labelAction_->setObjectName(QStringLiteral("LabelAction"));
    QFont busyFont = labelAction_->font();
    busyFont.setBold(true);
    labelAction_->setFont(busyFont);
    stageLabel_->setObjectName(QStringLiteral("lblProgressStage"));
    bar_->setObjectName(QStringLiteral("barProgress"));
    bar_->setAccessibleName(QStringLiteral("Progress"));
    bar_->setFixedWidth(160);
    stopButton_->setObjectName(QStringLiteral("cmdStop"));
    stopButton_->setToolTip(QStringLiteral("Stop the operation after the exchange under way (Esc)"));
    stopButton_->setAutoDefault(false);
    // The status bar keeps its height: the window's content does not jump when "Stop" appears.
    QSizePolicy keepRoom = stopButton_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    stopButton_->setSizePolicy(keepRoom);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(labelAction_);
    layout->addWidget(stageLabel_);
    layout->addWidget(bar_);
    layout->addWidget(stopButton_);
    connect(stopButton_, &QPushButton::clicked, this, &StatusProgress::requestStop);
    // Not the button's own shortcut: that clicks a moment later, when the next operation may run.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), stopButton_), &QShortcut::activated, this,
            &StatusProgress::requestStop);
    statusBar->addPermanentWidget(this);
    showRunning(false);
}

bool StatusProgress::run(const std::string& title, const std::function<bool()>& operation) {
    running_ = true;
    stopRequested_ = false;
    stopButton_->setEnabled(true);
    stageLabel_->setText(QString::fromStdString(title));
    bar_->setRange(0, 0);
    started_.start();
    lastHandled_.start();
    // Hidden again also when the operation ends by an exception.
    struct Ended {
        StatusProgress& progress;
        ~Ended() {
            progress.running_ = false;
            progress.showRunning(false);
        }
    } ended{*this};
    return operation();
}

void StatusProgress::setCommandWaiting(bool waiting) {
    commandWaiting_ = waiting;
    labelAction_->setVisible(commandWaiting_ || shown_);
}

void StatusProgress::stage(const std::string& text) {
    if (!stopRequested_)
        stageLabel_->setText(QString::fromStdString(text));
    bar_->setRange(0, 0);
    handleEvents(true);
}

void StatusProgress::count(int done, int total) {
    if (total > 0) {
        bar_->setRange(0, total);
        bar_->setValue(done);
        bar_->setFormat(QStringLiteral("%v of %m"));
    } else {
        bar_->setRange(0, 0);
    }
    handleEvents(false);
}

void StatusProgress::keepAlive() {
    handleEvents(false);
}

void StatusProgress::refusedMeanwhile() {
    statusBar_->showMessage(QString::fromLatin1(OperationRunsText), NoticeMs);
}

void StatusProgress::note(const std::string& text) {
    statusBar_->showMessage(QString::fromStdString(text));
}

void StatusProgress::requestStop() {
    if (!running_)
        return;
    stopRequested_ = true;
    stopButton_->setEnabled(false);
    stageLabel_->setText(QString::fromLatin1(StoppingText));
}

void StatusProgress::handleEvents(bool force) {
    if (!running_ || (!force && lastHandled_.elapsed() < HandleEveryMs))
        return;
    lastHandled_.restart();
    if (!shown_ && started_.elapsed() >= ShowAfterMs)
        showRunning(true);
    emit eventsAboutToBeHandled();
    QApplication::processEvents();
    emit eventsHandled();
}

void StatusProgress::showRunning(bool shown) {
    shown_ = shown;
    stageLabel_->setVisible(shown);
    bar_->setVisible(shown);
    stopButton_->setVisible(shown);
    labelAction_->setVisible(commandWaiting_ || shown_);
}

} // namespace vexa
