#pragma once

#include "documents/SheetLayout.h"

#include <string>
#include <vector>

namespace vexa {

// The bytes of a PDF file (version 1.4) of laid-out pages: the text in the standard fonts
// Helvetica and Helvetica-Bold (not embedded), the rules and shades in grey, `title` in the
// file's information. Pages of any size; every page the size of `page`.
std::string PdfBytes(const std::vector<SheetPage>& pages, const PageGeometry& page, const std::string& title);

} // namespace vexa
