#include "documents/FontMetrics.h"

#include "model/TextEncoding.h"

#include <array>

namespace vexa {

namespace {

constexpr unsigned char FirstWidth = 32;

// Advance widths in thousandths of the font size of the codes 32..255 of WinAnsiEncoding, from
// Adobe's font metrics of Helvetica and Helvetica-Bold; 0 for the codes without a character.
constexpr std::array<short, 224> RegularWidths{
    278,  278, 355, 556,  556, 889, 667, 191, 333, 333, 389, 584,  278, 333, 278,  278, 556,  556,  556, 556,  556,
    556,  556, 556, 556,  556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722,  722, 667,  611,  778, 722,  278,
    500,  667, 556, 833,  722, 778, 667, 778, 722, 667, 611, 722,  667, 944, 667,  667, 611,  278,  278, 278,  469,
    556,  333, 556, 556,  500, 556, 556, 278, 556, 556, 222, 222,  500, 222, 833,  556, 556,  556,  556, 333,  500,
    278,  556, 500, 722,  500, 500, 500, 334, 260, 334, 584, 0,    556, 0,   222,  556, 333,  1000, 556, 556,  333,
    1000, 667, 333, 1000, 0,   611, 0,   0,   222, 222, 333, 333,  350, 556, 1000, 333, 1000, 500,  333, 944,  0,
    500,  667, 278, 333,  556, 556, 556, 556, 260, 556, 333, 737,  370, 556, 584,  333, 737,  333,  400, 584,  333,
    333,  333, 578, 537,  278, 333, 333, 365, 556, 834, 834, 834,  611, 667, 667,  667, 667,  667,  667, 1000, 722,
    667,  667, 667, 667,  278, 278, 278, 278, 722, 722, 778, 778,  778, 778, 778,  584, 778,  722,  722, 722,  722,
    667,  667, 611, 556,  556, 556, 556, 556, 556, 889, 500, 556,  556, 556, 556,  278, 278,  278,  278, 556,  556,
    556,  556, 556, 556,  556, 584, 611, 556, 556, 556, 556, 500,  556, 500,
};
constexpr std::array<short, 224> BoldWidths{
    278,  333, 474, 556,  556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278,  278, 556,  556,  556, 556,  556,
    556,  556, 556, 556,  556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722,  722, 667,  611,  778, 722,  278,
    556,  722, 611, 833,  722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,  667, 611,  333,  278, 333,  584,
    556,  333, 556, 611,  556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889,  611, 611,  611,  611, 389,  556,
    333,  611, 556, 778,  556, 556, 500, 389, 280, 389, 584, 0,   556, 0,   278,  556, 500,  1000, 556, 556,  333,
    1000, 667, 333, 1000, 0,   611, 0,   0,   278, 278, 500, 500, 350, 556, 1000, 333, 1000, 556,  333, 944,  0,
    500,  667, 278, 333,  556, 556, 556, 556, 280, 556, 333, 737, 370, 556, 584,  333, 737,  333,  400, 584,  333,
    333,  333, 611, 556,  278, 333, 333, 365, 556, 834, 834, 834, 611, 722, 722,  722, 722,  722,  722, 1000, 722,
    667,  667, 667, 667,  278, 278, 278, 278, 722, 722, 778, 778, 778, 778, 778,  584, 778,  722,  722, 722,  722,
    667,  667, 611, 556,  556, 556, 556, 556, 556, 889, 556, 556, 556, 556, 556,  278, 278,  278,  278, 611,  611,
    611,  611, 611, 611,  611, 584, 611, 611, 611, 611, 611, 556, 611, 556,
};

// The characters of WinAnsiEncoding's codes 128..159 that Latin-1 does not have.
struct ExtraCharacter {
    char32_t character;
    unsigned char code;
};
constexpr std::array<ExtraCharacter, 27> Extras{{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86}, {0x2021, 0x87},
    {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91},
    {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98},
    {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

char WinAnsiCode(char32_t character) {
    if (character == '\t')
        return ' ';
    if ((character >= 0x20 && character < 0x7F) || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (const ExtraCharacter& extra : Extras)
        if (extra.character == character)
            return static_cast<char>(extra.code);
    return '?';
}

} // namespace

std::string WinAnsiFromUtf8(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t character = 0;
        if (NextUtf8Character(utf8, i, character)) {
            text += WinAnsiCode(character);
        } else {
            text += '?';
            ++i;
        }
    }
    return text;
}

char32_t UnicodeOfWinAnsi(char code) {
    const auto byte = static_cast<unsigned char>(code);
    for (const ExtraCharacter& extra : Extras)
        if (extra.code == byte)
            return extra.character;
    return byte;
}

double TextWidth(std::string_view winAnsi, SheetFont font, double size) {
    const std::array<short, 224>& widths = font == SheetFont::Bold ? BoldWidths : RegularWidths;
    long thousandths = 0;
    for (const char c : winAnsi) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= FirstWidth)
            thousandths += widths[code - FirstWidth];
    }
    return static_cast<double>(thousandths) * size / 1000.0;
}

} // namespace vexa
