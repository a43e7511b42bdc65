#pragma once

#include <string>

namespace vexa {

// The line settings of a serial port, taken apart from a text such as "19200,o,8,1".
struct PortSettings {
    int bitRate = 19200;
    char parity = 'o'; // n, o, e, m or s
    int dataBits = 8;
    int stopBits = 1;
};

// Parses "19200,o,8,1" into its parts; false when the text is not such a setting.
bool ParsePortSettings(const std::string& text, PortSettings& settings);

// Whether a port may take the settings text; when not, `error` says so as every port does.
bool ValidPortSettings(const std::string& text, std::string& error);

} // namespace vexa
