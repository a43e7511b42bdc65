#include "documents/SheetLayout.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr double A4Width = 595.28;
constexpr double A4Height = 841.89;
constexpr double LetterHeight = 792.0;
constexpr double SideMargin = 50.0;
constexpr double EndMargin = 60.0;
// The header above the text area and the page number below it.
constexpr double HeaderRise = 16.0;
constexpr double HeaderRuleRise = 10.0;
constexpr double FooterDrop = 24.0;
constexpr double HeaderSize = 9.0;
constexpr double FooterSize = 8.0;

constexpr double IndentStep = 12.0;
constexpr double CaptionColumn = 125.0;
constexpr double CaptionGap = 6.0;
constexpr double CellPadding = 2.5;

struct Style {
    SheetFont font;
    double size;
    double lead; // distance of two baselines
    double before;
};
constexpr Style TitleStyle{SheetFont::Bold, 14.0, 18.0, 0.0};
constexpr Style HeadingStyle{SheetFont::Bold, 11.0, 14.0, 9.0};
constexpr Style SubheadingStyle{SheetFont::Bold, 9.5, 12.5, 5.0};
constexpr Style TextStyle{SheetFont::Regular, 9.0, 11.5, 0.0};
constexpr Style CaptionStyle{SheetFont::Bold, 9.0, 11.5, 0.0};
constexpr Style CellStyle{SheetFont::Regular, 8.5, 10.5, 0.0};
constexpr Style HeaderCellStyle{SheetFont::Bold, 8.5, 10.5, 0.0};
// The baseline of a line lies this part of the lead below the line's top.
constexpr double Ascent = 0.8;

// One unit of a page: a line of a block or a row of a table, with what it draws relative to
// its top.
struct Row {
    double height = 0;
    double before = 0; // space above it, unless it opens a page
    bool keepWithNext = false;
    bool opensPage = false;
    int tableHeader = -1; // the header row (in the layout's list) repeated above a table row opening a page
    std::vector<PlacedText> texts;
    std::vector<PlacedLine> lines;
    std::vector<PlacedShade> shades;
};

PlacedText Text(double x, double baseline, const Style& style, std::string text) {
    return {x, baseline, style.font, style.size, std::move(text)};
}

void AddLines(const Style& style, double x, double width, const std::string& utf8, bool keepWithNext,
              std::vector<Row>& rows) {
    const std::vector<std::string> lines = WrapText(WinAnsiFromUtf8(utf8), style.font, style.size, width);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Row row;
        row.height = style.lead;
        row.before = i == 0 ? style.before : 0;
        row.keepWithNext = keepWithNext || i + 1 < lines.size();
        row.texts.push_back(Text(x, style.lead * Ascent, style, lines[i]));
        rows.push_back(std::move(row));
    }
}

// The texts of all fields start at one column, whatever the indentation of their captions.
void AddField(const SheetBlock& block, double x, double width, std::vector<Row>& rows) {
    const double captionWidth =
        std::max(CaptionColumn / 2, std::min(CaptionColumn, width * 0.35) + IndentStep * (1 - block.indent));
    const std::vector<std::string> captions =
        WrapText(WinAnsiFromUtf8(block.caption), CaptionStyle.font, CaptionStyle.size, captionWidth - CaptionGap);
    const std::vector<std::string> texts =
        WrapText(WinAnsiFromUtf8(block.text), TextStyle.font, TextStyle.size, width - captionWidth);
    const std::size_t count = std::max(captions.size(), texts.size());
    for (std::size_t i = 0; i < count; ++i) {
        Row row;
        row.height = TextStyle.lead;
        row.keepWithNext = i + 1 < captions.size();
        const double baseline = TextStyle.lead * Ascent;
        if (i < captions.size())
            row.texts.push_back(Text(x, baseline, CaptionStyle, captions[i]));
        if (i < texts.size())
            row.texts.push_back(Text(x + captionWidth, baseline, TextStyle, texts[i]));
        rows.push_back(std::move(row));
    }
}

Row TableRow(const std::vector<std::string>& cells, const std::vector<double>& columns, double x, double width,
             bool header, bool marked) {
    const Style& style = header ? HeaderCellStyle : CellStyle;
    Row row;
    std::size_t lineCount = 1;
    double cellX = x;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double cellWidth = columns[c] * width;
        const std::string text = c < cells.size() ? WinAnsiFromUtf8(cells[c]) : std::string();
        const std::vector<std::string> lines =
            WrapText(text, style.font, style.size, std::max(1.0, cellWidth - 2 * CellPadding));
        for (std::size_t i = 0; i < lines.size(); ++i)
            row.texts.push_back(Text(cellX + CellPadding,
                                     CellPadding + style.lead * Ascent + static_cast<double>(i) * style.lead, style,
                                     lines[i]));
        lineCount = std::max(lineCount, lines.size());
        cellX += cellWidth;
    }
    row.height = static_cast<double>(lineCount) * style.lead + 2 * CellPadding;
    row.lines.push_back({x, row.height, x + width, row.height});
    if (header)
        row.lines.push_back({x, 0, x + width, 0});
    if (marked)
        row.shades.push_back({x, 0, width, row.height});
    return row;
}

// The rows of the blocks, in order, with the header rows of the tables kept apart.
class RowMaker {
public:
    explicit RowMaker(const PageGeometry& page) : page_(page) {}

    void add(const SheetBlock& block) {
        const double x = page_.left + IndentStep * block.indent;
        const double width = page_.right - x;
        switch (block.kind) {
        case BlockKind::Title: {
            const std::size_t first = rows_.size();
            AddLines(TitleStyle, x, width, block.text, true, rows_);
            if (first < rows_.size())
                rows_[first].opensPage = true;
            break;
        }
        case BlockKind::Heading:
            AddLines(HeadingStyle, x, width, block.text, true, rows_);
            break;
        case BlockKind::Subheading:
            AddLines(SubheadingStyle, x, width, block.text, true, rows_);
            break;
        case BlockKind::Field:
            AddField(block, x, width, rows_);
            break;
        case BlockKind::Text:
            AddLines(TextStyle, x, width, block.text, false, rows_);
            break;
        case BlockKind::Table:
            addTable(block, x, width);
            break;
        }
    }

    const std::vector<Row>& rows() const { return rows_; }
    const std::vector<Row>& headers() const { return headers_; }

private:
    void addTable(const SheetBlock& block, double x, double width) {
        if (block.rows.empty() || block.columns.empty())
            return;
        const int header = static_cast<int>(headers_.size());
        headers_.push_back(TableRow(block.rows.front(), block.columns, x, width, true, false));
        Row first = headers_.back();
        first.before = TextStyle.lead / 2;
        first.keepWithNext = true;
        rows_.push_back(std::move(first));
        for (std::size_t r = 1; r < block.rows.size(); ++r) {
            const bool marked = r - 1 < block.marked.size() && block.marked[r - 1];
            Row row = TableRow(block.rows[r], block.columns, x, width, false, marked);
            row.tableHeader = header;
            rows_.push_back(std::move(row));
        }
    }

    const PageGeometry& page_;
    std::vector<Row> rows_;
    std::vector<Row> headers_;
};

// Puts rows on pages, from the top of the text area down.
class PageFiller {
public:
    explicit PageFiller(const PageGeometry& page) : page_(page) { pages_.emplace_back(); }

    void place(const std::vector<Row>& rows, const std::vector<Row>& headers) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i];
            // A row kept with the next one takes the next one's room too (one row ahead).
            double needed = row.before + row.height;
            if (row.keepWithNext && i + 1 < rows.size())
                needed += rows[i + 1].before + rows[i + 1].height;
            if (!empty_ && (row.opensPage || y_ + needed > page_.bottom)) {
                pages_.emplace_back();
                y_ = page_.top;
                empty_ = true;
                if (row.tableHeader >= 0)
                    put(headers[static_cast<std::size_t>(row.tableHeader)]);
            }
            if (!empty_)
                y_ += row.before;
            put(row);
        }
    }

    std::vector<SheetPage>& pages() { return pages_; }

private:
    void put(const Row& row) {
        SheetPage& page = pages_.back();
        for (const PlacedShade& shade : row.shades)
            page.shades.push_back({shade.x, y_ + shade.y, shade.width, shade.height});
        for (const PlacedLine& line : row.lines)
            page.lines.push_back({line.x1, y_ + line.y1, line.x2, y_ + line.y2});
        for (const PlacedText& text : row.texts)
            page.texts.push_back({text.x, y_ + text.baseline, text.font, text.size, text.text});
        y_ += row.height;
        empty_ = false;
    }

    const PageGeometry& page_;
    std::vector<SheetPage> pages_;
    double y_ = page_.top;
    bool empty_ = true;
};

// The title cut to fit the room beside the date, with "..." where it was cut.
std::string FittedTitle(const std::string& title, double room) {
    if (TextWidth(title, SheetFont::Bold, HeaderSize) <= room)
        return title;
    std::string cut = title;
    while (!cut.empty() && TextWidth(cut + "...", SheetFont::Bold, HeaderSize) > room)
        cut.pop_back();
    return cut + "...";
}

void AddHeaderAndNumber(const SheetDocument& sheet, const PageGeometry& geometry, std::vector<SheetPage>& pages) {
    const std::string date = WinAnsiFromUtf8(sheet.date);
    const double dateWidth = TextWidth(date, SheetFont::Regular, HeaderSize);
    const double headerLine = geometry.top - HeaderRise;
    const std::string title =
        FittedTitle(WinAnsiFromUtf8(sheet.title), geometry.right - geometry.left - dateWidth - 2 * IndentStep);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        SheetPage& page = pages[n];
        page.texts.push_back({geometry.left, headerLine, SheetFont::Bold, HeaderSize, title});
        page.texts.push_back({geometry.right - dateWidth, headerLine, SheetFont::Regular, HeaderSize, date});
        page.lines.push_back(
            {geometry.left, geometry.top - HeaderRuleRise, geometry.right, geometry.top - HeaderRuleRise});
        const std::string number = "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size());
        const double width = TextWidth(number, SheetFont::Regular, FooterSize);
        page.texts.push_back({(geometry.left + geometry.right - width) / 2, geometry.bottom + FooterDrop,
                              SheetFont::Regular, FooterSize, number});
    }
}

} // namespace

PageGeometry SheetPaper() {
    // Letter paper holds the middle 792 points of the A4 page's height.
    const double lost = (A4Height - LetterHeight) / 2;
    return {A4Width, A4Height, SideMargin, lost + EndMargin, A4Width - SideMargin, A4Height - lost - EndMargin};
}

PageGeometry PageWithMargins(double width, double height) {
    const double side = std::min(SideMargin, width / 8);
    const double end = std::min(EndMargin, height / 8);
    return {width, height, side, end, width - side, height - end};
}

std::vector<SheetPage> LayOutSheet(const SheetDocument& sheet, const PageGeometry& page) {
    RowMaker maker(page);
    for (const SheetBlock& block : sheet.blocks)
        maker.add(block);
    PageFiller filler(page);
    filler.place(maker.rows(), maker.headers());
    std::vector<SheetPage> pages = std::move(filler.pages());
    AddHeaderAndNumber(sheet, page, pages);
    return pages;
}

std::vector<std::string> WrapText(std::string_view winAnsi, SheetFont font, double size, double width) {
    std::vector<std::string> lines;
    std::string line;
    bool lineOpen = false;
    const auto fits = [&](const std::string& text) { return TextWidth(text, font, size) <= width; };
    const auto addWord = [&](std::string word) {
        const std::string joined = lineOpen ? line + ' ' + word : word;
        if (fits(joined)) {
            line = joined;
            lineOpen = true;
            return;
        }
        if (lineOpen) {
            lines.push_back(line);
            line.clear();
            lineOpen = false;
        }
        // A word wider than a whole line is cut where the line ends.
        while (!fits(word)) {
            std::size_t take = 1;
            while (take < word.size() && fits(word.substr(0, take + 1)))
                ++take;
            lines.push_back(word.substr(0, take));
            word.erase(0, take);
        }
        line = word;
        lineOpen = true;
    };
    std::size_t start = 0;
    while (start <= winAnsi.size()) {
        const std::size_t end = winAnsi.find_first_of(" \n", start);
        const std::string word(
            winAnsi.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        addWord(word);
        if (end == std::string_view::npos)
            break;
        if (winAnsi[end] == '\n') {
            lines.push_back(line);
            line.clear();
            lineOpen = false;
        }
        start = end + 1;
    }
    if (lineOpen || lines.empty())
        lines.push_back(line);
    return lines;
}

} // namespace vexa
