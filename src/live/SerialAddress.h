#pragma once

#include "model/ConfigurationImage.h"

namespace vexa {

// First serial (Lumo-format) address of a pin: the sum of the serial address counts of the
// pins before it.
int FirstSerialAddress(const ConfigurationImage& image, int pin);

// Whether at least one serial address is assigned to the pin.
bool HasSerialAddress(const ConfigurationImage& image, int pin);

} // namespace vexa
