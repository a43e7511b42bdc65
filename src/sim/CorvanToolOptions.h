#pragma once

#include "sim/CorvanInterfaceSim.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// The options of vexa-sim for the Corvan interface and the reported messages.
struct CorvanToolOptions {
    bool enabled = false; // --corvan: serve a Corvan interface in front of the controller
    CorvanInterfaceSettings settings;
    std::vector<std::array<std::uint8_t, 4>> reports; // --report, in order
};

enum class OptionMatch { No, Taken, Invalid };

// Takes the option at args[i] (and its value, moving i past it) when it is one of these
// options; Invalid with a reason in `error` when its value is not valid.
OptionMatch ParseCorvanToolOption(const std::vector<std::string>& args, std::size_t& i, CorvanToolOptions& options,
                                  std::string& error);

// The lines of --help for these options.
std::string CorvanToolUsage();

// Queues the reports in the controller.
void ApplyCorvanToolOptions(const CorvanToolOptions& options, Simulator& simulator);

} // namespace vexa
