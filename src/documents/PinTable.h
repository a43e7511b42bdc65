#pragma once

#include "documents/Boards.h"

#include <string>
#include <vector>

namespace vexa {

// The pin table of a set of controllers, for a spreadsheet: a header row, then one row per pin
// of each controller, by module address and pin, in the words and numbers of the pin page.
using TableRow = std::vector<std::string>;
TableRow PinTableHeader();
std::vector<TableRow> PinTableRows(const BoardSet& set);

// Rows as comma-separated values (RFC 4180): a field that holds a comma, a double quote or a
// line break is quoted, its double quotes doubled; every line ends in CR LF. The texts are UTF-8.
std::string CsvText(const std::vector<TableRow>& rows);

} // namespace vexa
