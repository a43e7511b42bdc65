#pragma once

#include "documents/Boards.h"
#include "documents/SheetDocument.h"

#include <string>

namespace vexa {

// The configuration sheet of a set of controllers, headed with the set's title and the date:
// for a layout first its address map with the conflicts, then one section per controller with
// its ID, version (where known), module settings in the words of the "General" page and each
// pin in use in the words of the pin page; the empty pins in one line.
SheetDocument MakeConfigurationSheet(const BoardSet& set, const std::string& date);

} // namespace vexa
