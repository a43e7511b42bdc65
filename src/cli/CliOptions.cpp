#include "cli/CliOptions.h"

#include "cli/TunnelCommands.h"
#include "core/LinkState.h"
#include "core/SerialPort.h"
#include "link/PortSetup.h"

#include <charconv>

namespace vexa::cli {

bool ParseInteger(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

ArgumentShape ArgumentShapeOf(const CliCommand& command) {
    ArgumentShape shape;
    std::size_t start = 0;
    while (start < command.argument.size()) {
        std::size_t end = command.argument.find(' ', start);
        if (end == std::string::npos)
            end = command.argument.size();
        const std::string word = command.argument.substr(start, end - start);
        if (word.find("...") != std::string::npos)
            shape.rest = true;
        if (word.starts_with("["))
            ++shape.optional;
        else if (!word.empty())
            ++shape.required;
        start = end + 1;
    }
    return shape;
}

namespace {

constexpr int DirectAddressCount = 16;
constexpr int TunnelAddressCount = 32;
constexpr int XAddressCount = 96;

// Splits "--name=value" into its two parts; a plain "--name" gives no value.
void SplitOption(const std::string& arg, std::string& name, std::optional<std::string>& value) {
    const auto equals = arg.find('=');
    if (equals == std::string::npos) {
        name = arg;
        value.reset();
    } else {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
    }
}

const CliCommand* FindCommand(const std::vector<CliCommand>& table, const std::string& name) {
    for (const CliCommand& command : table)
        if (command.name == name)
            return &command;
    return nullptr;
}

// The raw values of the options that depend on the numbering base, checked once it is known.
struct ShownAddresses {
    std::optional<int> module;
    std::optional<int> extended;
};

bool CheckShownAddress(const std::optional<int>& shown, int base, int count, const char* option,
                       std::optional<int>& stored, std::string& error) {
    if (!shown)
        return true;
    if (*shown < base || *shown > base + count - 1) {
        error = std::string(option) + " must be between " + std::to_string(base) + " and " +
                std::to_string(base + count - 1);
        return false;
    }
    stored = *shown - base;
    return true;
}

bool ParseOption(const std::string& name, const std::string& value, CliOptions& options, ShownAddresses& shown,
                 std::string& error) {
    int number = 0;
    if (name == "--port") {
        if (value.empty()) {
            error = "--port needs a port name";
            return false;
        }
        options.port = value == "sim"          ? std::string(SimulatorPortName)
                       : value == "sim-corvan" ? std::string(CorvanSimulatorPortName)
                       : value == "sim-layout" ? std::string(LayoutSimulatorPortName)
                                               : value;
    } else if (name == "--bitrate") {
        const int index = BitRateIndex(value + ",o,8,1");
        if (index < 0) {
            error = "--bitrate must be 9600, 19200 or 38400";
            return false;
        }
        options.bitRateIndex = index;
    } else if (name == "--address" || name == "--xaddress") {
        if (!ParseInteger(value, number)) {
            error = name + " needs a number";
            return false;
        }
        (name == "--address" ? shown.module : shown.extended) = number;
    } else if (name == "--base") {
        if (value != "0" && value != "1") {
            error = "--base must be 0 or 1";
            return false;
        }
        options.numberingBase = value == "1" ? 1 : 0;
        options.baseGiven = true;
    } else if (name == "--retries") {
        if (!ParseInteger(value, number) || number < 0 || number > MaxRetries) {
            error = "--retries must be between 0 and " + std::to_string(MaxRetries);
            return false;
        }
        options.retries = number;
    } else if (name == "--trace") {
        if (value.empty()) {
            error = "--trace needs a file name";
            return false;
        }
        options.traceFile = value;
    } else if (name == "--library") {
        if (value.empty()) {
            error = "--library needs a file name";
            return false;
        }
        options.libraries.push_back(value);
    } else {
        error = "unknown option " + name;
        return false;
    }
    return true;
}

// The switch an option without a value turns on, or null for other options.
bool* FlagOption(const std::string& name, CliOptions& options) {
    if (name == "--one-way")
        return &options.oneWay;
    if (name == "--yes")
        return &options.answerYes;
    if (name == "--slow")
        return &options.slow;
    if (name == "--dynamic")
        return &options.dynamic;
    if (name == "--tunnel")
        return &options.tunnel;
    return nullptr;
}

bool IsValuedOption(const std::string& name) {
    return name == "--port" || name == "--bitrate" || name == "--address" || name == "--xaddress" || name == "--base" ||
           name == "--retries" || name == "--trace" || name == "--library";
}

} // namespace

bool ParseCliOptions(const std::vector<std::string>& args, const std::vector<CliCommand>& table, CliOptions& options,
                     std::string& error) {
    options = CliOptions{};
    ShownAddresses shown;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("-", 0) == 0; ++i) {
        std::string name;
        std::optional<std::string> value;
        SplitOption(args[i], name, value);
        if (name == "--help" || name == "-h") {
            options.help = true;
            return true;
        }
        if (name == "--version" || name == "-v") {
            options.version = true;
            return true;
        }
        if (bool* flag = FlagOption(name, options)) {
            if (value) {
                error = name + " takes no value";
                return false;
            }
            *flag = true;
            continue;
        }
        if (IsValuedOption(name) && !value) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!ParseOption(name, value.value_or(""), options, shown, error))
            return false;
    }
    if (!CheckShownAddress(shown.module, options.numberingBase,
                           options.tunnel ? TunnelAddressCount : DirectAddressCount, "--address", options.moduleAddress,
                           error) ||
        !CheckShownAddress(shown.extended, options.numberingBase, XAddressCount, "--xaddress", options.xAddress, error))
        return false;

    for (; i < args.size(); ++i) {
        const CliCommand* command = FindCommand(table, args[i]);
        if (!command) {
            error = args[i].rfind("-", 0) == 0 ? "options go before the commands: " + args[i]
                                               : "unknown command " + args[i];
            return false;
        }
        CommandCall call{command, {}, {}};
        const ArgumentShape shape = ArgumentShapeOf(*command);
        if (shape.required > 0 && i + static_cast<std::size_t>(shape.required) >= args.size()) {
            error = command->name + " needs " + command->argument;
            return false;
        }
        for (int k = 0; k < shape.required; ++k)
            call.arguments.push_back(args[++i]);
        // Further arguments, while they are no command's name.
        for (int k = 0; (shape.rest || k < shape.optional) && i + 1 < args.size() && !FindCommand(table, args[i + 1]);
             ++k)
            call.arguments.push_back(args[++i]);
        if (!call.arguments.empty())
            call.argument = call.arguments.front();
        options.commands.push_back(call);
    }
    if (options.commands.empty()) {
        error = "no command given";
        return false;
    }
    // The window hides "Activate Transparent Mode" while the tunnel stands: the two exclude
    // each other.
    for (const CommandCall& call : options.commands)
        if (options.tunnel && call.command->name == TransparentModeCommand) {
            error = std::string(TransparentModeCommand) +
                    " cannot be used with --tunnel: it is for Corvan systems without tunneling; "
                    "run it without --tunnel";
            return false;
        }
    return true;
}

std::string UsageText(const std::vector<CliCommand>& table) {
    std::string text = "Usage: vexaconfig-cli [OPTIONS] COMMAND [ARG] [COMMAND [ARG]]...\n"
                       "Runs the commands in order on one controller and stops at the first that fails.\n"
                       "\n"
                       "Options:\n"
                       "  --port NAME        serial device, or sim for the built-in simulated controller\n"
                       "                     (sim-corvan: the same behind a simulated Corvan interface;\n"
                       "                     sim-layout: three simulated controllers on one line)\n"
                       "  --bitrate RATE     9600, 19200 (default) or 38400\n"
                       "  --address N        module address, as shown (with the numbering base)\n"
                       "  --xaddress N       use the eXtended Address N, as shown\n"
                       "  --base 0|1         numbering base of the shown numbers (default 1); a layout.txt\n"
                       "                     of an earlier version is read only with --base given\n"
                       "  --one-way          start with bidirectional communication off\n"
                       "  --retries N        send a read again up to N times (0..5, default 0) when its\n"
                       "                     answer is lost or malformed; a write whose answer is lost\n"
                       "                     is read back. Writes and commands are never sent again\n"
                       "  --tunnel           reach the controller through a Corvan interface (Use Corvan\n"
                       "                     Tunneling); --address may then go up to 31 + base\n"
                       "  --yes              answer OK/Yes to every question (default Cancel/No)\n"
                       "  --trace FILE       write the link trace to FILE at the end\n"
                       "  --slow             pwm moves the level with the pin's dynamics (default: jump)\n"
                       "  --dynamic          servo moves with the pin's dynamics (default: jump)\n"
                       "  --library FILE     device library instead of the standard one; repeat to add more\n"
                       "  --help             show this text\n"
                       "  --version          print the release and quit\n"
                       "\n"
                       "Commands:\n";
    for (const CliCommand& command : table) {
        std::string head = "  " + command.name + (command.argument.empty() ? "" : " " + command.argument);
        if (head.size() < 21)
            head.resize(21, ' ');
        else
            head += ' ';
        text += head + command.help + "\n";
    }
    text += "\nExit status: 0 when every command succeeded, 1 when one failed, 2 for a usage error.\n"
            "Ctrl+C stops the command under way (exit status 1).\n";
    return text;
}

} // namespace vexa::cli
