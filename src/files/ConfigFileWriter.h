#pragma once

#include "model/ConfigurationImage.h"

#include <string>

namespace vexa {

// The whole configuration data file for an image, as bytes (one per character, CR LF line
// ends). A full save writes every pin and every counted aspect and step; a compact save skips
// pins and aspects without a description and steps without an instruction. As the file
// requires, parameter 2 of every servo pin written is masked to its stored bits in the image
// too. Texts are written file-safe (see FileSafeText).
std::string FormatConfigurationFile(ConfigurationImage& image, bool compact);

} // namespace vexa
