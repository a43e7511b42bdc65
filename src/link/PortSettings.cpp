#include "link/PortSettings.h"

#include <sstream>

namespace vexa {

bool ParsePortSettings(const std::string& text, PortSettings& settings) {
    std::istringstream in(text);
    std::string rate, parity, data, stop;
    if (!std::getline(in, rate, ',') || !std::getline(in, parity, ',') || !std::getline(in, data, ',') ||
        !std::getline(in, stop))
        return false;
    try {
        settings.bitRate = std::stoi(rate);
        settings.dataBits = std::stoi(data);
        settings.stopBits = std::stoi(stop);
    } catch (...) {
        return false;
    }
    if (parity.size() != 1 || std::string("noems").find(parity[0]) == std::string::npos)
        return false;
    settings.parity = parity[0];
    return settings.bitRate > 0 && (settings.dataBits >= 5 && settings.dataBits <= 8) &&
           (settings.stopBits == 1 || settings.stopBits == 2);
}

bool ValidPortSettings(const std::string& text, std::string& error) {
    PortSettings parsed;
    if (ParsePortSettings(text, parsed))
        return true;
    error = "Invalid port settings " + text;
    return false;
}

} // namespace vexa
