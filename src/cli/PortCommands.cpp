#include "cli/PortCommands.h"

#include "link/PortList.h"
#include "link/PortSetup.h"

namespace vexa::cli {

bool RunPorts(CliContext& context, const std::string&) {
    ScanPorts(context.session);
    // Each port as the window's list shows it: its name, and what the system says about it.
    for (const PortInfo& port : context.session.port.listed)
        context.out << PortDisplayText(port) << '\n';
    return true;
}

} // namespace vexa::cli
