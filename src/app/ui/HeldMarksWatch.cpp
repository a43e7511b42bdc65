#include "app/ui/HeldMarksWatch.h"

#include "batch/WriteChanges.h"
#include "core/ui/HeldMarks.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace vexa {

namespace {

constexpr int LookIntervalMs = 250;

} // namespace

HeldMarksWatch::HeldMarksWatch(Session& session, QStatusBar* statusBar, const std::vector<SessionView*>& views,
                               QObject* parent)
    : QObject(parent), session_(session), views_(views), statusBar_(statusBar), label_(new QLabel(statusBar)),
      timer_(new QTimer(this)) {
    label_->setObjectName(QStringLiteral("LabelChanges"));
    label_->setToolTip(HeldMarksLegend());
    label_->setWordWrap(true); // a second line rather than a window wider than the screen
    label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar->addPermanentWidget(label_, 1);
    timer_->setInterval(LookIntervalMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        makeRoom();
        refresh();
    });
    connect(statusBar, &QStatusBar::messageChanged, this, &HeldMarksWatch::makeRoom);
    timer_->start();
}

void HeldMarksWatch::makeRoom() {
    // The progress of a running operation needs the status bar for itself.
    const auto* stage = statusBar_->findChild<QWidget*>(QStringLiteral("lblProgressStage"));
    label_->setVisible(!stage || !stage->isVisible());
    // A message keeps at least half the bar, left of the count.
    label_->setMaximumWidth(statusBar_->currentMessage().isEmpty() ? QWIDGETSIZE_MAX : statusBar_->width() / 2);
    // As many lines as the text takes at the width it has: one, mostly.
    label_->setFixedHeight(label_->heightForWidth(std::max(1, label_->width())));
}

void HeldMarksWatch::refresh(bool force) {
    if (session_.operationRunning && !force)
        return; // the operation's end redraws them
    const std::uint64_t revision = session_.controllerCopy().revision();
    const bool same = drawn_ && revision == revision_ && session_.image == image_ &&
                      session_.numberingBase == numberingBase_ && session_.eventPin == eventPin_;
    if (same && !force)
        return;
    drawn_ = true;
    image_ = session_.image;
    revision_ = revision;
    numberingBase_ = session_.numberingBase;
    eventPin_ = session_.eventPin;
    for (SessionView* view : views_)
        view->showHeldMarks();
    label_->setText(QString::fromStdString(ChangesStatusText(session_)));
}

} // namespace vexa
