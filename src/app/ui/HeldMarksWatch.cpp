#include "app/ui/HeldMarksWatch.h"

#include "batch/WriteChanges.h"
#include "core/ui/HeldMarks.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace vexa {

namespace {

constexpr int LookIntervalMs = 250;

} // namespace

HeldMarksWatch::HeldMarksWatch(Session& session, QStatusBar* statusBar, const std::vector<SessionView*>& views,
                               QObject* parent)
    : QObject(parent), session_(session), views_(views), label_(new QLabel(statusBar)), timer_(new QTimer(this)) {
    label_->setObjectName(QStringLiteral("LabelChanges"));
    label_->setToolTip(HeldMarksLegend());
    statusBar->addPermanentWidget(label_);
    timer_->setInterval(LookIntervalMs);
    connect(timer_, &QTimer::timeout, this, [this] { refresh(); });
    timer_->start();
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
