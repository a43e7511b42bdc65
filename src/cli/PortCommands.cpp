#include "cli/PortCommands.h"

#include "link/PortSetup.h"

namespace vexa::cli {

bool RunPorts(CliContext& context, const std::string&) {
    ScanPorts(context.session);
    for (const std::string& name : context.session.port.available)
        context.out << name << '\n';
    return true;
}

} // namespace vexa::cli
