#pragma once

#include "sim/CorvanToolOptions.h"
#include "sim/Simulator.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexa {

// Command line of vexa-sim.
struct SimToolOptions {
    int moduleAddress = 0; // with --corvan the controller's bus address, 0..31
    bool addressGiven = false;
    // --modules: a bus of controllers at these module addresses (0..15, 0..31 with --corvan);
    // empty for the one controller at moduleAddress.
    std::vector<int> modules;
    std::string stateFolder; // --state-dir: one state file per controller of the bus
    std::optional<int> xAddress;
    int paceBitRate = 0; // 0 = answers as fast as the pseudo-terminal takes them
    // Each fault with the number of answers it hits (EveryAnswer = all of them).
    std::vector<std::pair<SimulatorFault, int>> faults;
    // Each fault that hits one answer in N (every N-th), with N.
    std::vector<std::pair<SimulatorFault, int>> periodicFaults;
    unsigned faultSeed = 0; // --seed: answers counted as gone by before the first of those
    int lateDelayMs = 2500;
    // --slow-module A:MS[:N]: the controller of the bus at A answers MS ms late (every
    // request, or the next N).
    struct SlowModule {
        int address = 0;
        int delayMs = 0;
        int answers = EveryAnswer;
        bool operator==(const SlowModule&) const = default;
    };
    std::vector<SlowModule> slowModules;
    int eraseTimeMs = DefaultSimEraseTimeMs;
    std::string statePath;
    std::string outputsPath; // --dump-outputs: where the outputs are written at exit
    CorvanToolOptions corvan;
    bool help = false;
    bool version = false; // --version: print the release and quit
};

// Parses the arguments after the program name; false with a reason when they are not valid.
bool ParseSimToolOptions(const std::vector<std::string>& args, SimToolOptions& options, std::string& error);

// The text of --help.
std::string SimToolUsage();

// Gives the simulator the link address, pacing and faults of the options.
void ApplySimToolOptions(const SimToolOptions& options, Simulator& simulator);
// Gives the controller of the bus at `address` what the options say of it alone (a late answer
// to every request for a slow module).
void ApplyModuleOptions(const SimToolOptions& options, int address, Simulator& simulator);

} // namespace vexa
