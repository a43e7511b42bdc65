#include "cli/CliCommand.h"

#include "cli/BatchCommands.h"
#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/IdentityCommands.h"
#include "cli/PinCommands.h"
#include "cli/PortCommands.h"

namespace vexa::cli {

// One line per command: name, argument, help text, function.
const std::vector<CliCommand>& CliCommandTable() {
    static const std::vector<CliCommand> table{
        {"ports", "", "list the serial ports that can be opened", RunPorts},
        {"version", "", "read and print the firmware version", RunVersion},
        {"read-id", "", "read and print the ID string", RunReadId},
        {"write-id", "TEXT", "write TEXT (7-bit ASCII, at most 12 characters) as the ID string", RunWriteId},
        {"load", "FILE", "load the configuration data file FILE into the configuration", RunLoadFile},
        {"save", "FILE", "save the whole configuration to the data file FILE", RunSaveFile},
        {"save-compact", "FILE", "save only the described pins and aspects to FILE", RunSaveCompactFile},
        {"read-all", "", "read the whole configuration from the controller (Read All)", RunReadAll},
        {"write-all", "", "write the whole configuration to the controller (Write All)", RunWriteAll},
        {"verify-all", "", "compare the controller with the configuration and print the report", RunVerifyAll},
        {"read-pin", "N", "read pin N (as shown, with the numbering base) from the controller", RunReadPin},
        {"write-pin", "N", "write pin N (as shown, with the numbering base) to the controller", RunWritePin},
        {"read-device", "N", "read every pin of the device that pin N belongs to", RunReadDevice},
        {"write-device", "N", "write every pin of the device that pin N belongs to", RunWriteDevice},
        {"read-all-pins", "", "read all 32 pins from the controller", RunReadAllPins},
        {"write-all-pins", "", "write all 32 pins to the controller", RunWriteAllPins},
        {"verify-pins", "", "compare the 32 pins with the controller and print the report", RunVerifyPins},
        {"devices", "", "list the devices of the device library, then the library's caption", RunDevices},
        {"load-device", "NAME N", "load the library device NAME into the pins from pin N on (nothing is sent)",
         RunLoadDevice},
        {"save-device", "N FILE", "save the device that pin N belongs to as a device library FILE", RunSaveDevice},
    };
    return table;
}

} // namespace vexa::cli
