#include "documents/HtmlWriter.h"

namespace vexa {

namespace {

constexpr const char* Styles = "body{font-family:Helvetica,Arial,sans-serif;font-size:10pt;margin:2em;}"
                               "header{display:flex;justify-content:space-between;font-weight:bold;"
                               "border-bottom:1px solid #999;margin-bottom:1em;}"
                               "h1{font-size:14pt;margin:1.2em 0 0.3em;}h2{font-size:11pt;margin:1em 0 0.2em;}"
                               "h3{font-size:10pt;margin:0.6em 0 0.1em;}p{margin:0.1em 0;}"
                               ".caption{font-weight:bold;display:inline-block;min-width:11em;vertical-align:top;}"
                               "table{border-collapse:collapse;margin:0.5em 0;}"
                               "th,td{text-align:left;padding:2px 6px;border-bottom:1px solid #bbb;}"
                               "tr.conflict td{background:#e0e0e0;font-weight:bold;}"
                               "@media print{h1{break-before:page;}h1:first-of-type{break-before:auto;}}";

std::string Escaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Indented(int indent) {
    return indent > 0 ? " style=\"margin-left:" + std::to_string(indent * 16) + "px\"" : "";
}

std::string Table(const SheetBlock& block) {
    std::string html = "<table>\n";
    for (std::size_t r = 0; r < block.rows.size(); ++r) {
        const bool marked = r > 0 && r - 1 < block.marked.size() && block.marked[r - 1];
        html += marked ? "<tr class=\"conflict\">" : "<tr>";
        for (const std::string& cell : block.rows[r])
            html += (r == 0 ? "<th>" : "<td>") + Escaped(cell) + (r == 0 ? "</th>" : "</td>");
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string Block(const SheetBlock& block) {
    switch (block.kind) {
    case BlockKind::Title:
        return "<h1>" + Escaped(block.text) + "</h1>\n";
    case BlockKind::Heading:
        return "<h2>" + Escaped(block.text) + "</h2>\n";
    case BlockKind::Subheading:
        return "<h3" + Indented(block.indent) + ">" + Escaped(block.text) + "</h3>\n";
    case BlockKind::Field:
        return "<p" + Indented(block.indent) + "><span class=\"caption\">" + Escaped(block.caption) + "</span> " +
               Escaped(block.text) + "</p>\n";
    case BlockKind::Text:
        return "<p" + Indented(block.indent) + ">" + Escaped(block.text) + "</p>\n";
    case BlockKind::Table:
        return Table(block);
    }
    return "";
}

} // namespace

std::string HtmlText(const SheetDocument& sheet) {
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(sheet.title) +
                       "</title>\n<style>" + Styles + "</style>\n</head>\n<body>\n<header><span>" +
                       Escaped(sheet.title) + "</span><span>" + Escaped(sheet.date) + "</span></header>\n";
    for (const SheetBlock& block : sheet.blocks)
        html += Block(block);
    return html + "</body>\n</html>\n";
}

} // namespace vexa
