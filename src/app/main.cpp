#include "app/ui/MainWindow.h"
#include "app/ui/QtFileDialogs.h"
#include "app/ui/QtPrompter.h"
#include "app/ui/ScreenshotTour.h"
#include "app/ui/WindowSettings.h"
#include "core/Release.h"
#include "link/SystemPortProvider.h"
#include "sim/SimulatorPort.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <cstring>
#include <optional>

namespace {

// Where the window's simulated controller keeps what was written to it between runs, or ""
// when there is no data folder.
std::string SimulatorStatePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return QDir(folder).filePath(QStringLiteral("simulator-state.txt")).toStdString();
}

// Where the window's simulated layout keeps its controllers between runs, or "".
std::string LayoutSimulatorStateFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(QStringLiteral("simulator-layout")).toStdString();
}

// --help and --version print and quit: they need no display.
bool AsksOnlyForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--help", "-h", "--version", "-v", "--help-all"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (AsksOnlyForText(argc, argv))
        qputenv("QT_QPA_PLATFORM", "minimal");
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
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A configuration data file (.dat) to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(application);

    // The pictures show the window as a new user first sees it: nothing kept from other runs,
    // and the simulated controller as it comes, not as a developer's last run left it.
    const bool tour = parser.isSet(screenshots);
    vexa::QtPrompter prompter;
    const std::unique_ptr<vexa::PortProvider> ports = vexa::MakeSystemPortProvider(vexa::SimulatorPortMakers(
        tour ? std::string() : SimulatorStatePath(), tour ? std::string() : LayoutSimulatorStateFolder()));
    vexa::SystemClock clock;
    std::optional<vexa::WindowSettings> settings;
    if (!tour)
        settings.emplace(vexa::WindowSettings::defaultPath());
    vexa::QtFileDialogs dialogs(nullptr, settings ? &*settings : nullptr);
    vexa::MainWindow window(prompter, *ports, clock, dialogs);
    dialogs.setParent(&window);
    if (settings)
        window.useSettings(*settings);
    window.show();
    if (tour) {
        window.resize(1280, 720);
        return vexa::RunScreenshotTour(window, parser.value(screenshots)) ? 0 : 1;
    }
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().constFirst().toStdString());
    return QApplication::exec();
}
