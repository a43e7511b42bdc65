#pragma once

#include "cli/CliCommand.h"

#include <optional>

namespace vexa::cli {

// The internal pin of a pin number as the user counts it, or nothing (with a message) when the
// text is not a whole number within the shown range.
std::optional<int> PinOfArgument(Session& session, const std::string& text);

// read-pin N / write-pin N: one whole pin, N as shown (with the numbering base).
bool RunReadPin(CliContext& context, const std::string& pin);
bool RunWritePin(CliContext& context, const std::string& pin);
// read-device N / write-device N: every pin of the device that pin N belongs to.
bool RunReadDevice(CliContext& context, const std::string& pin);
bool RunWriteDevice(CliContext& context, const std::string& pin);
// read-all-pins / write-all-pins: the 32 pins in order.
bool RunReadAllPins(CliContext& context, const std::string& argument);
bool RunWriteAllPins(CliContext& context, const std::string& argument);
// verify-pins: prints the verification report; fails unless it ends with "Verify OK".
bool RunVerifyPins(CliContext& context, const std::string& argument);

} // namespace vexa::cli
