#pragma once

#include "core/OperationRunner.h"
#include "core/Progress.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace vexa {

// The progress of the running operation, in the window's status bar: the busy label
// `LabelAction`, the stage, a bar with the count where there is one, and "Stop" (also Escape).
// No dialog shields the window: every keep-alive handles the window's events, so its controls
// stay reachable while the operation waits. The stage, the bar and "Stop" appear once an
// operation has run for a moment, so that short ones (a slider step) do not flicker.
class StatusProgress : public QWidget, public Progress {
    Q_OBJECT
public:
    explicit StatusProgress(QStatusBar* statusBar);

    // Runs `operation` as the shown operation titled `title`; returns its result.
    bool run(const std::string& title, const std::function<bool()>& operation);
    // A command word waits for its turn or runs: the busy label shows meanwhile.
    void setCommandWaiting(bool waiting);

    void stage(const std::string& text) override;
    void count(int done, int total) override;
    bool stopRequested() override { return stopRequested_; }
    void keepAlive() override;
    void refusedMeanwhile() override;
    // Stands in the status line until the next message.
    void note(const std::string& text) override;

    // Asks the operation to stop after the exchange under way.
    void requestStop();

signals:
    // Around each time the window's events are handled during an operation.
    void eventsAboutToBeHandled();
    void eventsHandled();

private:
    void handleEvents(bool force);
    void showRunning(bool shown);

    QStatusBar* statusBar_;
    QLabel* labelAction_;
    QLabel* stageLabel_;
    QProgressBar* bar_;
    QPushButton* stopButton_;
    QElapsedTimer started_;
    QElapsedTimer lastHandled_;
    bool running_ = false;
    bool shown_ = false;
    bool commandWaiting_ = false;
    bool stopRequested_ = false;
};

} // namespace vexa
