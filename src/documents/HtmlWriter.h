#pragma once

#include "documents/SheetDocument.h"

#include <string>

namespace vexa {

// The sheet as one web page (UTF-8, its styles inline), for a browser or for printing from it.
std::string HtmlText(const SheetDocument& sheet);

} // namespace vexa
