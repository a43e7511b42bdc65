#pragma once

#include "model/ConfigurationImage.h"

#include <array>

namespace vexa {

// The first address of each pin among the serial, basic DCC and extended DCC addresses, as
// offsets from the first address of the controller: running sums of the pins' address counts
// in pin order, with the sum over all 32 pins as the total of each kind. Derived from the
// image alone, so it is formed whenever it is needed and never goes stale.
struct AddressOffsets {
    std::array<int, PinCount> serial{};
    std::array<int, PinCount> dcc{};
    std::array<int, PinCount> xdcc{};
    int serialTotal = 0;
    int dccTotal = 0;
    int xdccTotal = 0;
};

AddressOffsets ComputeAddressOffsets(const ConfigurationImage& image);

} // namespace vexa
