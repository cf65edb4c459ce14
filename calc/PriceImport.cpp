#include "calc/PriceImport.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "base/Failure.h"
#include "base/Table.h"
#include "base/Text.h"
#include "calc/AutoPrice.h"
#include "storage/TableText.h"

namespace brenta::priceimport {

namespace {

constexpr std::int32_t kAmbiguous = -1;

// Display names and names without the kind prefix, letter case folded, to type IDs.
// A name without prefix that two items share names neither.
class NameIndex {
public:
    explicit NameIndex(const Catalogue& cat)
    {
        for (std::size_t id = 0; id < cat.strItemNames.size(); ++id) {
            const std::string& name = cat.strItemNames[id];
            if (name.empty())
                continue;
            const auto typeId = static_cast<std::int32_t>(id);
            full_.emplace(text::FoldCase(name), typeId);
            const auto [it, added]
                = bare_.emplace(text::FoldCase(std::string(pricing::MaterialName(name))), typeId);
            if (!added && it->second != typeId)
                it->second = kAmbiguous;
        }
    }

    std::optional<std::int32_t> Find(const std::string& name) const
    {
        const std::string folded = text::FoldCase(name);
        if (const auto it = full_.find(folded); it != full_.end())
            return it->second;
        if (const auto it = bare_.find(folded); it != bare_.end() && it->second != kAmbiguous)
            return it->second;
        return std::nullopt;
    }

private:
    std::unordered_map<std::string, std::int32_t> full_;
    std::unordered_map<std::string, std::int32_t> bare_;
};

bool AllDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The item a cell names: a type ID of an item in the catalogue, else a name.
std::optional<std::int32_t> ItemOf(const std::string& cell, const Catalogue& cat, const NameIndex& names)
{
    if (AllDigits(cell)) {
        if (cell.size() > 9)
            return std::nullopt;
        const std::int32_t id = numbers::TextToInt32(cell, numbers::kDotFormat);
        if (id > 0 && static_cast<std::size_t>(id) < cat.strItemNames.size()
            && !cat.strItemNames[static_cast<std::size_t>(id)].empty())
            return id;
        return std::nullopt;
    }
    return names.Find(cell);
}

// A price cell's figure: the cell without the currency a formatted cell may show
// after it ("1,250.00 ISK").
std::string_view Figure(std::string_view cell)
{
    constexpr std::string_view kCurrency = "isk";
    if (cell.size() >= kCurrency.size()
        && text::EqualsIgnoringCase(cell.substr(cell.size() - kCurrency.size()), kCurrency)) {
        cell.remove_suffix(kCurrency.size());
        while (!cell.empty() && cell.back() == ' ')
            cell.remove_suffix(1);
    }
    return cell;
}

bool ReadsAsNumber(std::string_view cell)
{
    return storage::CellNumber(cell, NumberFormat::FromDecimalSeparator('.')).has_value()
        || storage::CellNumber(cell, NumberFormat::FromDecimalSeparator(',')).has_value();
}

// Where a line's item and price are: cells by index, or (no header) the first and
// the last cell that hold anything.
struct Columns {
    std::optional<std::size_t> name;
    std::optional<std::size_t> id;
    std::optional<std::size_t> price;
};

Columns HeaderColumns(const std::vector<std::string>& header)
{
    Columns columns;
    for (std::size_t k = 0; k < header.size(); ++k) {
        const std::string word = text::FoldCase(header[k]);
        if (!columns.price && word.find("price") != std::string::npos)
            columns.price = k;
        else if (!columns.id && (word == "id" || word == "typeid" || word == "type_id" || word == "type id"))
            columns.id = k;
    }
    for (std::size_t k = 0; k < header.size() && !columns.name; ++k) {
        const std::string word = text::FoldCase(header[k]);
        if (k != columns.price && k != columns.id
            && (word.find("name") != std::string::npos || word.find("item") != std::string::npos))
            columns.name = k;
    }
    for (std::size_t k = 0; k < header.size() && !columns.name; ++k)
        if (k != columns.price && k != columns.id)
            columns.name = k;
    if (!columns.price && !header.empty())
        columns.price = header.size() - 1;
    return columns;
}

struct Cells {
    const std::string* key = nullptr; // the item as named
    const std::string* id = nullptr; // the type ID column, tried when the name matches nothing
    const std::string* price = nullptr;
};

const std::string* CellAt(const std::vector<std::string>& cells, std::optional<std::size_t> k)
{
    return k && *k < cells.size() && !cells[*k].empty() ? &cells[*k] : nullptr;
}

Cells CellsOf(const storage::TableRow& row, const std::optional<Columns>& columns)
{
    Cells cells;
    if (columns) {
        cells.key = CellAt(row.cells, columns->name);
        cells.id = CellAt(row.cells, columns->id);
        cells.price = CellAt(row.cells, columns->price);
        if (!cells.key)
            std::swap(cells.key, cells.id);
        return cells;
    }
    const auto filled = [](const std::string& c) { return !c.empty(); };
    const auto first = std::find_if(row.cells.begin(), row.cells.end(), filled);
    const auto last = std::find_if(row.cells.rbegin(), row.cells.rend(), filled);
    if (first == row.cells.end())
        return cells;
    cells.key = &*first;
    if (&*last != &*first)
        cells.price = &*last;
    return cells;
}

} // namespace

Preview Read(std::string_view text, const Catalogue& cat, const NumberFormat& locale)
{
    const storage::Table table = storage::ReadTable(text);
    const NameIndex names(cat);
    Preview preview;
    preview.separator = table.separator;

    std::size_t first = 0;
    std::optional<Columns> columns;
    if (!table.rows.empty() && table.rows.front().problem.empty()) {
        const std::vector<std::string>& cells = table.rows.front().cells;
        const bool header = std::none_of(cells.begin(), cells.end(), ReadsAsNumber)
            && std::none_of(cells.begin(), cells.end(),
                [&](const std::string& c) { return ItemOf(c, cat, names).has_value(); });
        if (header) {
            preview.header = true;
            columns = HeaderColumns(cells);
            first = 1;
        }
    }

    std::vector<Cells> rows(table.rows.size());
    std::vector<std::string_view> figures;
    for (std::size_t r = first; r < table.rows.size(); ++r) {
        if (!table.rows[r].problem.empty())
            continue;
        rows[r] = CellsOf(table.rows[r], columns);
        if (rows[r].price)
            figures.push_back(Figure(*rows[r].price));
    }
    const storage::DecimalConvention decimals = storage::DecideDecimals(figures, locale);
    preview.decimalMark = decimals.fmt.decSep;
    preview.decimalFromFigures = decimals.fromFigures;

    // The entry of each item in matched, so a later line replaces an earlier one.
    std::unordered_map<std::int32_t, std::size_t> entryOf;
    std::vector<bool> replaced;
    for (std::size_t r = first; r < table.rows.size(); ++r) {
        const storage::TableRow& row = table.rows[r];
        const Cells& cells = rows[r];
        if (!row.problem.empty()) {
            preview.unreadable.push_back({row.line, row.problem});
            continue;
        }
        if (!cells.key) {
            preview.unreadable.push_back({row.line, "no item is named"});
            continue;
        }
        if (!cells.price) {
            preview.unreadable.push_back({row.line, "no price is given for \"" + *cells.key + "\""});
            continue;
        }
        const std::optional<double> price = storage::CellNumber(Figure(*cells.price), decimals.fmt);
        if (!price) {
            preview.unreadable.push_back({row.line, "\"" + *cells.price + "\" is not a price"});
            continue;
        }
        if (*price < 0) {
            preview.unreadable.push_back({row.line, "the price " + *cells.price + " is negative"});
            continue;
        }
        if (*price > kMaxPrice) {
            preview.unreadable.push_back({row.line,
                "the price " + *cells.price + " is above the largest price the sheet shows ("
                    + numbers::ToText(kMaxPrice, decimals.fmt) + ")"});
            continue;
        }
        std::optional<std::int32_t> item = ItemOf(*cells.key, cat, names);
        if (!item && cells.id)
            item = ItemOf(*cells.id, cat, names);
        if (!item) {
            preview.unknown.push_back({row.line, *cells.key});
            continue;
        }
        const auto slot = static_cast<std::size_t>(*item);
        Match match{row.line, *item, cat.strItemNames[slot], At(cat.dblPrices, *item), *price + 0.0};
        if (const auto it = entryOf.find(*item); it != entryOf.end())
            replaced[it->second] = true;
        entryOf[*item] = preview.matched.size();
        preview.matched.push_back(std::move(match));
        replaced.push_back(false);
    }
    std::size_t kept = 0;
    for (std::size_t k = 0; k < preview.matched.size(); ++k)
        if (!replaced[k]) {
            if (k != kept)
                preview.matched[kept] = std::move(preview.matched[k]);
            ++kept;
        }
    preview.matched.resize(kept);
    return preview;
}

void Apply(const Preview& preview, std::vector<double>& prices)
{
    for (const Match& match : preview.matched) {
        if (match.typeId < 0 || static_cast<std::size_t>(match.typeId) >= prices.size())
            throw Failure("No price for type ID " + numbers::IntText(match.typeId));
        prices[static_cast<std::size_t>(match.typeId)] = match.newPrice;
    }
}

std::string ExportCsv(const Catalogue& cat)
{
    std::string csv = "Name,Type ID,Price\r\n";
    for (std::size_t id = 0; id < cat.strItemNames.size(); ++id) {
        const std::string& name = cat.strItemNames[id];
        if (name.empty())
            continue;
        csv += storage::CsvField(name);
        csv += ',';
        csv += numbers::IntText(static_cast<std::int64_t>(id));
        csv += ',';
        csv += numbers::ToText(At(cat.dblPrices, static_cast<std::int64_t>(id)), numbers::kDotFormat);
        csv += "\r\n";
    }
    return csv;
}

} // namespace brenta::priceimport
