#pragma once

#include "model/ConfigurationImage.h"

namespace vexa {

// The pin record of image.currentPin, or null when the selection lies outside 0..31.
PinRecord* CurrentPinRecord(ConfigurationImage& image);
const PinRecord* CurrentPinRecord(const ConfigurationImage& image);

// Aspect image.currentAspect of the current pin, or null when either selection is out of range.
AspectRecord* CurrentAspectRecord(ConfigurationImage& image);
const AspectRecord* CurrentAspectRecord(const ConfigurationImage& image);

} // namespace vexa
