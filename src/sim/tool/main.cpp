// vexa-sim: a simulated Vexa controller (or a layout of several) on a pseudo-terminal.

#include "PseudoTerminal.h"
#include "PtyServer.h"
#include "StopSignal.h"

#include "core/Release.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/SimBus.h"
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

using namespace vexa;

// The one controller, or the controllers of --modules, each as it starts; false (said why) when
// a state file cannot be read: it is then kept as it is rather than overwritten at exit.
bool MakeControllers(const SimToolOptions& options, std::shared_ptr<Simulator>& single, std::shared_ptr<SimBus>& bus) {
    std::string error;
    if (options.modules.empty()) {
        single = MakeDefaultSimulator();
        if (!LoadSimulatorStateIfPresent(*single, options.statePath, error)) {
            std::cerr << "vexa-sim: " << error << '\n';
            return false;
        }
        ApplySimToolOptions(options, *single);
        return true;
    }
    bus = std::make_shared<SimBus>();
    for (int address : options.modules) {
        auto controller = MakeDefaultSimulator();
        ApplySimToolOptions(options, *controller);
        ApplyModuleOptions(options, address, *controller);
        bus->add(address, controller); // the bus gives it its module address
    }
    if (!options.stateFolder.empty() && !LoadSimBusState(*bus, options.stateFolder, error)) {
        std::cerr << "vexa-sim: " << error << '\n';
        return false;
    }
    return true;
}

int Serve(const SimToolOptions& options, int master, int stopFd, const std::shared_ptr<Simulator>& single,
          const std::shared_ptr<SimBus>& bus) {
    if (!options.corvan.enabled)
        return bus ? ServePseudoTerminal(master, stopFd, *bus) : ServePseudoTerminal(master, stopFd, *single);
    CorvanInterfaceSettings settings = options.corvan.settings;
    if (bus) {
        CorvanInterfaceSim corvan(bus, settings);
        return ServePseudoTerminal(master, stopFd, corvan);
    }
    settings.controllerAddress = options.moduleAddress;
    CorvanInterfaceSim corvan(single, settings);
    return ServePseudoTerminal(master, stopFd, corvan);
}

// What the outputs show, at exit: of the one controller, or of each controller after a line
// "module A".
bool DumpOutputs(const std::string& path, const std::shared_ptr<Simulator>& single,
                 const std::shared_ptr<SimBus>& bus) {
    std::ofstream outputs(path, std::ios::trunc);
    if (single)
        outputs << OutputsText(single->outputs());
    else
        for (const auto& [address, controller] : bus->controllers())
            outputs << "module " << address << '\n' << OutputsText(controller->outputs());
    return static_cast<bool>(outputs.flush());
}

bool SaveState(const SimToolOptions& options, const std::shared_ptr<Simulator>& single,
               const std::shared_ptr<SimBus>& bus) {
    std::string error;
    bool saved = true;
    if (single && !options.statePath.empty())
        saved = single->save(options.statePath, error);
    if (bus && !options.stateFolder.empty())
        saved = SaveSimBusState(*bus, options.stateFolder, error);
    if (!saved)
        std::cerr << "vexa-sim: " << error << '\n';
    return saved;
}

} // namespace

int main(int argc, char** argv) {
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
    if (options.version) {
        std::cout << VersionLine << '\n';
        return 0;
    }

    std::shared_ptr<Simulator> single;
    std::shared_ptr<SimBus> bus;
    if (!MakeControllers(options, single, bus))
        return ExitFailure;

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

    int result = Serve(options, terminal.master(), stop.fd(), single, bus);
    if (!options.outputsPath.empty() && !DumpOutputs(options.outputsPath, single, bus)) {
        std::cerr << "vexa-sim: cannot write the outputs to " << options.outputsPath << '\n';
        result = ExitFailure;
    }
    if (!SaveState(options, single, bus))
        result = ExitFailure;
    return result;
}
