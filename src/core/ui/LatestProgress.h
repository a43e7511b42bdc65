#pragma once

#include <QObject>

#include <functional>
#include <mutex>
#include <string>

class QTimer;

namespace vexa {

// What a running operation last told a progress line, kept for the line's own thread. The
// operation may run on another thread and tell its stage and count thousands of times a second;
// the line takes only the latest of them, at most once every ~30 ms, so a burst costs one
// repaint and the window's thread never waits on the operation. Told on the line's own thread,
// it shows at once.
class LatestProgress : public QObject {
public:
    using ShowStage = std::function<void(const std::string& text)>;
    using ShowCount = std::function<void(int done, int total)>;

    // `showStage` and `showCount` are called on the thread of `parent`.
    LatestProgress(QObject* parent, ShowStage showStage, ShowCount showCount);

    // From any thread: a new stage (the count starts again) or a new count.
    void stage(const std::string& text);
    void count(int done, int total);

    // While an operation runs the line looks for news; at its end it shows the last of them.
    void start();
    void stop();

private:
    void show();
    bool onOwnThread() const;

    ShowStage showStage_;
    ShowCount showCount_;
    QTimer* look_;
    std::mutex mutex_;
    std::string stage_;
    int done_ = 0;
    int total_ = 0;
    bool stageNew_ = false;
    bool countNew_ = false;
};

} // namespace vexa
