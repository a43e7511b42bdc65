// The pin table as a spreadsheet reads it: read back with a reader of comma-separated values
// (RFC 4180), every row has the header's columns and every value sits under its heading.

#include "documents/PinTable.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

// Reads comma-separated values: fields in double quotes may hold commas, line breaks and
// doubled double quotes; records end in CR LF. A stray quote or a bare line end fails.
bool ReadCsv(const std::string& text, std::vector<TableRow>& rows) {
    rows.clear();
    TableRow row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return false;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                if (text[i] == '"')
                    return false;
                field += text[i++];
            }
        }
        row.push_back(std::move(field));
        field.clear();
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (text.compare(i, 2, "\r\n") != 0)
            return false;
        i += 2;
        rows.push_back(std::move(row));
        row.clear();
    }
    return true;
}

std::size_t ColumnOf(const TableRow& header, const std::string& name) {
    const auto found = std::find(header.begin(), header.end(), name);
    EXPECT_NE(found, header.end()) << name;
    return static_cast<std::size_t>(found - header.begin());
}

BoardSet TwoBoards(int base) {
    BoardSet set;
    set.numberingBase = base;
    Board yard;
    yard.address = 4;
    yard.image.module.idString = "Yard";
    PinRecord& turnout = yard.image.pins[2];
    turnout.description = "Turnout \"West\", \xE9"
                          "cole\r\nline 2"; // Latin-1 e acute
    turnout.configType = 3;
    turnout.param(5) = 31;
    turnout.aspectLayout = LayoutFourByNine;
    turnout.dccAddressCount = 2;
    yard.image.pins[3].deviceReferral = -1;
    yard.image.pins[2].deviceDescription = "Points";
    Board station;
    station.address = 0;
    station.image.module.idString = "Station";
    set.boards = {station, yard};
    return set;
}

TEST(PinTable, ReadsBackWithEveryValueUnderItsHeading) {
    for (const int base : {0, 1}) {
        std::vector<TableRow> written{PinTableHeader()};
        for (TableRow& row : PinTableRows(TwoBoards(base)))
            written.push_back(std::move(row));
        std::vector<TableRow> rows;
        ASSERT_TRUE(ReadCsv(CsvText(written), rows));
        ASSERT_EQ(rows.size(), 1u + 2 * PinCount);
        const TableRow& header = rows.front();
        for (const TableRow& row : rows)
            ASSERT_EQ(row.size(), header.size());

        // The second board's third pin, as the pin page shows it.
        const TableRow& turnout = rows[1 + PinCount + 2];
        const auto cell = [&](const char* name) { return turnout[ColumnOf(header, name)]; };
        EXPECT_EQ(cell("Module"), std::to_string(4 + base));
        EXPECT_EQ(cell("ID String"), "Yard");
        EXPECT_EQ(cell("Pin"), std::to_string(2 + base));
        EXPECT_EQ(cell("Description"), "Turnout \"West\", \xC3\xA9"
                                       "cole\r\nline 2");
        EXPECT_EQ(cell("Device"), "Points");
        EXPECT_EQ(cell("Type"), "PWM, Inverted");
        EXPECT_EQ(cell("Parameters"), "Initial Level: 0, Acceleration: 0, Off - Level: 0, On-Level: 31, Drive Mode: "
                                      "Logaritmic, Acceleration Mode: Logaritmic");
        EXPECT_EQ(cell("Nr Of B-DCC Addresses"), "2");
        EXPECT_EQ(cell("First DCC Address"), "3"); // basic address 1: outputs 1 and 2 are pins 1 and 2
        EXPECT_EQ(cell("First eXtended DCC Address"), "3");
        EXPECT_EQ(cell("First Serial Address"), std::to_string(4 * 32 + base + 2));
        EXPECT_EQ(cell("Aspects"), "4");
        EXPECT_EQ(cell("Init"), "-1");
        // The pin after it belongs to its device.
        EXPECT_EQ(rows[1 + PinCount + 3][ColumnOf(header, "Device")],
                  "Points (Device Pin " + std::to_string(2 + base) + ")");
        // Module by module, pin by pin.
        EXPECT_EQ(rows[1][ColumnOf(header, "ID String")], "Station");
        EXPECT_EQ(rows[PinCount][ColumnOf(header, "Pin")], std::to_string(31 + base));
    }
}

} // namespace
} // namespace vexa
