#pragma once

#include "documents/FontMetrics.h"
#include "documents/SheetDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// A configuration sheet laid out on pages: every text placed where it is drawn, wrapped so that
// none runs past the text area, each page with the sheet's title and date at the top and its
// number at the bottom. Points (1/72 inch), measured from the top left corner of the page.

struct PageGeometry {
    double width = 0;
    double height = 0;
    // The text area.
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// An A4 page whose text area, header and page number lie within a Letter page too when the page
// is printed centred at its size on Letter paper: the files fit either paper.
PageGeometry SheetPaper();
// A page of the given size with the sheet's margins (a printer's page).
PageGeometry PageWithMargins(double width, double height);

struct PlacedText {
    double x = 0;
    double baseline = 0;
    SheetFont font = SheetFont::Regular;
    double size = 0;
    std::string text; // WinAnsi
};
struct PlacedLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};
struct PlacedShade {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};
struct SheetPage {
    std::vector<PlacedShade> shades; // drawn first, light grey
    std::vector<PlacedLine> lines;   // thin grey rules
    std::vector<PlacedText> texts;
};

std::vector<SheetPage> LayOutSheet(const SheetDocument& sheet, const PageGeometry& page);

// WinAnsi text broken into lines no wider than `width`: at blanks where it can, inside a word
// that is wider than the line by itself; "\n" breaks a line.
std::vector<std::string> WrapText(std::string_view winAnsi, SheetFont font, double size, double width);

} // namespace vexa
