#pragma once

#include "model/ConfigurationImage.h"

#include <array>
#include <string>
#include <vector>

namespace vexa {

// The module settings in the words of the "General" page, frame by frame: each field's caption
// with its value as the page shows it (numbers with the numbering base where the page adds it).
struct SettingsLine {
    std::string caption;
    std::string value;
};
struct SettingsFrameWords {
    std::string frame;
    std::vector<SettingsLine> lines;
};
std::vector<SettingsFrameWords> ModuleSettingsInWords(const ConfigurationImage& image, int numberingBase);

// The captions of the checked LED items, separated by ", " ("" when none is).
std::string LedFunctionsText(const std::array<std::uint8_t, 8>& items, const std::array<const char*, 8>& captions);
// The numbers of the checked group-mask flags, separated by blanks, or "none".
std::string GroupMaskText(const ModuleSettings& module);

} // namespace vexa
