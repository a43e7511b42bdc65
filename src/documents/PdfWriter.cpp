#include "documents/PdfWriter.h"

#include <cmath>

namespace vexa {

namespace {

// Objects 1..4: catalogue, page tree, information, the two fonts; then per page its page object
// and its content stream.
constexpr int CatalogObject = 1;
constexpr int PagesObject = 2;
constexpr int InfoObject = 3;
constexpr int RegularFontObject = 4;
constexpr int BoldFontObject = 5;
constexpr int FirstPageObject = 6;

// A number with at most two decimals, a point as separator whatever the locale.
std::string Number(double value) {
    const long hundredths = std::lround(value * 100);
    const long whole = std::labs(hundredths) / 100;
    const long fraction = std::labs(hundredths) % 100;
    std::string text = std::to_string(whole);
    if (hundredths < 0)
        text.insert(0, 1, '-');
    if (fraction != 0) {
        text += '.';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

// A literal string: parentheses and backslashes escaped, bytes outside printable ASCII in octal.
std::string Literal(const std::string& bytes) {
    std::string text = "(";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            text += '\\';
            text += static_cast<char>('0' + (byte >> 6));
            text += static_cast<char>('0' + ((byte >> 3) & 7));
            text += static_cast<char>('0' + (byte & 7));
        } else {
            text += c;
        }
    }
    return text + ")";
}

std::string Content(const SheetPage& page, double height) {
    std::string content;
    if (!page.shades.empty()) {
        content += "0.88 g\n";
        for (const PlacedShade& shade : page.shades)
            content += Number(shade.x) + " " + Number(height - shade.y - shade.height) + " " + Number(shade.width) +
                       " " + Number(shade.height) + " re f\n";
    }
    if (!page.lines.empty()) {
        content += "0.6 G 0.5 w\n";
        for (const PlacedLine& line : page.lines)
            content += Number(line.x1) + " " + Number(height - line.y1) + " m " + Number(line.x2) + " " +
                       Number(height - line.y2) + " l S\n";
    }
    content += "0 g\nBT\n";
    for (const PlacedText& text : page.texts)
        content += std::string(text.font == SheetFont::Bold ? "/F2 " : "/F1 ") + Number(text.size) + " Tf 1 0 0 1 " +
                   Number(text.x) + " " + Number(height - text.baseline) + " Tm " + Literal(text.text) + " Tj\n";
    return content + "ET\n";
}

class PdfFile {
public:
    PdfFile() { bytes_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void object(int number, const std::string& body) {
        if (offsets_.size() < static_cast<std::size_t>(number))
            offsets_.resize(static_cast<std::size_t>(number));
        offsets_[static_cast<std::size_t>(number - 1)] = bytes_.size();
        bytes_ += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }

    std::string finish() {
        const std::size_t table = bytes_.size();
        bytes_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (const std::size_t offset : offsets_) {
            std::string digits = std::to_string(offset);
            bytes_ += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
        }
        bytes_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
                  std::to_string(CatalogObject) + " 0 R /Info " + std::to_string(InfoObject) + " 0 R >>\nstartxref\n" +
                  std::to_string(table) + "\n%%EOF\n";
        return std::move(bytes_);
    }

private:
    std::string bytes_;
    std::vector<std::size_t> offsets_;
};

std::string Reference(int object) {
    return std::to_string(object) + " 0 R";
}

} // namespace

std::string PdfBytes(const std::vector<SheetPage>& pages, const PageGeometry& page, const std::string& title) {
    PdfFile file;
    file.object(CatalogObject, "<< /Type /Catalog /Pages " + Reference(PagesObject) + " >>");
    std::string kids;
    for (std::size_t i = 0; i < pages.size(); ++i)
        kids += (i == 0 ? std::string() : std::string(1, ' ')) + Reference(FirstPageObject + 2 * static_cast<int>(i));
    file.object(PagesObject, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    file.object(InfoObject, "<< /Title " + Literal(title) + " /Producer (VexaConfig) >>");
    file.object(RegularFontObject, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    file.object(BoldFontObject,
                "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
    const std::string resources =
        "<< /Font << /F1 " + Reference(RegularFontObject) + " /F2 " + Reference(BoldFontObject) + " >> >>";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const int pageObject = FirstPageObject + 2 * static_cast<int>(i);
        file.object(pageObject, "<< /Type /Page /Parent " + Reference(PagesObject) + " /MediaBox [0 0 " +
                                    Number(page.width) + " " + Number(page.height) + "] /Resources " + resources +
                                    " /Contents " + Reference(pageObject + 1) + " >>");
        const std::string content = Content(pages[i], page.height);
        file.object(pageObject + 1,
                    "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
    }
    return file.finish();
}

} // namespace vexa
