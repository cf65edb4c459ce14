#include "storage/TableText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Failure.h"

using namespace brenta;
using storage::ReadTable;

namespace {

using Cells = std::vector<std::string>;

struct Row {
    std::size_t line;
    Cells cells;
    bool problem = false;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const storage::Table& table)
{
    std::vector<Row> rows;
    for (const storage::TableRow& row : table.rows)
        rows.push_back({row.line, row.cells, !row.problem.empty()});
    return rows;
}

struct Case {
    const char* what;
    std::string text;
    char separator;
    std::vector<Row> rows;
};

} // namespace

TEST(TableText, SplitsLinesCellsAndQuotes)
{
    const Case cases[] = {
        {"tabs", "Tritanium\t5.5\nPyerite\t8\n", '\t', {{1, {"Tritanium", "5.5"}}, {2, {"Pyerite", "8"}}}},
        {"commas, CR LF, no final line end", "Tritanium,5.5\r\nPyerite,8", ',',
            {{1, {"Tritanium", "5.5"}}, {2, {"Pyerite", "8"}}}},
        {"semicolons beat the commas of decimal commas", "Tritanium;5,5\rPyerite;1.234,5\r", ';',
            {{1, {"Tritanium", "5,5"}}, {2, {"Pyerite", "1.234,5"}}}},
        {"a tab on every line wins over commas in cells", "a, b\t1,5\nc\t2\n", '\t',
            {{1, {"a, b", "1,5"}}, {2, {"c", "2"}}}},
        {"a separator on every line wins over one on some", "a,1\nb,2\nc;d,3\n", ',',
            {{1, {"a", "1"}}, {2, {"b", "2"}}, {3, {"c;d", "3"}}}},
        {"else the separator most lines hold", "a,1\nb,2\nc;3\n", ',',
            {{1, {"a", "1"}}, {2, {"b", "2"}}, {3, {"c;3"}}}},
        {"no separator: one cell a row, outer spaces dropped", "  Tritanium 5 \n", '\0', {{1, {"Tritanium 5"}}}},
        {"blank lines and lines of empty cells give no rows, line numbers go on", "\n  \na,1\n,,\n\t\n\nb,2\n",
            ',', {{3, {"a", "1"}}, {7, {"b", "2"}}}},
        {"quotes hold separators, doubled quotes and line breaks",
            "\"Plates, 100mm\",\"1,5\"\n\"say \"\"hi\"\"\",2\n\"two\r\nlines\",3\nlast,4\n", ',',
            {{1, {"Plates, 100mm", "1,5"}}, {2, {"say \"hi\"", "2"}}, {3, {"two\nlines", "3"}},
                {5, {"last", "4"}}}},
        {"spaces around a quoted cell, text after the closing quote kept", " \"a\" ,\"b\"c\n", ',',
            {{1, {"a", "bc"}}}},
        {"an empty quoted cell", "\"\",1\n", ',', {{1, {"", "1"}}}},
        {"a quote inside an unquoted cell is text", "5\" Pipe,2\n", ',', {{1, {"5\" Pipe", "2"}}}},
        {"a quote never closed spoils its line only", "a,1\n\"b,2\nc,3\n", ',',
            {{1, {"a", "1"}}, {2, {"\"b", "2"}, true}, {3, {"c", "3"}}}},
        {"a quote closed only by a doubled quote at the end", "\"b\"\"", '\0', {{1, {"\"b\"\""}, true}}},
        {"a byte-order mark is no part of the first cell", "\xEF\xBB\xBFName;Price\n", ';',
            {{1, {"Name", "Price"}}}},
        {"UTF-16, little-endian, as a spreadsheet saves Unicode text",
            std::string("\xFF\xFE"
                        "a\0\t\0"
                        "1\0\n\0"
                        "\xE9\0\t\0"
                        "2\0\n\0",
                18),
            '\t', {{1, {"a", "1"}}, {2, {"\xC3\xA9", "2"}}}},
        {"UTF-16, big-endian, a pair of surrogates and a lone one",
            std::string("\xFE\xFF"
                        "\xD8\x3D\xDE\x00"
                        "\0;"
                        "\xDC\x00",
                10),
            ';', {{1, {"\xF0\x9F\x98\x80", "\xEF\xBF\xBD"}}}},
        {"empty text", "", '\0', {}},
    };
    for (const Case& c : cases) {
        const storage::Table table = ReadTable(c.text);
        EXPECT_EQ(table.separator, c.separator) << c.what;
        EXPECT_EQ(Rows(table), c.rows) << c.what;
    }
}

TEST(TableText, RefusesTextOverTheBound)
{
    // Refused whole, before any line is read.
    EXPECT_THROW(ReadTable(std::string(storage::kMaxTableBytes + 1, '\n')), Failure);
}

TEST(TableText, DecidesTheDecimalsFromFiguresElseTheLocale)
{
    const NumberFormat point = NumberFormat::FromDecimalSeparator('.');
    const NumberFormat comma = NumberFormat::FromDecimalSeparator(',');
    struct Decision {
        std::vector<std::string_view> figures;
        char expected;
        bool fromFigures;
    };
    // Under a decimal-point locale.
    const Decision decisions[] = {
        {{"5,5", "8"}, ',', true},
        {{"1.234,5"}, ',', true},
        {{"1,234.5"}, '.', true},
        {{"1.234.567"}, ',', true},
        {{"1,234", "12"}, '.', false}, // could be either: the locale's
        {{"0,125"}, ',', true},
        {{}, '.', false},
        {{"2,5", "3.5"}, '.', false}, // as many for each: the locale's
        {{"2,5", "3,5", "3.5"}, ',', true},
    };
    for (const Decision& d : decisions) {
        const storage::DecimalConvention c = storage::DecideDecimals(d.figures, point);
        EXPECT_EQ(c.fmt.decSep, d.expected) << d.figures.size();
        EXPECT_EQ(c.fromFigures, d.fromFigures);
    }
    EXPECT_EQ(storage::DecideDecimals({"1,234"}, comma).fmt.decSep, ',');
    EXPECT_EQ(storage::DecideDecimals({"1,234"}, comma).fmt.digSep, '.');

    EXPECT_EQ(storage::CellNumber("1.234,5", comma), 1234.5);
    EXPECT_EQ(storage::CellNumber(" 1,234.5 ", point), 1234.5);
    EXPECT_FALSE(storage::CellNumber("12 ISK", point));
    EXPECT_FALSE(storage::CellNumber("1e999", point));
    EXPECT_FALSE(storage::CellNumber("", point));
}

TEST(TableText, CsvFieldQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(storage::CsvField("[Raw] Tritanium"), "[Raw] Tritanium");
    EXPECT_EQ(storage::CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(storage::CsvField("5\" Pipe"), "\"5\"\" Pipe\"");
    EXPECT_EQ(storage::CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(storage::CsvField(" padded"), "\" padded\"");
    // What it writes reads back as the same cell.
    for (const char* cell : {"a,b", "5\" Pipe", "two\nlines", " padded", "\"\""})
        EXPECT_EQ(ReadTable(storage::CsvField(cell) + ",1\n").rows.at(0).cells.at(0), cell) << cell;
}
