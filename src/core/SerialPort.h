#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

// A serial port as the link uses it: one byte at a time, with a blocking wait for input.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the named port with the current settings; on failure errorString() says why.
    virtual bool open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Settings text such as "19200,o,8,1"; applied at once when open, else at the next open.
    virtual bool setSettings(const std::string& settings) = 0;
    // Writes one byte; false when the port failed (for example, it disappeared).
    virtual bool writeByte(std::uint8_t byte) = 0;
    // Number of received bytes waiting; -1 when the port failed.
    virtual int bytesWaiting() = 0;
    // Takes one received byte; -1 when none is waiting or the port failed.
    virtual int readByte() = 0;
    // Blocks until a byte is waiting or timeoutMs passed; true when a byte is waiting.
    virtual bool waitReadable(int timeoutMs) = 0;
    // Why the last operation failed.
    virtual std::string errorString() const = 0;
    // True when the last open failed because the system denied access to the device.
    virtual bool accessDenied() const { return false; }
    // The port is handed to another thread (an operation starts or ends on its own thread): a
    // port tied to the thread that uses it lets go of the calling thread, and the next thread
    // that uses it takes it over. Called by the thread that used it last.
    virtual void releaseThread() {}
};

// Name of the in-process simulated controller in the port list.
inline constexpr const char* SimulatorPortName = "Simulator";
// Name of the same controller behind a simulated Corvan interface.
inline constexpr const char* CorvanSimulatorPortName = "Simulator (Corvan)";
// Name of a simulated layout: several controllers on one line.
inline constexpr const char* LayoutSimulatorPortName = "Simulator (Layout)";

// True for the names of the simulated ports of this process, which the system never lists.
inline bool IsSimulatorPortName(const std::string& name) {
    return name == SimulatorPortName || name == CorvanSimulatorPortName || name == LayoutSimulatorPortName;
}

// A port that is not a serial device of the system, such as a simulated controller in this
// process: its name in the port list and how to make a port object for it.
struct NamedPortMaker {
    std::string name;
    std::function<std::unique_ptr<SerialPort>()> make;
};

// What the system knows about a port besides its name.
struct PortInfo {
    std::string name;         // system name, used to open it: "/dev/ttyUSB0"
    std::string description;  // "FT232R USB UART"; may be empty
    std::string manufacturer; // "FTDI"; may be empty
    bool usb = false;         // an adapter on USB
    std::string serialNumber; // of a USB adapter, where the system gives one; may be empty

    bool operator==(const PortInfo&) const = default;
};

// Who may open a device file, and whether the user running the tool is one of them.
struct PortAccess {
    std::string group;       // group that owns the device file; empty when unknown
    std::string user;        // login name of the user running the tool
    bool userListed = false; // the group database lists the user in that group
    bool sessionHas = false; // this process already runs with that group
};

// Lists the ports that can be opened and makes port objects for their names.
class PortProvider {
public:
    virtual ~PortProvider() = default;
    virtual std::vector<std::string> scanPorts() = 0;
    virtual std::unique_ptr<SerialPort> makePort(const std::string& name) = 0;
    // The ports with what the system knows about them; by default only their names.
    virtual std::vector<PortInfo> listPorts() {
        std::vector<PortInfo> ports;
        for (std::string& name : scanPorts())
            ports.push_back(PortInfo{std::move(name), {}, {}, false, {}});
        return ports;
    }
    // Who may open the device of this port; empty when the system does not say.
    virtual PortAccess accessOf(const std::string& name) {
        (void)name;
        return {};
    }
    // What holds the port open, where the system shows it ("process 4711 (minicom), lock file
    // /run/lock/LCK..ttyUSB0"); empty when nothing is found.
    virtual std::string holderOf(const std::string& name) {
        (void)name;
        return {};
    }
};

} // namespace vexa
