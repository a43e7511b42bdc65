#include "app/ui/MainWindow.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/QtPrompter.h"
#include "link/qt/QtPortProvider.h"
#include "sim/SimulatorPort.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

// Where the window's simulated controller keeps what was written to it between runs, or ""
// when there is no data folder.
std::string SimulatorStatePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return QDir(folder).filePath(QStringLiteral("simulator-state.txt")).toStdString();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VexaConfig"));

    vexa::QtPrompter prompter;
    vexa::QtPortProvider ports(vexa::SimulatorPortMakers(SimulatorStatePath()));
    vexa::SystemClock clock;
    vexa::QtFileDialogs dialogs;
    vexa::MainWindow window(prompter, ports, clock, dialogs);
    dialogs.setParent(&window);
    window.show();
    return QApplication::exec();
}
