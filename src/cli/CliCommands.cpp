#include "cli/CliCommand.h"

#include "cli/BatchCommands.h"
#include "cli/ChangeCommands.h"
#include "cli/DeviceCommands.h"
#include "cli/DocumentCommands.h"
#include "cli/EventCommands.h"
#include "cli/FileCommands.h"
#include "cli/IdentityCommands.h"
#include "cli/LayoutCommands.h"
#include "cli/LiveCommands.h"
#include "cli/PinCommands.h"
#include "cli/PortCommands.h"
#include "cli/SettingsCommands.h"
#include "cli/TunnelCommands.h"

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
        {"read-settings", "",
         "read the module settings (DCC, serial addressing, LED, hardware, serial port) from the controller "
         "and print them",
         RunReadSettings},
        {"write-settings", "", "write the module settings to the controller, serial addressing last", RunWriteSettings},
        {"verify-settings", "", "compare the ID string and module settings with the controller and print the report",
         RunVerifySettings},
        {"erase-flash", "",
         "erase the controller's configuration memory (no question asked) and wait until it answers again",
         RunEraseFlash},
        {"read-all", "",
         "Read All: firmware version, ID string, module settings, all pins, all events and the enable map", RunReadAll},
        {"write-all", "", "Write All: ID string, module settings, all pins, all events and the enable map",
         RunWriteAll},
        {"verify-all", "", "Verify All: module settings, events and enable map, all pins; print the report",
         RunVerifyAll},
        {"write-changes", "",
         "Write Changes: only the setting blocks, pins, event slots and enable map that differ from what the "
         "controller was last read or written with (or were never read); nothing changed: nothing is sent",
         RunWriteChanges},
        {"changes", "", "print what differs from the controller since it was last read or written", RunChanges},
        {"diff", "A B",
         "print the differences between the data files A and B in the words of the verification report; "
         "exit status 0 when they compare, 1 when they differ, 2 when a file cannot be read",
         RunDiff},
        {"read-pin", "N", "read pin N (as shown, with the numbering base) from the controller", RunReadPin},
        {"write-pin", "N", "write pin N (as shown, with the numbering base) to the controller", RunWritePin},
        {"read-device", "N", "read every pin of the device that pin N belongs to", RunReadDevice},
        {"write-device", "N", "write every pin of the device that pin N belongs to", RunWriteDevice},
        {"read-all-pins", "", "read all 32 pins from the controller", RunReadAllPins},
        {"write-all-pins", "", "write all 32 pins to the controller", RunWriteAllPins},
        {"verify-pins", "", "compare the 32 pins with the controller and print the report", RunVerifyPins},
        {"read-events", "", "read and print the event actions of all pins and the initial enable map", RunReadEvents},
        {"write-events", "", "write the event actions of all pins and the initial enable map", RunWriteEvents},
        {"verify-events", "", "compare the event actions and enable map with the controller, print the report",
         RunVerifyEvents},
        {"set-enable-map", "ON OFF", "set the initial enable map: four digits 0/1 each, 1 = enabled", RunSetEnableMap},
        {"set-aspect", "N A", "make pin N (as shown) show aspect A (0..11) at once", RunSetAspect},
        {"set-address-aspect", "S A", "make serial address S (0..127, not shifted by the base) show aspect A",
         RunSetAddressAspect},
        {"servo", "N POSITION", "move the servo of pin N to POSITION (-64..63); with --dynamic as it moves", RunServo},
        {"pwm", "N LEVEL", "set the PWM level of pin N to LEVEL (0..31); with --slow as it moves", RunPwm},
        {"reset", "", "send the Lumo reset command to the module address", RunReset},
        {"clear-all", "", "clear the 32 outputs of the module address (Lumo clear)", RunClearAll},
        {"lamp-test", "", "lamp-test the 32 outputs of the module address (Lumo lamp test)", RunLampTest},
        {TransparentModeCommand, "", "put the Corvan interface in Transparent Mode (--yes answers its question)",
         RunTransparentMode},
        {"monitor", "SECONDS", "print the messages the controller reports, for SECONDS seconds", RunMonitor},
        {"devices", "", "list the devices of the device library, then the library's caption", RunDevices},
        {"load-device", "NAME N", "load the library device NAME into the pins from pin N on (nothing is sent)",
         RunLoadDevice},
        {"set-device-name", "N NAME",
         "name the device that pin N belongs to NAME (the name save-device saves it under)", RunSetDeviceName},
        {"save-device", "N FILE",
         "save the device that pin N belongs to as a device library FILE (an existing FILE only with --yes)",
         RunSaveDevice},
        {"sheet", "OUT [FILE|DIR]",
         "write the configuration sheet as OUT (.pdf or .html) of the data file FILE, of the layout folder DIR "
         "(address map first), or else of the configuration at hand (as the first command with --port: of the "
         "controller, read first)",
         RunSheet},
        {"export-csv", "OUT [FILE...|DIR]",
         "write the pin table (one row per pin of each controller) as comma-separated values to OUT, of the "
         "data files or the layout folder DIR, or else of the configuration at hand",
         RunExportCsv},
        {"addresses", "FILE...|DIR",
         "print every address in use (DCC, eXtended DCC, serial) with the module and pin that answer to it, then "
         "the conflicts; exit status 1 when there is one, 2 when a file cannot be read. A data file named "
         "module-N.dat is module N",
         RunAddresses},
        {"scan", "", "ask every module address for its controller; print each: Module N: \"ID\" version", RunScan},
        {"backup-layout", "DIR",
         "scan, then save every controller found as DIR/module-N.dat (Read All) and list them in DIR/layout.txt",
         RunBackupLayout},
        {"verify-layout", "DIR", "Verify All of each controller listed in DIR/layout.txt against its data file",
         RunVerifyLayout},
        {"restore-layout", "DIR",
         "write each controller listed in DIR/layout.txt with Write All and verify it (--yes answers its question)",
         RunRestoreLayout},
    };
    return table;
}

} // namespace vexa::cli
