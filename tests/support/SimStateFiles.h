#pragma once

// The state files of vexa-sim (--state), in which end-to-end tests give a simulated controller
// its memory before it starts and look at it after it stopped.

#include "WholeFile.h"

#include <string>
#include <utility>
#include <vector>

namespace vexa::test {

// Writes the state file of a controller with the start memory of vexa-sim (the program given).
void MakeSimState(const std::string& simProgram, const std::string& path);

// Sets the values of module settings in a state file ("setting N values" lines).
void SetSimSettings(const std::string& path, const std::vector<std::pair<int, std::string>>& settings);

// Sets the values of the lines that start with the given items ("pin 1 flash", "setting 8").
void SetSimStateLines(const std::string& path, const std::vector<std::pair<std::string, std::string>>& lines);

} // namespace vexa::test
