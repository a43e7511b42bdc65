#pragma once

#include <string>
#include <vector>

namespace vexa {

// The content of a configuration sheet before it is laid out on pages (a PDF file, a printer)
// or written as a web page: a list of blocks. Texts are UTF-8.
enum class BlockKind {
    Title,      // a section, one per controller
    Heading,    // a part of a section ("Module settings", "Pins")
    Subheading, // one pin
    Field,      // a caption in bold and its text beside it
    Text,       // a paragraph
    Table,      // rows of cells, the first row the header
};

struct SheetBlock {
    BlockKind kind = BlockKind::Text;
    int indent = 0; // levels
    std::string caption;
    std::string text;
    std::vector<std::vector<std::string>> rows; // Table
    std::vector<double> columns;                // Table: each column's share of the width
    std::vector<bool> marked;                   // Table: the rows to mark (conflicts), header excluded
};

struct SheetDocument {
    std::string title; // the header of every page, with the date
    std::string date;
    std::vector<SheetBlock> blocks;
};

} // namespace vexa
