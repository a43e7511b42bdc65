#pragma once

#include "core/Progress.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vexa {

// The progress of a long operation: a window-modal dialog with the stage, a count where there
// is one, and a "Stop" button. While it is up the window keeps painting but takes no other
// input. It appears only once the operation has run for a moment, so short ones do not flicker;
// until then only painting is processed.
class ProgressDialog : public QDialog, public Progress {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* parent);

    void stage(const std::string& text) override;
    void count(int done, int total) override;
    bool stopRequested() override { return stopRequested_; }
    void keepAlive() override;

    // Asks the operation to stop after the exchange under way.
    void requestStop();
    // Escape asks to stop; the dialog stays until the operation ends.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void processEvents(bool force);

    QLabel* stageLabel_;
    QProgressBar* bar_;
    QPushButton* stopButton_;
    QElapsedTimer started_;
    QElapsedTimer lastProcessed_;
    bool stopRequested_ = false;
};

} // namespace vexa
