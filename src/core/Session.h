#pragma once

#include "core/Clock.h"
#include "core/ControllerCopy.h"
#include "core/LinkState.h"
#include "core/Progress.h"
#include "core/Prompter.h"
#include "core/SerialPort.h"
#include "core/Trace.h"
#include "model/ConfigurationImage.h"
#include "model/DeviceCatalogue.h"

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

// The serial port currently chosen, with the settings that apply to it.
struct PortState {
    std::unique_ptr<SerialPort> port; // null until a port is chosen
    std::string name;                 // name of the chosen port, empty when none
    std::string serialNumber;         // of the chosen USB adapter, where the system gives one
    std::string settings = "19200,o,8,1";
    std::vector<std::string> available; // ports found by the last scan, in list order
    std::vector<PortInfo> listed;       // the same ports with what the system says about them
    bool lost = false;                  // the chosen port vanished from the system's list
    bool watched = false;               // a port watch opens a lost port again when it is back
    bool followed = false;              // the system listed the chosen port: the watch sees it return
    int openings = 0;                   // counts every opening of a chosen port

    bool isOpen() const { return port && port->isOpen(); }
};

// Everything an operation reads or changes: the configuration image, the link, the
// window-level values that operations set, and the seams to the outside world.
// Operations never touch a widget; views refresh themselves from the Session.
class Session {
public:
    Session(Prompter& prompterSeam, Clock& clockSeam, PortProvider& portProvider)
        : prompter(prompterSeam), clock(clockSeam), ports(portProvider), progress(&idleProgress) {}

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Prompter& prompter;
    Clock& clock;
    PortProvider& ports;
    Progress* progress; // never null; set by whoever runs a long operation

    ConfigurationImage image;
    DeviceCatalogue devices; // names of the loaded device library files
    LinkState link;
    PortState port;
    Trace trace;
    Trace monitorText{256u * 1024u}; // the message monitor's lines

    int numberingBase = 1;               // "Start numbering at 1"
    std::string versionText = "Unknown"; // firmware version as last read
    bool expertMode = false;
    int eventPin = 0; // pin 0..31 shown on the event page
    // The event page's action fields show the event table. At start they show "-1" instead,
    // until the table is first read, loaded from a file or a pin is chosen on the page.
    bool eventTableShown = false;
    std::string verificationReport; // text of the verification report, one finding per CR LF line
    // A long operation runs: no timer or dispatch may start another. Read by the window's thread
    // while the operation runs on its own.
    std::atomic<bool> operationRunning = false;
    bool flexWarningSuppressed = false; // a read sets "Lumo Flex-Addresss": no warning then

    // Shows a message in an OK box.
    void tell(const std::string& text) { prompter.tell(text); }

    // What the controller the link reaches now is known to hold; empty when the link reaches
    // another controller than the copy was kept for.
    ControllerCopy& controllerCopy() const {
        copy_.follow(LinkIdentity{port.name, port.settings, port.openings, link.moduleAddress,
                                  link.useXAddress ? link.xAddress : -1, link.useCorvan});
        return copy_;
    }

private:
    Progress idleProgress;
    mutable ControllerCopy copy_;
};

} // namespace vexa
