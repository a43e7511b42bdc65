#include "sim/SimToolOptions.h"

#include "link/LinkAddress.h"

#include <algorithm>
#include <charconv>

namespace vexa {

namespace {

bool ParseNumber(const std::string& text, int min, int max, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

std::optional<SimulatorFault> FaultNamed(const std::string& name) {
    if (name == "drop")
        return SimulatorFault::Drop;
    if (name == "corrupt")
        return SimulatorFault::Corrupt;
    if (name == "stray")
        return SimulatorFault::Stray;
    if (name == "late")
        return SimulatorFault::Late;
    return std::nullopt;
}

// "drop" hits every answer, "drop:3" the next three, "drop/13" one answer in 13 (`periodic` is
// then set).
bool ParseFault(const std::string& text, std::pair<SimulatorFault, int>& fault, bool& periodic) {
    const std::size_t slash = text.find('/');
    periodic = slash != std::string::npos;
    if (periodic) {
        const std::optional<SimulatorFault> kind = FaultNamed(text.substr(0, slash));
        int oneIn = 0;
        if (!kind || !ParseNumber(text.substr(slash + 1), 2, 1'000'000, oneIn))
            return false;
        fault = {*kind, oneIn};
        return true;
    }
    const std::size_t colon = text.find(':');
    const std::optional<SimulatorFault> kind = FaultNamed(text.substr(0, colon));
    if (!kind)
        return false;
    int count = EveryAnswer;
    if (colon != std::string::npos && !ParseNumber(text.substr(colon + 1), 1, 1'000'000, count))
        return false;
    fault = {*kind, count};
    return true;
}

// "1,4,9": distinct addresses.
bool ParseModules(const std::string& text, std::vector<int>& modules) {
    modules.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        int address = 0;
        if (!ParseNumber(text.substr(start, comma - start), 0, HighestTunnelModuleAddress, address))
            return false;
        for (int taken : modules)
            if (taken == address)
                return false;
        modules.push_back(address);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

// "4:250": a module address of the bus and its answer delay in milliseconds, for every answer;
// "4:250:3" for the next three.
bool ParseSlowModule(const std::string& text, SimToolOptions::SlowModule& slow) {
    const std::size_t first = text.find(':');
    if (first == std::string::npos)
        return false;
    const std::size_t second = text.find(':', first + 1);
    const std::string delay =
        text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    return ParseNumber(text.substr(0, first), 0, HighestTunnelModuleAddress, slow.address) &&
           ParseNumber(delay, 1, 600'000, slow.delayMs) &&
           (second == std::string::npos || ParseNumber(text.substr(second + 1), 1, 1'000'000, slow.answers));
}

// The options that go together: --modules with its own state folder, the one controller with
// its address and state file; addresses above 15 only behind the Corvan interface.
bool CheckCombination(const SimToolOptions& options, std::string& error) {
    int highest = options.moduleAddress;
    for (int address : options.modules)
        highest = std::max(highest, address);
    if (!options.modules.empty() && (options.addressGiven || !options.statePath.empty())) {
        error = "--modules cannot be combined with --address or --state (use --state-dir)";
        return false;
    }
    if (options.modules.empty() && !options.stateFolder.empty()) {
        error = "--state-dir needs --modules";
        return false;
    }
    for (const auto& slow : options.slowModules)
        if (std::find(options.modules.begin(), options.modules.end(), slow.address) == options.modules.end()) {
            error = "--slow-module " + std::to_string(slow.address) + " names no controller of --modules";
            return false;
        }
    if (!options.corvan.enabled && highest > HighestDirectModuleAddress) {
        error = options.modules.empty() ? "--address above 15 needs --corvan" : "--modules above 15 needs --corvan";
        return false;
    }
    return true;
}

} // namespace

bool ParseSimToolOptions(const std::vector<std::string>& args, SimToolOptions& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option == "--version" || option == "-v") {
            options.version = true;
            continue;
        }
        const OptionMatch corvan = ParseCorvanToolOption(args, i, options.corvan, error);
        if (corvan == OptionMatch::Invalid)
            return false;
        if (corvan == OptionMatch::Taken)
            continue;
        const bool takesValue = option == "--address" || option == "--xaddress" || option == "--pace" ||
                                option == "--fault" || option == "--late-ms" || option == "--state" ||
                                option == "--dump-outputs" || option == "--erase-time" || option == "--modules" ||
                                option == "--state-dir" || option == "--slow-module" || option == "--seed";
        if (!takesValue) {
            error = "unknown option \"" + option + "\"";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (option == "--address") {
            ok = ParseNumber(value, 0, HighestTunnelModuleAddress, options.moduleAddress);
            options.addressGiven = true;
        } else if (option == "--modules") {
            ok = ParseModules(value, options.modules);
        } else if (option == "--slow-module") {
            SimToolOptions::SlowModule slow;
            ok = ParseSlowModule(value, slow);
            if (ok)
                options.slowModules.push_back(slow);
        } else if (option == "--state-dir") {
            ok = !value.empty();
            options.stateFolder = value;
        } else if (option == "--xaddress") {
            int x = 0;
            ok = ParseNumber(value, 0, 95, x);
            options.xAddress = x;
        } else if (option == "--pace") {
            ok = ParseNumber(value, 50, 4'000'000, options.paceBitRate);
        } else if (option == "--late-ms") {
            ok = ParseNumber(value, 0, 600'000, options.lateDelayMs);
        } else if (option == "--erase-time") {
            int seconds = 0;
            ok = ParseNumber(value, 0, MaxSimEraseTimeMs / 1000, seconds);
            if (ok)
                options.eraseTimeMs = seconds * 1000;
        } else if (option == "--fault") {
            std::pair<SimulatorFault, int> fault{};
            bool periodic = false;
            ok = ParseFault(value, fault, periodic);
            if (ok)
                (periodic ? options.periodicFaults : options.faults).push_back(fault);
        } else if (option == "--seed") {
            int seed = 0;
            ok = ParseNumber(value, 0, 2'000'000'000, seed);
            options.faultSeed = static_cast<unsigned>(seed);
        } else {
            ok = !value.empty();
            (option == "--state" ? options.statePath : options.outputsPath) = value;
        }
        if (!ok) {
            error = "invalid value \"" + value + "\" for " + option;
            return false;
        }
    }
    return CheckCombination(options, error);
}

std::string SimToolUsage() {
    return "Usage: vexa-sim [options]\n"
           "Simulates a Vexa controller on a pseudo-terminal. The first line of the output is\n"
           "the device name to open (for example /dev/pts/3); the simulator then serves\n"
           "requests until it gets SIGTERM or SIGINT.\n"
           "\n"
           "Options:\n"
           "  --address N      module address 0..15 (default 0)\n"
           "  --modules A,B,.. several controllers on the line, at these module addresses\n"
           "                   (0..15; 0..31 with --corvan); each answers only at its own\n"
           "                   address. Each starts as the default controller.\n"
           "  --slow-module A:MS[:N]  with --modules: the controller at A answers every\n"
           "                   request (or the next N) MS milliseconds late (1..600000); may be\n"
           "                   given more than once\n"
           "  --state-dir DIR  with --modules: keep each controller's state in DIR/module-A.txt,\n"
           "                   loaded at start when it exists and written at exit\n"
           "  --xaddress N     demand the eXtended address N (0..95) in every request\n"
           "  --pace BITRATE   send answers at this bit rate, 11 bit times a byte (50..4000000)\n"
           "  --fault KIND     put a fault on every answer; KIND:COUNT on the next COUNT answers.\n"
           "                   KIND is drop (no answer), corrupt (wrong check byte),\n"
           "                   stray (stray bytes before the answer) or late (answer after\n"
           "                   the late delay). KIND/N hits one answer in N (2..1000000), every\n"
           "                   N-th: drop/13 for example. May be given more than once.\n"
           "  --seed S         count S answers as gone by before the first one in N\n"
           "                   (0..2000000000, default 0): each S hits other answers\n"
           "  --late-ms MS     delay of a late answer in milliseconds (default 2500)\n"
           "  --erase-time S   seconds the controller stays busy (answers nothing) after an\n"
           "                   erase, 0..45 (default 3)\n"
           "  --state FILE     load the controller's state from FILE when it exists and\n"
           "                   write it there at exit\n"
           "  --dump-outputs FILE  write what each output shows (aspect, level, servo\n"
           "                   position, lamp test) to FILE at exit, one line an output\n" +
           CorvanToolUsage() +
           "  --help           show this text\n"
           "  --version        print the release and quit\n";
}

void ApplySimToolOptions(const SimToolOptions& options, Simulator& simulator) {
    simulator.setModuleAddress(options.moduleAddress);
    simulator.setXAddress(options.xAddress);
    simulator.setPacing(options.paceBitRate);
    simulator.setLateDelay(std::chrono::milliseconds(options.lateDelayMs));
    simulator.setEraseTime(std::chrono::milliseconds(options.eraseTimeMs));
    for (const auto& [fault, count] : options.faults)
        simulator.injectFault(fault, count);
    simulator.setFaultPhase(options.faultSeed);
    for (const auto& [fault, oneIn] : options.periodicFaults)
        simulator.injectPeriodicFault(fault, oneIn);
    ApplyCorvanToolOptions(options.corvan, simulator);
}

void ApplyModuleOptions(const SimToolOptions& options, int address, Simulator& simulator) {
    for (const SimToolOptions::SlowModule& slow : options.slowModules)
        if (slow.address == address) {
            simulator.setLateDelay(std::chrono::milliseconds(slow.delayMs));
            simulator.injectFault(SimulatorFault::Late, slow.answers);
        }
}

} // namespace vexa
