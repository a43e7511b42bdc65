// vexa-sim: a simulated Vexa controller on a pseudo-terminal.

#include "PseudoTerminal.h"
#include "PtyServer.h"
#include "StopSignal.h"

#include "sim/CorvanInterfaceSim.h"
#include "sim/SimToolOptions.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitFailure = 1;

} // namespace

int main(int argc, char** argv) {
    using namespace vexa;
    SimToolOptions options;
    std::string error;
    if (!ParseSimToolOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "vexa-sim: " << error << "\n\n" << SimToolUsage();
        return ExitUsage;
    }
    if (options.help) {
        std::cout << SimToolUsage();
        return 0;
    }

    std::shared_ptr<Simulator> simulator = MakeDefaultSimulator();
    std::error_code ec;
    if (!options.statePath.empty() && std::filesystem::exists(options.statePath, ec) &&
        !simulator->load(options.statePath, error)) {
        std::cerr << "vexa-sim: " << error << '\n';
        return ExitFailure; // keep the file as it is rather than overwrite it at exit
    }
    ApplySimToolOptions(options, *simulator);

    StopSignal stop;
    if (!stop.install()) {
        std::cerr << "vexa-sim: cannot catch the stop signals: " << std::strerror(errno) << '\n';
        return ExitFailure;
    }
    PseudoTerminal terminal;
    if (!terminal.open(error)) {
        std::cerr << "vexa-sim: cannot open a pseudo-terminal: " << error << '\n';
        return ExitFailure;
    }
    std::cout << terminal.slaveName() << std::endl;

    int result = 0;
    if (options.corvan.enabled) {
        CorvanInterfaceSettings settings = options.corvan.settings;
        settings.controllerAddress = options.moduleAddress;
        CorvanInterfaceSim corvan(simulator, settings);
        result = ServePseudoTerminal(terminal.master(), stop.fd(), corvan);
    } else {
        result = ServePseudoTerminal(terminal.master(), stop.fd(), *simulator);
    }
    if (!options.outputsPath.empty()) {
        std::ofstream outputs(options.outputsPath, std::ios::trunc);
        outputs << OutputsText(simulator->outputs());
        if (!outputs.flush()) {
            std::cerr << "vexa-sim: cannot write the outputs to " << options.outputsPath << '\n';
            result = ExitFailure;
        }
    }
    if (!options.statePath.empty() && !simulator->save(options.statePath, error)) {
        std::cerr << "vexa-sim: " << error << '\n';
        result = ExitFailure;
    }
    return result;
}
