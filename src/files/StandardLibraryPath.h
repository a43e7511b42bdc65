#pragma once

#include <string>

namespace vexa {

// File name of the standard device library.
inline constexpr const char* StandardLibraryFileName = "VexaDevices.def";

// Where the standard device library of a program in `programFolder` is: beside the program
// (a build tree, a copied folder) or, for an installed program in <prefix>/bin, in
// <prefix>/share/vexaconfig. Returns the first that exists; the one beside the program when
// neither does, so that a message names the usual place.
std::string StandardLibraryPath(const std::string& programFolder);

} // namespace vexa
