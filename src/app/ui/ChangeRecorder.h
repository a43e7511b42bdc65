#pragma once

#include "app/EditHistory.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include <string>

class QAction;

namespace vexa {

class MainWindow;

// The one place that records every change made in the window, for undo and redo. After each
// key, click or wheel turn has been handled (and at every tick of the dispatch timer) the
// window's configuration is compared with the state the history is at, and a difference
// becomes a step named by what changed ("Pin 7 Aspect 2 step 3"); so no view has to report its
// edits. Operations and file loads record themselves as one step each, named by their caption.
// Nothing is recorded while an operation runs or a dialog or message box stands open: the
// change is recorded once it is done. Typing on in one text field is one step.
//
// Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z) go first to a text field that holds an edit of its own;
// only a field without one leaves them to the window's undo and redo.
class ChangeRecorder : public QObject {
    Q_OBJECT
public:
    explicit ChangeRecorder(MainWindow& window);

    // The history starts anew at the window's configuration.
    void reset();
    // Records the window's configuration as a step when it changed; `name` names the step, else
    // it is named by what changed. True when a step was recorded.
    bool record(const std::string& name = {});
    // Records what an operation changed as one step: its caption and, where it changed one
    // place, that place ("Read Pin Config: Pin 3 configuration").
    bool recordOperation(const std::string& caption);
    // Takes back the latest step, or brings the step taken back last again. The window's
    // configuration changes; the controller does not.
    void undo();
    void redo();

    // "Undo NAME" and "Redo NAME" for the Edit menu, with their keys.
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mayRecord() const;
    EditState windowState() const;
    void show(const EditState& state);
    void updateActions();
    void recordLater();

    MainWindow& window_;
    EditHistory history_;
    QAction* undo_;
    QAction* redo_;
    bool recordPosted_ = false;
    std::string clickedCaption_;  // the window's button clicked since the last record, if any
    QPointer<QLineEdit> typedIn_; // the text field of the latest step, when it was made in one
};

} // namespace vexa
