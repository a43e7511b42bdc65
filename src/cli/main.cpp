#include "cli/CliRunner.h"
#include "cli/InterruptStop.h"
#include "link/qt/QtPortProvider.h"
#include "sim/SimulatorPort.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    // QSerialPort is used with blocking waits only, but its notifiers want an application object.
    QCoreApplication application(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    vexa::QtPortProvider ports(vexa::SimulatorPortMakers());
    vexa::SystemClock clock;
    vexa::cli::InstallInterruptStop();
    return vexa::cli::RunCli(args, ports, clock, std::cout, std::cerr,
                             QCoreApplication::applicationDirPath().toStdString());
}
