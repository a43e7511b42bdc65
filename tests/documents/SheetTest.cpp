// The configuration sheet: its content in the words of the window, laid out so that no text
// leaves the page on A4 or on Letter paper, and written as a PDF file that a reader can open.

#include "documents/DocumentFiles.h"
#include "documents/HtmlWriter.h"
#include "documents/PdfWriter.h"
#include "documents/SheetContent.h"
#include "documents/SheetLayout.h"

#include "files/ConfigFileActions.h"

#include "Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>

namespace vexa {
namespace {

BoardSet RichBoard() {
    BoardSet set;
    set.title = "rich.dat";
    Board board;
    std::string problem;
    ConfigurationFileContents contents;
    EXPECT_TRUE(ReadConfigurationFile(test::FixturePath(test::RichDataFile), contents, problem)) << problem;
    board.image = contents.image;
    // A description without a blank, far wider than a line, and one of markup characters.
    board.image.pins[3].description = std::string(300, 'W');
    board.image.pins[4].description = "<b>&\"Signal\"";
    set.boards.push_back(std::move(board));
    return set;
}

std::vector<std::string> TextsOf(const std::vector<SheetPage>& pages) {
    std::vector<std::string> texts;
    for (const SheetPage& page : pages)
        for (const PlacedText& text : page.texts)
            texts.push_back(text.text);
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& text) { return text.find(part) != std::string::npos; });
}

TEST(Sheet, NoTextLeavesTheTextAreaOfAnA4OrALetterPage) {
    const SheetDocument sheet = MakeConfigurationSheet(RichBoard(), "2024-05-01");
    // The files' A4 page, which printed at its size on Letter paper loses (841.89 - 792) / 2
    // points at the top and at the bottom; and a Letter page of the print dialog.
    const double lost = (841.89 - 792.0) / 2;
    for (const PageGeometry& page : {SheetPaper(), PageWithMargins(612, 792)}) {
        const bool files = page.height > 800;
        const std::vector<SheetPage> pages = LayOutSheet(sheet, page);
        ASSERT_GT(pages.size(), 2u);
        for (std::size_t n = 0; n < pages.size(); ++n) {
            const std::vector<std::string> texts = TextsOf({pages[n]});
            EXPECT_TRUE(Contains(texts, "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size())));
            EXPECT_TRUE(Contains(texts, "rich.dat") && Contains(texts, "2024-05-01")) << n;
            for (const PlacedText& text : pages[n].texts) {
                const double right = text.x + TextWidth(text.text, text.font, text.size);
                EXPECT_GE(text.x, page.left - 1e-6) << text.text;
                EXPECT_LE(right, page.right + 1e-6) << text.text;
                EXPECT_GE(text.baseline - text.size, files ? lost : 0.0) << text.text;
                EXPECT_LE(text.baseline + text.size / 4, files ? page.height - lost : page.height) << text.text;
            }
        }
        // The long description is all there, cut into lines (the page's header and number apart).
        std::string body;
        for (const SheetPage& sheetPage : pages)
            for (const PlacedText& text : sheetPage.texts)
                if (text.baseline > page.top && text.baseline < page.bottom)
                    body += text.text;
        EXPECT_NE(body.find("\"" + std::string(300, 'W') + "\""), std::string::npos);
    }
}

TEST(Sheet, SaysEachPinInUseInTheWordsOfThePinPageAndTheEmptyOnesInOneLine) {
    BoardSet set;
    set.title = "yard.dat";
    Board board;
    board.address = 1;
    board.version = "3.1.0.12";
    PinRecord& servo = board.image.pins[0];
    servo.description = "Turnout 1";
    servo.configType = 1;
    servo.param(1) = 64 - 30; // Initial Position -30
    servo.param(2) = 2 + 16;  // range M, Auto Suspend
    servo.aspectLayout = LayoutTwelveByThree;
    servo.initialAspect = 1;
    servo.aspects[1].steps[0] = AspectStep{39, 1, 0, 64 + 30, 0, 0};
    servo.aspects[1].steps[1] = AspectStep{102, 0, 0, 0, 50, 0};
    board.image.pins[4].configType = 5;
    board.image.events[0].onEvents = {1, -1, -1, -1};
    board.image.events[0].offEvents = {-1, -1, -1, 0};
    set.boards.push_back(board);

    std::vector<std::string> lines;
    for (const SheetBlock& block : MakeConfigurationSheet(set, "2024-05-01").blocks)
        lines.push_back(block.caption.empty() ? block.text : block.caption + ": " + block.text);
    for (const char* expected :
         {"Module 2", "Firmware Version: 3.1.0.12", "Pin 1 \"Turnout 1\"",
          "Type: Servo \xE2\x80\x93 Initial Position: -30, Midpoint: -64, 1/Mass: 0, Damping: 0, MaxSpd: 0, MaxAcc: 0, "
          "BounceDown: -64, BounceDownFactor: 0, BounceUp: -64, BounceUpFactor: 0, Range: M, Auto Suspend",
          "Addresses: Serial 33, Addr 2.1, DCC 1, XDCC 1 (Nr Of Addresses: Serial 1, B-DCC 1, X-DCC 1)",
          "Aspects: 12, Init 0", "Aspect 1: ", "#0  Set Servo (Fade): P.O. 0, Pos. 30",
          "#1  Wait: Time 50, Base 0, 00:01.00", "Events: Input 0 ON: 1, Input 3 OFF: 0", "Pin 5",
          "Type: Input, Low Active \xE2\x80\x93 OFF-delay (debounce): 0, ON-delay (debounce): 0",
          "Empty pins: 2..4, 6..32"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    // Aspect 0 has neither a description nor a step.
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Aspect 0: "), lines.end());
}

// The strings that the content streams show, with their escapes undone.
std::string ShownText(const std::string& pdf) {
    std::string shown;
    const std::regex literal(R"(\(((?:[^()\\]|\\.|\\[0-7]{3})*)\) Tj)");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), literal); it != std::sregex_iterator(); ++it) {
        const std::string body = (*it)[1];
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] != '\\') {
                shown += body[i];
            } else if (std::isdigit(static_cast<unsigned char>(body[i + 1]))) {
                shown += static_cast<char>(std::stoi(body.substr(i + 1, 3), nullptr, 8));
                i += 3;
            } else {
                shown += body[++i];
            }
        }
        shown += '\n';
    }
    return shown;
}

TEST(Sheet, ThePdfFileHoldsItsPagesWhereItsTableSaysAndTheirText) {
    const SheetDocument sheet = MakeConfigurationSheet(RichBoard(), "2024-05-01");
    const std::string pdf = SheetFileBytes(sheet, SheetFormat::Pdf);
    ASSERT_TRUE(pdf.starts_with("%PDF-1.4\n"));
    ASSERT_TRUE(pdf.ends_with("%%EOF\n"));
    // The cross-reference table gives each object's offset.
    const std::size_t table = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
    ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
    std::istringstream entries(pdf.substr(table + 5));
    int first = 0;
    int count = 0;
    entries >> first >> count;
    std::string offset;
    std::string generation;
    std::string kind;
    entries >> offset >> generation >> kind; // the free entry
    for (int object = 1; object < count; ++object) {
        entries >> offset >> generation >> kind;
        EXPECT_EQ(pdf.substr(std::stoul(offset), std::to_string(object).size() + 6), std::to_string(object) + " 0 obj")
            << object;
    }
    const std::size_t pages = LayOutSheet(sheet, SheetPaper()).size();
    EXPECT_NE(pdf.find("/Count " + std::to_string(pages) + " >>"), std::string::npos);
    EXPECT_EQ(count, 6 + 2 * static_cast<int>(pages));
    // Latin-1 letters of the file's descriptions, markup characters and the dash of the type line.
    const std::string text = ShownText(pdf);
    for (const char* part : {"Pin 1 \"Weiche S\xFC"
                             "d\"",
                             "<b>&\"Signal\"", "Servo \x96 Initial Position"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(Sheet, TheWebPageEscapesMarkupAndIsUtf8) {
    const std::string html = SheetFileBytes(MakeConfigurationSheet(RichBoard(), "2024-05-01"), SheetFormat::Html);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;&amp;&quot;Signal&quot;"), std::string::npos);
    EXPECT_NE(html.find("Weiche S\xC3\xBC"
                        "d"),
              std::string::npos);
    EXPECT_EQ(html.find("<b>&"), std::string::npos);
}

TEST(Sheet, WrappingBreaksAtBlanksAndCutsOnlyAWordWiderThanTheLine) {
    const double width = 100;
    const std::vector<std::string> lines =
        WrapText("Alpha beta gamma delta " + std::string(40, 'm') + " end", SheetFont::Regular, 9, width);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(TextWidth(line, SheetFont::Regular, 9), width) << line;
        joined += line + "|";
    }
    EXPECT_TRUE(joined.starts_with("Alpha beta gamma delta|m")) << joined;
    EXPECT_TRUE(joined.ends_with("m end|")) << joined;
    EXPECT_EQ(std::count(joined.begin(), joined.end(), 'm'), 2 + 40); // gamma's and the long word's
    EXPECT_EQ(WrapText("", SheetFont::Bold, 9, width), std::vector<std::string>{""});
}

} // namespace
} // namespace vexa
