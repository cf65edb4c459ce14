// The reader of pasted and imported tables, and the prices read from a table
// against the compiled-in catalogue.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "calc/PriceImport.h"
#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"
#include "storage/TableText.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Catalogue cat = Catalogue::Compiled();
    const std::string_view text = fuzz::Text(data, size);

    const storage::Table table = storage::ReadTable(text);
    std::size_t lastLine = 0;
    for (const storage::TableRow& row : table.rows) {
        fuzz::Check(row.line > lastLine, "rows come in line order, one row a line at most");
        fuzz::Check(!row.cells.empty(), "a row has a cell");
        lastLine = row.line;
        // A cell written as a CSV field reads back whole.
        for (std::size_t k = 0; k < row.cells.size() && k < 4; ++k) {
            const storage::Table back = storage::ReadTable("x," + storage::CsvField(row.cells[k]) + "\n");
            fuzz::Check(
                back.rows.size() == 1 && back.rows[0].cells.size() == 2 && back.rows[0].cells[1] == row.cells[k],
                "a CSV field reads back as the cell it was written from");
        }
    }

    for (const NumberFormat& fmt : fuzz::kFormats) {
        const priceimport::Preview p = priceimport::Read(text, cat, fmt);
        std::set<std::int32_t> items;
        for (const priceimport::Match& m : p.matched) {
            fuzz::Check(std::isfinite(m.newPrice) && m.newPrice >= 0 && m.newPrice <= priceimport::kMaxPrice,
                "a price taken is one the sheet shows");
            fuzz::Check(m.typeId > 0 && static_cast<std::size_t>(m.typeId) < cat.strItemNames.size()
                    && !cat.strItemNames[static_cast<std::size_t>(m.typeId)].empty(),
                "a match is a named item");
            fuzz::Check(items.insert(m.typeId).second, "an item is matched once");
            fuzz::Check(m.line >= 1 && m.line <= lastLine, "a match names a line of the table");
        }
        fuzz::Check(
            p.matched.size() + p.unknown.size() + p.unreadable.size() + (p.header ? 1 : 0) <= table.rows.size(),
            "every line is counted once at most");
    }
    return 0;
}
