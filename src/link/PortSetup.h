#pragma once

#include "core/Session.h"

#include <array>
#include <string>
#include <vector>

namespace vexa {

// The settings texts of the three bit rates, by the index of the bit-rate option.
inline constexpr std::array<const char*, 3> BitRateSettings{"9600,o,8,1", "19200,o,8,1", "38400,o,8,1"};

// The serial number the system gives for the listed port of that name; empty when none.
std::string SerialNumberOf(const std::vector<PortInfo>& ports, const std::string& name);
// The name of the listed port with that serial number (a USB adapter on another port name);
// empty when none, or when the serial number is empty.
std::string PortOfSerialNumber(const std::vector<PortInfo>& ports, const std::string& serialNumber);

// Index of the bit-rate option whose settings text is given; -1 when it is none of them.
int BitRateIndex(const std::string& settings);

// Fills session.port.available (and .listed) with the ports the system knows, in list order:
// USB adapters first, each group in natural order. The port stays as it is.
void ScanPorts(Session& session);

// Closes the current port and opens the named one with the current settings. An empty name
// only closes. A failing open shows why (error box) and leaves the port closed, the name chosen.
bool SelectPort(Session& session, const std::string& name);

// Opens the chosen port again without a message box (a port that came back); on failure the
// port stays closed and `failure` says why.
bool ReopenChosenPort(Session& session, std::string& failure);

// Closes the port, stores the settings of bit rate `index` (0..2) and opens the chosen port
// again when one is chosen.
bool ChooseBitRate(Session& session, int index);

// Closes the port, forgets the choice and scans again.
void RefreshPorts(Session& session);

} // namespace vexa
