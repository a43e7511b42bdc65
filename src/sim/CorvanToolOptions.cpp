#include "sim/CorvanToolOptions.h"

#include "sim/Simulator.h"

#include <charconv>

namespace vexa {

namespace {

bool ParseWhole(const std::string& text, int min, int max, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

bool ParseVersion(const std::string& text, int& version) {
    return ParseWhole(text, 0, 15777, version) && CorvanVersionBytes(version);
}

bool ParseInterfaceType(const std::string& text, int& type) {
    if (text == "hubo")
        type = 2;
    else if (text == "tesk")
        type = 3;
    else if (text == "brix")
        type = 10;
    else
        return ParseWhole(text, 0, 127, type);
    return true;
}

// "B0,B1,B2,B3", each 0..127.
bool ParseReport(const std::string& text, std::array<std::uint8_t, 4>& report) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < report.size(); ++k) {
        const std::size_t comma = text.find(',', start);
        const bool last = k + 1 == report.size();
        if ((comma == std::string::npos) != last)
            return false;
        int value = 0;
        if (!ParseWhole(text.substr(start, last ? std::string::npos : comma - start), 0, 127, value))
            return false;
        report[k] = static_cast<std::uint8_t>(value);
        start = comma + 1;
    }
    return true;
}

} // namespace

OptionMatch ParseCorvanToolOption(const std::vector<std::string>& args, std::size_t& i, CorvanToolOptions& options,
                                  std::string& error) {
    const std::string& option = args[i];
    if (option == "--corvan") {
        options.enabled = true;
        return OptionMatch::Taken;
    }
    if (option != "--protocol" && option != "--interface" && option != "--firmware" && option != "--report")
        return OptionMatch::No;
    if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return OptionMatch::Invalid;
    }
    const std::string& value = args[++i];
    bool ok = false;
    if (option == "--protocol") {
        ok = ParseVersion(value, options.settings.protocolVersion);
    } else if (option == "--firmware") {
        ok = ParseVersion(value, options.settings.firmwareVersion);
    } else if (option == "--interface") {
        ok = ParseInterfaceType(value, options.settings.interfaceType);
    } else {
        std::array<std::uint8_t, 4> report{};
        ok = ParseReport(value, report);
        if (ok)
            options.reports.push_back(report);
    }
    if (!ok) {
        error = "invalid value \"" + value + "\" for " + option;
        return OptionMatch::Invalid;
    }
    return OptionMatch::Taken;
}

std::string CorvanToolUsage() {
    return "  --corvan         put a Corvan interface in front of the controller; --address\n"
           "                   is then the controller's address on the Corvan bus (0..31)\n"
           "  --protocol V     protocol version of the interface, four digits (default 3200 =\n"
           "                   3.2.0.0; the second and fourth digit 0..7)\n"
           "  --interface T    interface type: hubo, tesk, brix (default) or a number\n"
           "  --firmware V     firmware version of the interface, as --protocol (default 1040)\n"
           "  --report B0,B1,B2,B3\n"
           "                   a message (four values 0..127) the controller reports in answer\n"
           "                   to an empty request; may be given more than once\n";
}

void ApplyCorvanToolOptions(const CorvanToolOptions& options, Simulator& simulator) {
    for (const auto& report : options.reports)
        simulator.queueReport(report);
}

} // namespace vexa
