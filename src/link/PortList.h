#pragma once

#include "core/SerialPort.h"

#include <string>
#include <vector>

namespace vexa {

// Compares names as a user reads them: runs of digits by their value, so that
// "/dev/ttyS2" comes before "/dev/ttyS10".
bool NaturalLess(const std::string& a, const std::string& b);

// Puts the ports in the order of the port list: USB adapters first, then the other devices,
// each group in natural order; entries that are no device file ("Simulator") stay last.
void SortPorts(std::vector<PortInfo>& ports);

// The text of a port in the list: its system name and, beside it, what the system says
// about it ("/dev/ttyUSB0 – FT232R USB UART (FTDI)").
std::string PortDisplayText(const PortInfo& port);

// The system name in a text of the list or in a path the user typed.
std::string PortNameFromText(const std::string& text);

// Whether a name is a serial port of the system ("/dev/ttyUSB0", "COM3", "\\.\COM12") rather
// than a port that the program adds ("Simulator").
bool IsSystemPortName(const std::string& name);

// The device path that opens a Windows COM port: "COM12", "com12" and "\\.\COM12" all give
// "\\.\COM12" (the plain name opens only COM1 to COM9). Other names stay as they are.
std::string ComDevicePath(const std::string& name);

} // namespace vexa
