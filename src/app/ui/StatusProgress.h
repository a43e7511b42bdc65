#pragma once

#include "core/OperationRunner.h"
#include "core/Progress.h"
#include "core/ui/LatestProgress.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

namespace vexa {

// The progress of the running operation, in the window's status bar: the busy label
// `LabelAction`, the stage, a bar with the count where there is one, and "Stop" (also Escape).
// No dialog shields the window: the operation runs on its own thread while the window handles
// its events, and what the operation tells (from that thread) is shown on the window's thread,
// the latest of it at most every ~30 ms. The stage, the bar and "Stop" appear once an operation
// has run for a moment, so that short ones (a slider step) do not flicker.
class StatusProgress : public QWidget, public Progress {
    Q_OBJECT
public:
    explicit StatusProgress(QStatusBar* statusBar);

    // Runs `operation` (which waits for the operation's thread) as the shown operation titled
    // `title`; returns its result.
    bool run(const std::string& title, const std::function<bool()>& operation);
    // A command word waits for its turn or runs: the busy label shows meanwhile.
    void setCommandWaiting(bool waiting);

    void stage(const std::string& text) override;
    void count(int done, int total) override;
    bool stopRequested() override { return stopRequested_; }
    void refusedMeanwhile() override;
    // Stands in the status line until the next message.
    void note(const std::string& text) override;

    // Asks the operation to stop after the exchange under way.
    void requestStop();

private:
    void showStage(const std::string& text);
    void showCount(int done, int total);
    void showRunning(bool shown);

    QStatusBar* statusBar_;
    QLabel* labelAction_;
    QLabel* stageLabel_;
    QProgressBar* bar_;
    QPushButton* stopButton_;
    QTimer* showLater_;
    LatestProgress* latest_;
    bool running_ = false;
    bool shown_ = false;
    bool commandWaiting_ = false;
    std::atomic<bool> stopRequested_ = false; // read by the operation's thread
};

} // namespace vexa
