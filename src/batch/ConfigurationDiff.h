#pragma once

#include "model/ConfigurationImage.h"

#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* FilesCompareText = "Files compare";

// The differences between two configurations in the words of the verification report, one line
// each and in the order "Verify All" reports them: module settings, event actions, the enable
// map (only when both know it), pins. `configured` stands where the verification has the
// window's configuration, `other` where it has the controller: the other configuration is
// compared as a controller would hold it after a write of it.
std::vector<std::string> CompareConfigurations(const ConfigurationImage& configured, const ConfigurationImage& other,
                                               int numberingBase);

// The report of a comparison: the lines, or "Files compare" when there is none; CR LF after each.
std::string ComparisonReport(const std::vector<std::string>& differences);

} // namespace vexa
