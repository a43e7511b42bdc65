#pragma once

#include "app/CommandDispatch.h"
#include "app/UnsavedChanges.h"
#include "app/ui/WindowThreadPrompter.h"
#include "core/FileDialogs.h"
#include "core/OperationRunner.h"
#include "core/Session.h"
#include "core/ui/SessionView.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QPushButton;
class QTabWidget;
class QTimer;

namespace vexa {

class ChangeRecorder;
class EventPage;
class FileMenu;
class GeneralPage;
class GestureLabel;
class HeldMarksWatch;
class LayoutWindow;
class LinkControls;
class OperationThread;
class PinDialogs;
class SimulatorView;
class StatusProgress;
class TestPage;
class TraceWindow;
class VerificationWindow;
class WindowSettings;

// The one window of the tool, "Vexa Config": it owns the Session for the whole run, carries
// the menus and the link and file controls above the four tabs, and runs the deferred command
// words. Its title names the current file ("NAME.dat – Vexa Config") and marks a change since
// the configuration was loaded, saved, read or written.
class MainWindow : public QMainWindow, public OperationRunner {
    Q_OBJECT
public:
    // Tabs of SSTab_Main.
    enum Tab { GeneralTab = 0, EventTab = 1, DeviceTab = 2, TestTab = 3 };

    MainWindow(Prompter& prompter, PortProvider& ports, Clock& clock, FileDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() { return session_; }
    GeneralPage& generalPage() { return *generalPage_; }
    LinkControls& linkControls() { return *linkControls_; }
    TestPage& testPage() { return *testPage_; }

    // Puts a page into a tab (replacing what it shows) and registers its view, when given.
    void setTabPage(int index, QWidget* page, SessionView* view);
    // Registers a view: it commits its edits before each operation and is refreshed after.
    void registerView(SessionView* view);
    // A widget shown only in expert mode.
    void addExpertWidget(QWidget* widget);

    // The window's runner: an operation runs on the operation thread with its progress and "Stop"
    // in the status bar, the window handling its events meanwhile, and every view is refreshed
    // afterwards. While one runs, another is refused and the status line says so, and so is
    // input to the controls that could change what it works on.
    bool runNow(const std::string& title, const Operation& operation) override;
    // Stores a command word for the dispatch timer (also while an operation runs: the latest
    // word runs after it); shows the busy label.
    void queueCommand(const std::string& word) override;
    // True while an operation runs, until its closing message or report is done with.
    bool busy() const override { return session_.operationRunning || inOperation_; }
    // Asks the running operation to stop after the exchange under way (the status bar's Stop).
    void requestStop() override;

    // Asks every view to commit its edits, or to show the Session again.
    void commitAllViews();
    void refreshAllViews();

    // Shows the "Layout" window (made on first use).
    LayoutWindow& showLayoutWindow();
    // Makes the controller at this stored module address the one of the window and reads it
    // ("Read All"), after asking when the configuration holds unsaved edits.
    void readLayoutModule(int address);

    // Switches expert mode and shows or hides the expert widgets.
    void setExpertMode(bool on);

    // Keeps the link choices, expert mode, the recent files, and the window's size and position
    // in `settings`, and takes on what they hold from the last run.
    void useSettings(WindowSettings& settings);

    // Loads the file as "Load File" does, without the dialog (asking first about unsaved edits).
    bool openFile(const std::string& path);
    // The file the configuration was last loaded from or saved to; empty when none.
    const std::string& currentFile() const { return currentFile_; }
    void setCurrentFile(const std::string& path);
    // Ctrl+S: saves in full to the current file; asks for a name only when there is none.
    bool saveToCurrentFile();
    // Asks for a name, then saves (in full, or compact).
    bool saveAs(bool compact);
    // "NAME.dat – Vexa Config", with a mark after the name while the configuration changed.
    void updateTitle();
    // Undo and redo of the window's changes.
    ChangeRecorder& changes() { return *recorder_; }

    // One tick of the dispatch timer: runs the pending command word, if any.
    void dispatchPending();

    // The configuration changed since it was last loaded, saved, read or written (edits not
    // yet committed count).
    bool hasUnsavedChanges();
    // What closing, loading a file or reading the controller asks when there are unsaved changes;
    // replaceable so that tests can answer.
    enum class SaveChoice { Save, Discard, Cancel };
    void setSaveQuestion(std::function<SaveChoice()> question) { saveQuestion_ = std::move(question); }

signals:
    void expertModeChanged(bool on);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void makeMenus();
    void giveMnemonics();
    void storeSettings();
    QStringList recentFiles() const;
    void addRecentFile(const std::string& path);
    bool saveTo(const std::string& path, bool compact);
    bool load(const std::string& path);
    void markLoaded(const std::string& path);
    void commitAndRecord();
    QWidget* makeCommandRow();
    void makeTabs();
    void start();
    void runCommand(const CommandWord& entry);
    // Says in the status bar that `what` was done with the retries the link needed since it
    // counted `retriesBefore`; nothing when it needed none.
    void sayRetries(const std::string& what, int retriesBefore);
    void tabChanged(int index);
    void releasePressed(Qt::MouseButton button);
    void showTraceWindow();
    void showSimulatorView();
    bool saveFile(Qt::KeyboardModifiers modifiers);
    void loadFile();
    void compareWithFile();
    // The configuration sheet and the pin table of the window's configuration (File menu), and the
    // address map of the Layout window's folder.
    void printSheet();
    void exportSheet();
    void exportTable();
    void addAddressMap(LayoutWindow& window);
    SaveChoice askToSave(const char* before);
    // Before the configuration is closed or replaced: true when there is nothing unsaved, or the
    // user chose Discard, or Save and the file was saved.
    bool mayReplaceConfiguration(const char* before);
    // Runs the operation on the operation thread as the session's one running operation.
    bool runOnThread(const Operation& operation);

    WindowThreadPrompter windowPrompter_; // the session's questions, asked on this thread
    Session session_;
    FileDialogs& dialogs_;
    CommandDispatch dispatch_;
    LinkControls* linkControls_ = nullptr;
    GeneralPage* generalPage_ = nullptr;
    EventPage* eventPage_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    StatusProgress* progress_ = nullptr;
    HeldMarksWatch* marks_ = nullptr;
    OperationThread* operationThread_ = nullptr;
    bool inOperation_ = false; // inside runNow or runCommand
    GestureLabel* release_ = nullptr;
    QTimer* timer1_ = nullptr;
    TraceWindow* traceWindow_ = nullptr;
    VerificationWindow* verificationWindow_ = nullptr;
    LayoutWindow* layoutWindow_ = nullptr;
    TestPage* testPage_ = nullptr;
    SimulatorView* simulatorView_ = nullptr;
    std::unique_ptr<PinDialogs> pinDialogs_; // the pin page's helper dialogs and clipboards
    std::vector<SessionView*> views_;
    std::vector<QWidget*> expertWidgets_;
    int shownTab_ = GeneralTab;
    UnsavedChanges unsaved_;
    bool askBeforeReadAll_ = false; // "Read All" was clicked during an operation: ask when it runs
    std::function<SaveChoice()> saveQuestion_;
    std::string currentFile_;
    ChangeRecorder* recorder_ = nullptr;
    FileMenu* fileMenu_ = nullptr;
    QAction* expertAction_ = nullptr;
    WindowSettings* settings_ = nullptr;
    QStringList recentFiles_; // without settings: this run's
};

} // namespace vexa
