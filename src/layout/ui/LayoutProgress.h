#pragma once

#include "core/OperationRunner.h"
#include "core/Progress.h"
#include "core/ui/LatestProgress.h"

#include <QWidget>

#include <atomic>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vexa {

// The progress line of the "Layout" window: the stage and count of the layout operation under
// way, and "Stop" (`cmdLayoutStop`; Escape anywhere in the window), which stops whatever
// operation runs, as the main window's "Stop" does. It passes everything on to the runner's
// own progress, so that the main window shows the same. When the window cannot start an
// operation because another one runs, the line says so. The operation tells it from its own
// thread; the line shows the latest of it on the window's.
class LayoutProgress : public QWidget, public Progress {
    Q_OBJECT
public:
    LayoutProgress(OperationRunner& runner, QWidget* window);

    // Runs the operation through the runner with this progress; its result, or nullopt when it
    // did not start because another operation runs (said in the line).
    std::optional<bool> run(const std::string& title, const Operation& operation);
    // Says that an operation runs, when one does; true then.
    bool refusedWhileBusy();

    void stage(const std::string& text) override;
    void count(int done, int total) override;
    bool stopRequested() override;
    void keepAlive() override;
    void refusedMeanwhile() override;

private:
    void showRunning(bool running);
    void showStage(const std::string& text);
    void showCount(int done, int total);
    // Says once per operation that it stops, on the window's thread.
    void sayStopping();

    OperationRunner& runner_;
    // The runner's progress while an operation of this window runs; set on the operation's thread.
    std::atomic<Progress*> outer_ = nullptr;
    std::atomic<bool> stoppingSaid_ = false;
    QLabel* stage_;
    QProgressBar* bar_;
    QPushButton* stop_;
    LatestProgress* latest_;
};

} // namespace vexa
