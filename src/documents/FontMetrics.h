#pragma once

#include <string>
#include <string_view>

namespace vexa {

// The two faces of the configuration sheet: the standard PDF fonts Helvetica and
// Helvetica-Bold, which every PDF reader has, so nothing is embedded. Their text is held in
// WinAnsiEncoding: Latin-1 with a few typographic characters (dashes, quotes, the euro sign).
enum class SheetFont { Regular, Bold };

// UTF-8 text in WinAnsiEncoding; a tab becomes a blank, and a character the encoding lacks
// (or a byte that is no valid UTF-8) a question mark.
std::string WinAnsiFromUtf8(std::string_view utf8);

// The Unicode character of a WinAnsi code (for a device that draws Unicode text).
char32_t UnicodeOfWinAnsi(char code);

// The width of WinAnsi text in the font at the size, in the units of the size (points).
double TextWidth(std::string_view winAnsi, SheetFont font, double size);

} // namespace vexa
