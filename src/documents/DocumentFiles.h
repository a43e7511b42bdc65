#pragma once

#include "core/Session.h"
#include "documents/Boards.h"
#include "documents/SheetDocument.h"

#include <string>

namespace vexa {

// The files of the configuration sheet and the pin table. Each is written whole and replaces
// its file safely: a file that cannot be written, or a sheet whose name says no format, leaves
// the old file as it was.

inline constexpr const char* SheetFileFilter = "PDF Document|*.pdf|Web Page|*.html";
inline constexpr const char* PinTableFileFilter = "Comma-Separated Values|*.csv";

// Today's date as the sheet's header shows it: "2024-05-01".
std::string TodayText();

enum class SheetFormat { Pdf, Html };
// The format that a file name asks for by its ending (.pdf, .html or .htm, in any case).
bool SheetFormatOf(const std::string& path, SheetFormat& format);

// The bytes of the sheet as a PDF file (for paper of A4 or Letter size) or a web page.
std::string SheetFileBytes(const SheetDocument& sheet, SheetFormat format);

// Writes the configuration sheet of the boards (dated today) to the file; false after telling
// why not.
bool ExportSheet(Session& session, const BoardSet& set, const std::string& path);
// Writes the pin table of the boards to the file; false after telling why not.
bool ExportPinTable(Session& session, const BoardSet& set, const std::string& path);

} // namespace vexa
