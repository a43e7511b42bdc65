#pragma once

#include "model/ConfigurationImage.h"

#include <string>
#include <vector>

namespace vexa {

// The pins of the device headed by `head`: the head first, then every pin that refers to it in
// ascending order.
std::vector<int> DevicePins(const ConfigurationImage& image, int head);

// A library file holding the one device headed by `head`, named after the head's device
// description: each pin at its position relative to the head, its type, address counts and
// the described aspects with their steps in use. Parameter 2 of a servo pin is masked to its
// stored bits, in the image too.
std::string FormatDeviceLibrary(ConfigurationImage& image, int head);

} // namespace vexa
