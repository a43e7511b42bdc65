#pragma once

#include "files/ConfigFileReader.h"
#include "model/ConfigurationImage.h"

#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* FilesCompareText = "Files compare";

// One side of a comparison of two configurations: how the report names it (a file name, or the
// window's configuration), the configuration, and the pins it holds (a compact file leaves out
// the pins without a description).
struct ComparedConfiguration {
    std::string name;
    ConfigurationImage image;
    PinsNamed pins;
};

// A line of the comparison: a value that differs, or a value only one side holds, which is named
// and not compared.
struct ComparisonFinding {
    std::string text;
    bool differs = true;
};

// Compares two configurations by their own values, both as a data file saved from them holds
// them, and names every value that differs, in the words of the verification report where it
// has them and in the order "Verify All" reports: module settings, event actions, the enable
// map, pins (then their descriptions). `first` stands where the report has the window's
// configuration, `second` where it has the controller; swapped, the same values are named.
std::vector<ComparisonFinding> CompareConfigurations(const ComparedConfiguration& first,
                                                     const ComparedConfiguration& second, int numberingBase);

// True when no value differs (values only one side holds do not count).
bool ConfigurationsCompare(const std::vector<ComparisonFinding>& findings);

// The report of a comparison: the lines, then "Files compare" when no value differs; CR LF after
// each.
std::string ComparisonReport(const std::vector<ComparisonFinding>& findings);

} // namespace vexa
