#include "documents/PinTable.h"

#include "documents/PinWords.h"

namespace vexa {

TableRow PinTableHeader() {
    return {"Module",
            "ID String",
            "Pin",
            "Description",
            "Device",
            "Type",
            "Parameters",
            "Nr Of Serial Addresses",
            "Nr Of B-DCC Addresses",
            "Nr Of X-DCC Addresses",
            "First DCC Address",
            "First eXtended DCC Address",
            "First Serial Address",
            "Aspects",
            "Init",
            "Event Actions"};
}

std::vector<TableRow> PinTableRows(const BoardSet& set) {
    std::vector<TableRow> rows;
    rows.reserve(set.boards.size() * PinCount);
    for (const Board& board : set.boards)
        for (int pin = 0; pin < PinCount; ++pin) {
            PinWords w = DescribePin(set, board, pin);
            rows.push_back({std::move(w.module), std::move(w.idString), std::move(w.pin), std::move(w.description),
                            std::move(w.device), std::move(w.type), std::move(w.parameters), std::move(w.counts[0]),
                            std::move(w.counts[1]), std::move(w.counts[2]), std::move(w.dccAddress),
                            std::move(w.xdccAddress), std::move(w.serialAddress), std::move(w.aspects),
                            std::move(w.initialAspect), std::move(w.events)});
        }
    return rows;
}

std::string CsvText(const std::vector<TableRow>& rows) {
    std::string text;
    for (const TableRow& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += ',';
            const std::string& field = row[i];
            if (field.find_first_of(",\"\r\n") == std::string::npos) {
                text += field;
                continue;
            }
            text += '"';
            for (const char c : field) {
                if (c == '"')
                    text += '"';
                text += c;
            }
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

} // namespace vexa
