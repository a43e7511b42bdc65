#pragma once

#include "cli/CliRunner.h"
#include "core/Clock.h"
#include "link/SystemPortProvider.h"
#include "sim/SimulatorPort.h"

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vexa::test {

// The command line against the in-process simulated controller ("--port sim"), through the real
// port provider, with what it printed kept; `programFolder` is where it looks for the standard
// device library.
struct SimulatorRun {
    explicit SimulatorRun(std::string folder = {}) : programFolder(std::move(folder)) {}

    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return cli::RunCli(args, ports, clock, out, err, programFolder);
    }

    std::string programFolder;
    const std::unique_ptr<PortProvider> provider = MakeSystemPortProvider(SimulatorPortMakers());
    PortProvider& ports = *provider;
    SystemClock clock;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace vexa::test
