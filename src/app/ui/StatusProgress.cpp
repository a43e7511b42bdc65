#include "app/ui/StatusProgress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace vexa {

namespace {

constexpr int ShowAfterMs = 300;
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
      bar_(new QProgressBar(this)), stopButton_(new QPushButton(QStringLiteral("Stop"), this)),
      showLater_(new QTimer(this)), latest_(new LatestProgress(
                                        this, [this](const std::string& text) { showStage(text); },
                                        [this](int done, int total) { showCount(done, total); })) {
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
    showLater_->setSingleShot(true);
    showLater_->setInterval(ShowAfterMs);
    connect(showLater_, &QTimer::timeout, this, [this] {
        if (running_)
            showRunning(true);
    });
    statusBar->addPermanentWidget(this);
    showRunning(false);
}

bool StatusProgress::run(const std::string& title, const std::function<bool()>& operation) {
    running_ = true;
    stopRequested_ = false;
    stopButton_->setEnabled(true);
    stageLabel_->setText(QString::fromStdString(title));
    bar_->setRange(0, 0);
    showLater_->start();
    latest_->start();
    // Hidden again also when the operation ends by an exception.
    struct Ended {
        StatusProgress& progress;
        ~Ended() {
            progress.running_ = false;
            progress.showLater_->stop();
            progress.latest_->stop();
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
    latest_->stage(text);
}

void StatusProgress::count(int done, int total) {
    latest_->count(done, total);
}

void StatusProgress::showStage(const std::string& text) {
    if (!stopRequested_)
        stageLabel_->setText(QString::fromStdString(text));
    bar_->setRange(0, 0);
}

void StatusProgress::showCount(int done, int total) {
    if (total > 0) {
        bar_->setRange(0, total);
        bar_->setValue(done);
        bar_->setFormat(QStringLiteral("%v of %m"));
    } else {
        bar_->setRange(0, 0);
    }
}

// Both may come from the operation's thread: the status line is shown on the window's.
void StatusProgress::refusedMeanwhile() {
    QMetaObject::invokeMethod(
        this, [this] { statusBar_->showMessage(QString::fromLatin1(OperationRunsText), NoticeMs); },
        Qt::AutoConnection);
}

void StatusProgress::note(const std::string& text) {
    QMetaObject::invokeMethod(
        this, [this, shown = QString::fromStdString(text)] { statusBar_->showMessage(shown); }, Qt::AutoConnection);
}

void StatusProgress::requestStop() {
    if (!running_)
        return;
    stopRequested_ = true;
    stopButton_->setEnabled(false);
    stageLabel_->setText(QString::fromLatin1(StoppingText));
}

void StatusProgress::showRunning(bool shown) {
    shown_ = shown;
    stageLabel_->setVisible(shown);
    bar_->setVisible(shown);
    stopButton_->setVisible(shown);
    labelAction_->setVisible(commandWaiting_ || shown_);
}

} // namespace vexa
