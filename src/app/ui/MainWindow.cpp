#include "app/ui/MainWindow.h"

#include "app/CommandWords.h"
#include "app/ui/BusyInputRefusal.h"
#include "app/ui/ChangeRecorder.h"
#include "app/ui/GestureLabel.h"
#include "app/ui/HeldMarksWatch.h"
#include "app/ui/LinkControls.h"
#include "app/ui/OperationThread.h"
#include "app/ui/PageKeys.h"
#include "app/ui/StatusProgress.h"
#include "app/ui/TraceWindow.h"
#include "app/ui/VerificationWindow.h"
#include "batch/ConfigurationDiff.h"
#include "core/OperationGuard.h"
#include "core/Release.h"
#include "core/RetryCount.h"
#include "core/ui/AccessibleNames.h"
#include "core/ui/HeldMarks.h"
#include "core/ui/InputWhileBusy.h"
#include "core/ui/NamedButton.h"
#include "core/ui/PressButton.h"
#include "core/ui/WindowFit.h"
#include "dialogs/ui/PinDialogs.h"
#include "events/ui/EventPage.h"
#include "files/ConfigFileActions.h"
#include "files/DeviceLibraryActions.h"
#include "layout/ui/LayoutWindow.h"
#include "link/LinkAddress.h"
#include "link/ui/CorvanControls.h"
#include "link/ui/MonitorPanel.h"
#include "live/ui/LiveControls.h"
#include "live/ui/TestPage.h"
#include "model/ConfigurationChange.h"
#include "module/ModuleSettingsTransfer.h"
#include "module/ui/GeneralPage.h"
#include "module/ui/PinAddressLabels.h"
#include "pins/ui/DevicePanel.h"
#include "pins/ui/PinPage.h"
#include "sim/ui/SimulatorView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace vexa {

namespace {

constexpr int DispatchIntervalMs = 200;
constexpr QSize PreferredWindowSize{1100, 680}; // when nothing is kept from an earlier run

// A tab page that scrolls when the window is smaller than its content.
QScrollArea* MakeTabFrame(QWidget* content, QWidget* parent) {
    auto* frame = new QScrollArea(parent);
    frame->setWidgetResizable(true);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setWidget(content);
    return frame;
}

// Marks the window busy until the scope ends: an operation's closing message or report is part
// of it, so that no timer starts the next one underneath.
auto InOperation(bool& inOperation) {
    inOperation = true;
    return qScopeGuard([&inOperation] { inOperation = false; });
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, PortProvider& ports, Clock& clock, FileDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), windowPrompter_(*this, prompter), session_(windowPrompter_, clock, ports), dialogs_(dialogs),
      dispatch_(session_), operationThread_(new OperationThread(this)) {
    setObjectName(QStringLiteral("frmVexaMain"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vexaconfig-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    linkControls_ = new LinkControls(session_, central);
    layout->addWidget(linkControls_);
    layout->addWidget(makeCommandRow());
    makeTabs();
    testPage_ = new TestPage(session_, *this);
    connect(testPage_, &TestPage::simulatorViewRequested, this, &MainWindow::showSimulatorView);
    setTabPage(TestTab, testPage_, nullptr);
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);

    traceWindow_ = new TraceWindow(session_, this);
    verificationWindow_ = new VerificationWindow(this);

    registerView(linkControls_);
    registerView(traceWindow_);
    auto* corvanControls = new CorvanControls(session_, *this, linkControls_);
    linkControls_->addLinkControl(corvanControls);
    registerView(corvanControls);
    auto* monitorPanel = new MonitorPanel(session_, *this);
    testPage_->addSection(monitorPanel);
    registerView(monitorPanel);
    connect(linkControls_, &LinkControls::sessionChanged, this, &MainWindow::refreshAllViews);
    connect(linkControls_, &LinkControls::sessionChanged, this, &MainWindow::storeSettings);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    progress_ = new StatusProgress(statusBar());
    AcceptInputWhileBusy(progress_);
    new BusyInputRefusal(
        *this, [this] { return busy(); }, [this] { progress_->refusedMeanwhile(); });
    connect(linkControls_, &LinkControls::statusMessage, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    marks_ = new HeldMarksWatch(session_, statusBar(), views_, this);
    setStyleSheet(HeldMarkStyleRules());

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(DispatchIntervalMs);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::dispatchPending);

    recorder_ = new ChangeRecorder(*this);
    makeMenus();
    start();
    unsaved_.markSaved(currentFile_, session_.image); // what the start sequence set up is no change
    recorder_->reset();
    giveMnemonics();
    updateTitle();
    NameForScreenReaders(this); // with the window's title, which places the controls above the tabs
    timer1_->start();
    resize(FittedWindowSize(PreferredWindowSize, screen()->availableGeometry()));
}

// The tabs are destroyed after this window's members; their expert widgets must not reach
// back into the list then.
MainWindow::~MainWindow() {
    for (QWidget* widget : expertWidgets_)
        disconnect(widget, nullptr, this, nullptr);
    expertWidgets_.clear();
}

QWidget* MainWindow::makeCommandRow() {
    auto* row = new QWidget(this);
    AcceptInputWhileBusy(row); // command words wait their turn; the others refuse by themselves
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* readAll = NamedButton("CommandReadAll", QStringLiteral("Read All"), row);
    auto* writeAll = NamedButton("CommandWriteAll", QStringLiteral("Write All"), row);
    auto* writeChanges = NamedButton("CommandWriteChanges", QStringLiteral("Write Changes"), row);
    writeChanges->setToolTip(QStringLiteral("Writes only what differs from the controller, or was never read"));
    auto* verifyAll = NamedButton("CommandVerifyAll", QStringLiteral("Verify All"), row);
    auto* save = new PressButton(QStringLiteral("Save File"), row);
    save->setObjectName(QStringLiteral("CommandSave"));
    save->setToolTip(QStringLiteral("Shift+Save File to save compact"));
    auto* load = NamedButton("CommandLoad", QStringLiteral("Load File"), row);
    load->setToolTip(QStringLiteral("Read from file"));
    auto* layoutButton = NamedButton("CommandLayout", QStringLiteral("Layout"), row);
    layoutButton->setToolTip(QStringLiteral("Every controller on the bus: scan, back up, verify, restore"));
    auto* compare = NamedButton("CommandCompareFile", QStringLiteral("Compare with File..."), row);
    compare->setToolTip(QStringLiteral("Compares the configuration with a data file, in the words of the "
                                       "verification report"));

    release_ = new GestureLabel(QString::fromLatin1(ReleaseText), row);
    release_->setObjectName(QStringLiteral("Release"));

    layout->addWidget(readAll);
    layout->addWidget(writeAll);
    layout->addWidget(writeChanges);
    layout->addWidget(verifyAll);
    layout->addSpacing(16);
    layout->addWidget(save);
    layout->addWidget(load);
    layout->addWidget(compare);
    layout->addWidget(layoutButton);
    layout->addStretch(1);
    layout->addWidget(release_);

    // "Read All" asks about unsaved edits at once; clicked during another operation it is
    // remembered and asks when it is about to run, so no question stands over a running one.
    connect(readAll, &QPushButton::clicked, this, [this] {
        askBeforeReadAll_ = busy();
        if (askBeforeReadAll_ || mayReplaceConfiguration("reading the controller"))
            queueCommand("ReadAll");
    });
    connect(writeAll, &QPushButton::clicked, this, [this] { queueCommand("WriteAll"); });
    connect(writeChanges, &QPushButton::clicked, this, [this] { queueCommand("WriteChanges"); });
    connect(compare, &QPushButton::clicked, this, &MainWindow::compareWithFile);
    connect(verifyAll, &QPushButton::clicked, this, [this] { queueCommand("VerifyAll"); });
    connect(save, &PressButton::leftPressed, this, &MainWindow::saveFile);
    connect(load, &QPushButton::clicked, this, &MainWindow::loadFile);
    connect(layoutButton, &QPushButton::clicked, this, [this] { showLayoutWindow(); });
    connect(release_, &GestureLabel::pressed, this, &MainWindow::releasePressed);
    connect(release_, &GestureLabel::doubleClicked, this, &MainWindow::showTraceWindow);
    return row;
}

void MainWindow::makeTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab_Main"));
    tabs_->tabBar()->setAccessibleName(QStringLiteral("Pages"));
    AcceptInputWhileBusy(tabs_->tabBar());
    generalPage_ = new GeneralPage(session_, *this);
    tabs_->addTab(MakeTabFrame(generalPage_, tabs_), QStringLiteral("&General"));
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("Vexa Event C&ontrol"));
    pinDialogs_ = std::make_unique<PinDialogs>(session_, this);
    auto* pinPage = new PinPage(session_, *this, *pinDialogs_);
    tabs_->addTab(MakeTabFrame(pinPage, tabs_), QStringLiteral("Vexa &Device Configuration"));
    for (SessionView* view : AddLiveControls(session_, *this, *pinPage))
        registerView(view);
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("&Test"));
    registerView(generalPage_);
    registerView(pinPage);
    auto* addressLabels = new PinAddressLabels(session_, pinPage);
    pinPage->addPinRowWidget(addressLabels);
    registerView(addressLabels);
    connect(pinPage, &PinPage::currentPinShown, addressLabels, &PinAddressLabels::refreshFromSession);
    connect(pinPage, &PinPage::addressCountChanged, addressLabels, &PinAddressLabels::refreshFromSession);
    connect(generalPage_, &GeneralPage::pinPageAffected, pinPage, &PinPage::refreshFromSession);
    connect(generalPage_, &GeneralPage::pinPageAffected, addressLabels, &PinAddressLabels::refreshFromSession);
    auto* devicePanel = new DevicePanel(session_, dialogs_);
    pinPage->addPinRowWidget(devicePanel);
    registerView(devicePanel);
    connect(devicePanel, &DevicePanel::commitRequested, this, &MainWindow::commitAllViews);
    connect(devicePanel, &DevicePanel::imageChanged, this, &MainWindow::refreshAllViews);
    for (QWidget* widget : pinPage->expertWidgets())
        addExpertWidget(widget);
    eventPage_ = new EventPage(session_, *this);
    setTabPage(EventTab, eventPage_, eventPage_);
    addExpertWidget(eventPage_->verifyButton());
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);
    // The keys pass the "Test" tab while it is locked, rather than stop at its message.
    AddPageKeys(*this, *tabs_, [this](int page) { return page != TestTab || session_.expertMode; });
}

// The start sequence of the window: module start values, mode flags, the port list, the event
// page, the address displays with the numbering base, and last the standard device library.
void MainWindow::start() {
    session_.image.currentPin = 0;
    SetModuleStartValues(session_);
    session_.expertMode = false;
    setExpertMode(false);
    linkControls_->scanPorts();
    eventPage_->startPage(); // "Copy to All" once, then the action fields show "-1"
    LoadStandardDeviceLibrary(session_, dialogs_, QCoreApplication::applicationDirPath().toStdString());
    refreshAllViews();
}

void MainWindow::setTabPage(int index, QWidget* page, SessionView* view) {
    if (index < 0 || index >= tabs_->count() || !page)
        return;
    const QString caption = tabs_->tabText(index);
    const QSignalBlocker blocker(tabs_);
    QWidget* old = tabs_->widget(index);
    tabs_->removeTab(index);
    tabs_->insertTab(index, MakeTabFrame(page, tabs_), caption);
    tabs_->setCurrentIndex(shownTab_);
    // Views on the replaced page go with it.
    views_.erase(std::remove_if(views_.begin(), views_.end(),
                                [old](SessionView* shown) {
                                    auto* widget = dynamic_cast<QWidget*>(shown);
                                    return widget && (widget == old || old->isAncestorOf(widget));
                                }),
                 views_.end());
    delete old;
    if (view)
        registerView(view);
    if (recorder_) { // a page put in after the start
        giveMnemonics();
        NameForScreenReaders(this);
    }
}

void MainWindow::registerView(SessionView* view) {
    if (view && std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void MainWindow::addExpertWidget(QWidget* widget) {
    if (!widget)
        return;
    expertWidgets_.push_back(widget);
    connect(widget, &QObject::destroyed, this, [this, widget] {
        expertWidgets_.erase(std::remove(expertWidgets_.begin(), expertWidgets_.end(), widget), expertWidgets_.end());
    });
    widget->setVisible(session_.expertMode);
}

void MainWindow::commitAllViews() {
    for (SessionView* view : views_)
        view->commitEdits();
}

void MainWindow::refreshAllViews() {
    for (SessionView* view : views_)
        view->refreshFromSession();
    if (marks_)
        marks_->refresh(true);
}

void MainWindow::setExpertMode(bool on) {
    session_.expertMode = on;
    if (expertAction_)
        expertAction_->setChecked(on);
    for (QWidget* widget : expertWidgets_)
        widget->setVisible(on);
    if (!on && tabs_->currentIndex() == TestTab) {
        tabs_->setCurrentIndex(GeneralTab);
    }
    emit expertModeChanged(on);
    refreshAllViews();
    storeSettings();
}

void MainWindow::queueCommand(const std::string& word) {
    if (dispatch_.queue(word))
        progress_->setCommandWaiting(true);
}

void MainWindow::dispatchPending() {
    if (busy())
        return;
    recorder_->record(); // whatever changed without an input event (a dialog closed) is a step

    const bool hadWord = !dispatch_.pending().empty();
    const CommandWord* entry = dispatch_.take();
    const bool ask = entry && entry->word == "ReadAll" && std::exchange(askBeforeReadAll_, false);
    if (ask && !mayReplaceConfiguration("reading the controller"))
        progress_->setCommandWaiting(false);
    else if (entry)
        runCommand(*entry);
    else if (hadWord)
        progress_->setCommandWaiting(false); // a word without an operation: nothing to wait for
}

bool MainWindow::runNow(const std::string& title, const Operation& operation) {
    if (busy()) {
        progress_->refusedMeanwhile();
        return false;
    }
    commitAndRecord();
    bool passed = false;
    const int retriesBefore = session_.link.retriesTaken;
    {
        const auto ended = InOperation(inOperation_);
        passed = progress_->run(title, [this, &operation] { return runOnThread(operation); });
        refreshAllViews();
    }
    if (passed)
        sayRetries(title, retriesBefore);
    recorder_->recordOperation(title);
    return passed;
}

bool MainWindow::runOnThread(const Operation& operation) {
    return RunGuarded(session_, *progress_,
                      [this, &operation](Session& session) { return operationThread_->run(session, operation); });
}

void MainWindow::requestStop() {
    progress_->requestStop();
}

void MainWindow::sayRetries(const std::string& what, int retriesBefore) {
    const int retries = session_.link.retriesTaken - retriesBefore;
    if (retries > 0 && !what.empty())
        statusBar()->showMessage(QString::fromStdString(what + " done" + RetriesSuffix(retries)));
}

void MainWindow::runCommand(const CommandWord& entry) {
    commitAndRecord();
    const int retriesBefore = session_.link.retriesTaken;
    {
        const auto ended = InOperation(inOperation_);
        const bool passed = progress_->run({}, [this, &entry] { return runOnThread(entry.run); });
        if (passed)
            sayRetries(CommandCaption(entry), retriesBefore);
        // What was read is the controller's configuration, no longer the file's: Ctrl+S asks for
        // a name rather than write it over the file loaded before.
        if (passed && entry.word == "ReadAll")
            currentFile_.clear();
        if (passed && UnsavedChanges::synchronisesWholeImage(entry.word))
            unsaved_.markSaved(currentFile_, session_.image);
        // A word clicked meanwhile runs on the next tick; the busy label stays for it.
        progress_->setCommandWaiting(!dispatch_.pending().empty());
        refreshAllViews();
        if (entry.showsReport)
            verificationWindow_->showReport(session_.verificationReport);
    }
    recorder_->recordOperation(CommandCaption(entry));
}

void MainWindow::tabChanged(int index) {
    if (index == TestTab && !session_.expertMode) {
        {
            const QSignalBlocker blocker(tabs_);
            tabs_->setCurrentIndex(shownTab_);
        }
        session_.tell("Sorry, This tab is disabled");
        return;
    }
    shownTab_ = index;
    if (index == GeneralTab && !busy()) // after an operation every view is shown again
        generalPage_->refreshFromSession();
}

void MainWindow::releasePressed(Qt::MouseButton button) {
    if (button != Qt::RightButton || session_.operationRunning)
        return;
    setExpertMode(session_.prompter.ask(MessageKind::YesNo, "Expert Mode?"));
}

void MainWindow::showSimulatorView() {
    if (!simulatorView_)
        simulatorView_ = new SimulatorView(session_, testPage_);
    simulatorView_->show();
    simulatorView_->raise();
}

void MainWindow::showTraceWindow() {
    traceWindow_->show();
    traceWindow_->raise();
    traceWindow_->activateWindow();
}

LayoutWindow& MainWindow::showLayoutWindow() {
    if (!layoutWindow_) {
        layoutWindow_ = new LayoutWindow(session_, *this, dialogs_, this);
        connect(layoutWindow_, &LayoutWindow::moduleChosen, this, &MainWindow::readLayoutModule);
        addAddressMap(*layoutWindow_);
    }
    layoutWindow_->show();
    layoutWindow_->raise();
    layoutWindow_->activateWindow();
    return *layoutWindow_;
}

void MainWindow::readLayoutModule(int address) {
    if (RefusedWhileRunning(session_))
        return;
    if (!mayReplaceConfiguration("reading another controller"))
        return;
    SetModuleAddress(session_, address);
    refreshAllViews();
    raise();
    activateWindow();
    queueCommand("ReadAll");
}

void MainWindow::compareWithFile() {
    if (busy())
        return;
    commitAllViews();
    const std::string path = dialogs_.openFileName(ConfigFileFilter);
    if (path.empty())
        return;
    ConfigurationFileContents file;
    std::string problem;
    if (!ReadConfigurationFile(path, file, problem)) {
        session_.prompter.ask(MessageKind::OkWarning, problem);
        return;
    }
    PinsNamed everyPin;
    everyPin.fill(true);
    const ComparedConfiguration window{"the configuration", session_.image, everyPin};
    const ComparedConfiguration other{QFileInfo(QString::fromStdString(path)).fileName().toStdString(),
                                      std::move(file.image), file.pins};
    verificationWindow_->showReport(ComparisonReport(CompareConfigurations(window, other, session_.numberingBase)));
}

bool MainWindow::mayReplaceConfiguration(const char* before) {
    if (!hasUnsavedChanges())
        return true;
    const SaveChoice choice = askToSave(before);
    return choice == SaveChoice::Discard || (choice == SaveChoice::Save && saveFile(Qt::NoModifier));
}

bool MainWindow::hasUnsavedChanges() {
    commitAllViews();
    return unsaved_.changed(currentFile_, session_.image);
}

MainWindow::SaveChoice MainWindow::askToSave(const char* before) {
    if (saveQuestion_)
        return saveQuestion_();
    const auto answer = QMessageBox::warning(
        this, windowTitle(),
        QStringLiteral("The configuration has changed since it was last loaded, saved, read or written.\n"
                       "Save the changes to a file before %1?")
            .arg(QLatin1String(before)),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveChoice::Save;
    return answer == QMessageBox::Discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window stays while an operation runs: it owns what the operation works on.
    if (RefusedWhileRunning(session_)) {
        event->ignore();
        return;
    }
    if (!mayReplaceConfiguration("closing")) {
        event->ignore();
        return;
    }
    storeSettings();
    traceWindow_->close();
    QMainWindow::closeEvent(event);
}

} // namespace vexa
