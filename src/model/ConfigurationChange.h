#pragma once

#include "model/ConfigurationImage.h"

#include <string>

namespace vexa {

// True when both images hold the same configuration. The selection (current pin and aspect) and
// the pins' live output values are what the window shows or drives now, not configuration.
bool SameConfiguration(const ConfigurationImage& a, const ConfigurationImage& b);

// What DescribeChange says of changes in more than one part of the configuration.
inline constexpr const char* SeveralChanges = "Several changes";

// Names what changed from `before` to `after` as the window shows it, with pin numbers from
// `numberingBase`: "Pin 7 Aspect 2 step 3", "Pin 7 configuration", "Events of pin 4", "DCC",
// "Pins 3, 4 and 5", "General settings" ... Empty when the configuration is the same.
std::string DescribeChange(const ConfigurationImage& before, const ConfigurationImage& after, int numberingBase);

} // namespace vexa
