#include "app/Release.h"
#include "app/ui/MainWindow.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/QtPrompter.h"
#include "app/ui/ScreenshotTour.h"
#include "link/qt/QtPortProvider.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VexaConfig"));
    QApplication::setApplicationVersion(QString::fromLatin1(vexa::ReleaseText));
    QApplication::setDesktopFileName(QStringLiteral("vexaconfig"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("vexaconfig: read, edit, write and verify the configuration of a Vexa controller.\n"
                       "Choose \"Simulator\" in the port list to try it without hardware."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   QStringLiteral("Save pictures of the window to DIR and quit."),
                                   QStringLiteral("DIR"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshots);
    parser.process(application);

    vexa::QtPrompter prompter;
    vexa::QtPortProvider ports;
    vexa::SystemClock clock;
    vexa::QtFileDialogs dialogs;
    vexa::MainWindow window(prompter, ports, clock, dialogs);
    dialogs.setParent(&window);
    window.show();
    if (parser.isSet(screenshots)) {
        window.resize(1280, 720);
        return vexa::RunScreenshotTour(window, parser.value(screenshots)) ? 0 : 1;
    }
    return QApplication::exec();
}
