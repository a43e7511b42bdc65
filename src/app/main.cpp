#include "app/ui/MainWindow.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/QtPrompter.h"
#include "link/qt/QtPortProvider.h"
#include "sim/SimulatorPort.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VexaConfig"));

    vexa::QtPrompter prompter;
    vexa::QtPortProvider ports({vexa::SimulatorPortMaker()});
    vexa::SystemClock clock;
    vexa::QtFileDialogs dialogs;
    vexa::MainWindow window(prompter, ports, clock, dialogs);
    dialogs.setParent(&window);
    window.show();
    return QApplication::exec();
}
