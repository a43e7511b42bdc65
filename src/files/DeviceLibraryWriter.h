#pragma once

#include "model/ConfigurationImage.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The pins of the device headed by `head`: the head first, then every pin that refers to it in
// ascending order.
std::vector<int> DevicePins(const ConfigurationImage& image, int head);

// A library file holding the one device headed by `head`, named after the head's device
// description: each pin at its position relative to the head, its type, address counts and
// every counted aspect that has a description or a step in use, with its steps in use (the
// descriptions of a configuration read from a controller are empty, its programs are not).
// Parameter 2 of a servo pin is masked to its stored bits, in the image too.
std::string FormatDeviceLibrary(ConfigurationImage& image, int head);

// The first text the library of that device would hold that is a keyword of the files, said
// as "the description of pin 3" (pins and aspects as the user counts them with the numbering
// base), with the text; nothing when there is none.
struct KeywordText {
    std::string where;
    std::string text;
};
std::optional<KeywordText> FindKeywordText(const ConfigurationImage& image, int head, int numberingBase);

} // namespace vexa
