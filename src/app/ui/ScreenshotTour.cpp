#include "app/ui/ScreenshotTour.h"

#include "app/ui/LinkControls.h"
#include "app/ui/MainWindow.h"
#include "documents/ui/AddressMapPanel.h"
#include "layout/LayoutOperations.h"
#include "layout/ui/LayoutWindow.h"
#include "link/PortSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <iostream>

namespace vexa {

namespace {

const char* const TabFiles[] = {"tab-general.png", "tab-events.png", "tab-devices.png", "tab-test.png"};

// Lets the window lay out and paint what changed: its event loop runs for a moment.
void Settle() {
    QEventLoop settling;
    QTimer::singleShot(300, &settling, &QEventLoop::quit);
    settling.exec();
}

bool Save(QWidget& widget, const QDir& folder, const char* file) {
    const QString path = folder.filePath(QString::fromLatin1(file));
    if (widget.grab().save(path, "PNG"))
        return true;
    std::cerr << "vexaconfig: the picture " << path.toStdString() << " could not be saved\n";
    return false;
}

void RunCommand(MainWindow& window, const char* word) {
    window.queueCommand(word);
    window.dispatchPending();
    Settle();
}

// Makes the window just large enough that the page of the tab shown needs no scrolling.
void FitPage(MainWindow& window, QTabWidget& tabs) {
    auto* frame = qobject_cast<QScrollArea*>(tabs.currentWidget());
    if (!frame || !frame->widget())
        return;
    const QSize missing = frame->widget()->sizeHint() - frame->viewport()->size();
    window.resize(window.width() + std::max(0, missing.width()), window.height() + std::max(0, missing.height()));
    Settle();
}

bool SaveTab(MainWindow& window, QTabWidget& tabs, int tab, const QDir& folder) {
    tabs.setCurrentIndex(tab);
    Settle();
    return Save(window, folder, TabFiles[tab]);
}

} // namespace

bool RunScreenshotTour(MainWindow& window, const QString& folder) {
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        std::cerr << "vexaconfig: the folder " << folder.toStdString() << " could not be made\n";
        return false;
    }
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab_Main"));
    if (!tabs)
        return false;
    Settle();
    SelectPort(window.session(), SimulatorPortName);
    window.refreshAllViews();
    RunCommand(window, "ReadAll");
    // The device page shows a pin with an aspect program, as a newcomer first sees it (default
    // mode, "Show Details" as at start).
    window.session().image.currentPin = 1;
    window.refreshAllViews();

    const QSize size = window.size();
    tabs->setCurrentIndex(MainWindow::GeneralTab);
    FitPage(window, *tabs); // the whole General page
    bool saved = Save(window, dir, TabFiles[MainWindow::GeneralTab]);
    window.resize(size);
    saved = saved && SaveTab(window, *tabs, MainWindow::EventTab, dir) &&
            SaveTab(window, *tabs, MainWindow::DeviceTab, dir);
    // The Test tab opens in expert mode only.
    window.setExpertMode(true);
    saved = saved && SaveTab(window, *tabs, MainWindow::TestTab, dir);
    window.setExpertMode(false);
    if (saved) {
        tabs->setCurrentIndex(MainWindow::GeneralTab);
        RunCommand(window, "VerifyAll");
        auto* report = window.findChild<QWidget*>(QStringLiteral("frmVexaVerification"));
        saved = report && report->isVisible() && Save(*report, dir, "verification-report.png");
        if (report)
            report->close();
    }
    if (saved) {
        // What an edit since the last read looks like: one step of the pin shown, in detail.
        AspectStep& step = window.session().image.pins[1].aspects[0].steps[0];
        step.offset = static_cast<std::uint8_t>(step.offset + 5);
        if (auto* details = window.findChild<QCheckBox*>(QStringLiteral("CheckPAspShowDetails"));
            details && !details->isChecked())
            details->click();
        window.refreshAllViews();
        tabs->setCurrentIndex(MainWindow::DeviceTab);
        Settle();
        saved = Save(window, dir, "changed-marks.png");
    }
    if (saved) {
        // The "Layout" window after a scan of the simulated layout of three controllers.
        SelectPort(window.session(), LayoutSimulatorPortName);
        window.refreshAllViews();
        LayoutWindow& layout = window.showLayoutWindow();
        auto* scan = layout.findChild<QPushButton*>(QStringLiteral("CommandLayoutScan"));
        if (scan)
            scan->click();
        // Its backup's address map: the three boards' demonstration pins share addresses.
        QTemporaryDir backups;
        const std::string backup = backups.filePath(QStringLiteral("layout-2024-05")).toStdString();
        std::vector<ModuleResult> results;
        window.runNow("Back Up All", [&](Session& session) { return BackupLayout(session, backup, results); });
        auto* map = layout.findChild<AddressMapPanel*>();
        if (map)
            map->showFolder(backup);
        layout.resize(760, 720);
        Settle();
        saved = scan && map && Save(layout, dir, "layout.png");
        layout.close();
    }
    return saved;
}

} // namespace vexa
