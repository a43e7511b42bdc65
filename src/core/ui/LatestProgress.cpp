#include "core/ui/LatestProgress.h"

#include <QThread>
#include <QTimer>

namespace vexa {

namespace {

constexpr int LookIntervalMs = 30;

} // namespace

LatestProgress::LatestProgress(QObject* parent, ShowStage showStage, ShowCount showCount)
    : QObject(parent), showStage_(std::move(showStage)), showCount_(std::move(showCount)), look_(new QTimer(this)) {
    look_->setInterval(LookIntervalMs);
    connect(look_, &QTimer::timeout, this, &LatestProgress::show);
}

void LatestProgress::stage(const std::string& text) {
    {
        const std::lock_guard lock(mutex_);
        stage_ = text;
        stageNew_ = true;
        done_ = total_ = 0;
        countNew_ = false; // the stage shows its own busy bar
    }
    if (onOwnThread())
        show();
}

void LatestProgress::count(int done, int total) {
    {
        const std::lock_guard lock(mutex_);
        done_ = done;
        total_ = total;
        countNew_ = true;
    }
    if (onOwnThread())
        show();
}

void LatestProgress::start() {
    look_->start();
}

void LatestProgress::stop() {
    look_->stop();
    show();
}

void LatestProgress::show() {
    std::string stage;
    int done = 0;
    int total = 0;
    bool stageNew = false;
    bool countNew = false;
    {
        const std::lock_guard lock(mutex_);
        stage = std::move(stage_);
        done = done_;
        total = total_;
        stageNew = std::exchange(stageNew_, false);
        countNew = std::exchange(countNew_, false);
    }
    if (stageNew)
        showStage_(stage);
    if (countNew)
        showCount_(done, total);
}

bool LatestProgress::onOwnThread() const {
    return thread() == QThread::currentThread();
}

} // namespace vexa
