#include "cli/CliRunner.h"
#include "cli/InterruptStop.h"
#include "core/Platform.h"
#include "link/SystemPortProvider.h"
#include "sim/SimulatorPort.h"

#include <iostream>

int main(int argc, char* argv[]) {
    vexa::UseUtf8Console();
    const std::vector<std::string> args = vexa::CommandLineArguments(argc, argv);
    const std::unique_ptr<vexa::PortProvider> ports = vexa::MakeSystemPortProvider(vexa::SimulatorPortMakers());
    vexa::SystemClock clock;
    vexa::cli::InstallInterruptStop();
    return vexa::cli::RunCli(args, *ports, clock, std::cout, std::cerr, vexa::ProgramFolder());
}
