#include "app/ui/ScreenshotTour.h"

#include "app/ui/LinkControls.h"
#include "app/ui/MainWindow.h"
#include "link/PortSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTabWidget>

#include <iostream>

namespace vexa {

namespace {

const char* const TabFiles[] = {"tab-general.png", "tab-events.png", "tab-devices.png", "tab-test.png"};

// Lets the window lay out and paint what changed.
void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
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

} // namespace

bool RunScreenshotTour(MainWindow& window, const QString& folder) {
    const QDir dir(folder);
    if (!QDir().mkpath(folder)) {
        std::cerr << "vexaconfig: the folder " << folder.toStdString() << " could not be made\n";
        return false;
    }
    Settle();
    SelectPort(window.session(), SimulatorPortName);
    window.refreshAllViews();
    RunCommand(window, "ReadAll");
    window.setExpertMode(true); // the "Test" tab opens only in expert mode
    // The device page shows a pin with an aspect program, its steps in detail.
    window.session().image.currentPin = 1;
    if (auto* details = window.findChild<QCheckBox*>(QStringLiteral("CheckPAspShowDetails"));
        details && !details->isChecked())
        details->click();
    window.refreshAllViews();

    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab_Main"));
    bool saved = tabs != nullptr;
    for (int i = 0; saved && i < tabs->count() && i < 4; ++i) {
        tabs->setCurrentIndex(i);
        Settle();
        saved = Save(window, dir, TabFiles[i]);
    }
    if (saved) {
        tabs->setCurrentIndex(0);
        RunCommand(window, "VerifyAll");
        auto* report = window.findChild<QWidget*>(QStringLiteral("frmVexaVerification"));
        saved = report && report->isVisible() && Save(*report, dir, "verification-report.png");
    }
    return saved;
}

} // namespace vexa
