#include "documents/DocumentFiles.h"

#include "core/Platform.h"
#include "documents/FontMetrics.h"
#include "documents/HtmlWriter.h"
#include "documents/PdfWriter.h"
#include "documents/PinTable.h"
#include "documents/SheetContent.h"
#include "documents/SheetLayout.h"
#include "files/FileMessages.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace vexa {

namespace {

bool EndsWithWord(const std::string& path, const std::string& ending) {
    if (path.size() < ending.size())
        return false;
    return std::equal(
        ending.begin(), ending.end(), path.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
}

} // namespace

std::string TodayText() {
    std::tm local{};
    if (!LocalTime(std::time(nullptr), local))
        return "";
    const auto twoDigits = [](int value) {
        std::string digits = std::to_string(value);
        return digits.size() < 2 ? digits.insert(0, 1, '0') : digits;
    };
    return std::to_string(local.tm_year + 1900) + "-" + twoDigits(local.tm_mon + 1) + "-" + twoDigits(local.tm_mday);
}

bool SheetFormatOf(const std::string& path, SheetFormat& format) {
    if (EndsWithWord(path, ".pdf")) {
        format = SheetFormat::Pdf;
        return true;
    }
    if (EndsWithWord(path, ".html") || EndsWithWord(path, ".htm")) {
        format = SheetFormat::Html;
        return true;
    }
    return false;
}

std::string SheetFileBytes(const SheetDocument& sheet, SheetFormat format) {
    if (format == SheetFormat::Html)
        return HtmlText(sheet);
    const PageGeometry paper = SheetPaper();
    return PdfBytes(LayOutSheet(sheet, paper), paper, WinAnsiFromUtf8(sheet.title));
}

bool ExportSheet(Session& session, const BoardSet& set, const std::string& path) {
    SheetFormat format = SheetFormat::Pdf;
    if (!SheetFormatOf(path, format)) {
        session.prompter.ask(MessageKind::OkError,
                             "The sheet cannot be saved as " + path + ":\r\nits name must end in .pdf or .html");
        return false;
    }
    return ReplaceFileOrTell(session, path, SheetFileBytes(MakeConfigurationSheet(set, TodayText()), format));
}

bool ExportPinTable(Session& session, const BoardSet& set, const std::string& path) {
    std::vector<TableRow> rows{PinTableHeader()};
    std::vector<TableRow> pins = PinTableRows(set);
    rows.insert(rows.end(), std::make_move_iterator(pins.begin()), std::make_move_iterator(pins.end()));
    return ReplaceFileOrTell(session, path, CsvText(rows));
}

} // namespace vexa
