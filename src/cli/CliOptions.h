#pragma once

#include "cli/CliCommand.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa::cli {

// One command of the command line with its argument.
struct CommandCall {
    const CliCommand* command = nullptr;
    std::string argument;               // the first argument
    std::vector<std::string> arguments; // all of them
};

// The arguments a command takes, by the words of its argument names: a word takes one argument;
// a word in brackets ("[FILE]") one that may be left out; a word with "..." ("FILE...|DIR")
// every further argument up to the next command's name.
struct ArgumentShape {
    int required = 0;
    int optional = 0;
    bool rest = false;
};
ArgumentShape ArgumentShapeOf(const CliCommand& command);

// The options and commands of one run of vexaconfig-cli, addresses as stored (base taken off).
struct CliOptions {
    std::string port;                 // empty: no port is opened
    int bitRateIndex = 1;             // index of the bit-rate option (19200)
    std::optional<int> moduleAddress; // 0..15, or 0..31 with tunnel
    std::optional<int> xAddress;      // 0..95; turns "Use eXtended Addr" on
    int numberingBase = 1;
    bool baseGiven = false; // --base was given (an older layout.txt needs it)
    bool oneWay = false;
    int retries = 0;     // --retries: times a read is sent again, 0..MaxRetries
    bool tunnel = false; // check "Use Corvan Tunneling" once the port is open
    bool answerYes = false;
    bool slow = false;    // "Slow" for pwm
    bool dynamic = false; // "Dynamic" for servo
    std::string traceFile;
    std::vector<std::string> libraries; // device libraries: the first replaces the standard one
    bool help = false;
    bool version = false; // --version: print the release and quit
    std::vector<CommandCall> commands;
};

// Parses the arguments (without the program name) against the command table. False with a
// reason in `error` when they are not a valid command line.
bool ParseCliOptions(const std::vector<std::string>& args, const std::vector<CliCommand>& table, CliOptions& options,
                     std::string& error);

// The usage text, with every command of the table.
std::string UsageText(const std::vector<CliCommand>& table);

// A whole decimal integer making up the whole text (an option value or a command argument).
bool ParseInteger(const std::string& text, int& value);

} // namespace vexa::cli
