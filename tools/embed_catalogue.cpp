// Build-time tool: turns the catalogue data files into CatalogueData.cpp, the tables
// that Catalogue's loaders copy into the main window's arrays. The program itself
// never reads a data file; replacing a file and rebuilding reruns this tool.
//
// Usage: embed_catalogue <blueprints.txt> <items.txt> <batchsizes.txt> <CatalogueData.cpp>
//
// A file that does not have the expected form stops the build with its name, line
// and the reason, so that replaced data cannot produce a program with a broken
// catalogue.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/Catalogue.h"

namespace {

struct BadData : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Line {
    std::string text;
    int number;
};

std::vector<Line> ReadLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw BadData(path + ": cannot be read");
    std::vector<Line> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.pop_back(); // a file saved with CR LF line ends reads the same
        for (char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u > 0x7e)
                throw BadData(path + ":" + std::to_string(number) + ": only printable ASCII is allowed");
        }
        lines.push_back({text, number});
    }
    return lines;
}

std::vector<std::string_view> Split(std::string_view text, char delimiter)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(delimiter);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

class Reader {
public:
    Reader(std::string path, int line) : where_(std::move(path) + ":" + std::to_string(line) + ": ") {}

    [[noreturn]] void Fail(const std::string& why) const { throw BadData(where_ + why); }

    long Whole(std::string_view text, long lo, long hi, const char* what) const
    {
        long value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            Fail(std::string(what) + " \"" + std::string(text) + "\" is not a whole number");
        if (value < lo || value > hi)
            Fail(std::string(what) + " " + std::to_string(value) + " lies outside " + std::to_string(lo) + ".."
                + std::to_string(hi));
        return value;
    }

    // A price is digits with an optional decimal part; returned as a C++ literal.
    std::string Price(std::string_view text) const
    {
        const std::size_t dot = text.find('.');
        const std::string_view whole = text.substr(0, dot);
        const std::string_view fraction
            = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
        auto digits
            = [](std::string_view s) { return s.find_first_not_of("0123456789") == std::string_view::npos; };
        if (whole.empty() || !digits(whole)
            || (dot != std::string_view::npos && (fraction.empty() || !digits(fraction))))
            Fail("price \"" + std::string(text) + "\" is not a decimal number");
        return std::string(text) + (dot == std::string_view::npos ? ".0" : "");
    }

private:
    std::string where_;
};

constexpr long kLastTypeId = brenta::kTypeIdSlots - 1;

std::string Literal(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\' || c == '?')
            out += '\\';
        out += c;
    }
    return out + "\"sv";
}

std::string Embed(const std::string& blueprintsPath, const std::string& itemsPath, const std::string& batchesPath)
{
    std::ostringstream out;
    out << "// Generated at build time by embed_catalogue from catalogue/data; edit the data files, not this.\n"
           "#include \"catalogue/CatalogueData.h\"\n\n"
           "namespace brenta::catalogue_data {\n\n"
           "using namespace std::string_view_literals;\n\n";

    const auto records = ReadLines(blueprintsPath);
    if (records.size() != static_cast<std::size_t>(brenta::kBlueprintCount))
        throw BadData(blueprintsPath + ": " + std::to_string(records.size()) + " records, the catalogue has "
            + std::to_string(brenta::kBlueprintCount));
    std::vector<long> blueprintIds;
    std::set<long> seenBlueprints;
    out << "constexpr std::array<std::string_view, kBlueprintCount> kBlueprintRecords = {{\n";
    for (const auto& [text, number] : records) {
        const Reader r(blueprintsPath, number);
        const auto fields = Split(text, '{');
        if (fields.size() != 8)
            r.Fail("a record has 8 fields joined by \"{\", this one " + std::to_string(fields.size()));
        const long id = r.Whole(fields[1], 0, kLastTypeId, "blueprint type ID");
        if (!seenBlueprints.insert(id).second)
            r.Fail("blueprint type ID " + std::to_string(id) + " occurs twice");
        blueprintIds.push_back(id);
        out << "    " << Literal(text) << ",\n";
    }
    out << "}};\n\n";
    out << "constexpr std::array<std::int32_t, kBlueprintCount> kBlueprintTypeIds = {{";
    for (std::size_t i = 0; i < blueprintIds.size(); ++i)
        out << (i % 12 == 0 ? "\n    " : " ") << blueprintIds[i] << ",";
    out << "\n}};\n\n";

    std::set<long> seenItems;
    out << "namespace {\n\nconstexpr ItemRow kItemRows[] = {\n";
    for (const auto& [text, number] : ReadLines(itemsPath)) {
        const Reader r(itemsPath, number);
        const auto fields = Split(text, '{');
        if (fields.size() != 3)
            r.Fail("an item line is type ID{display name{price");
        const long id = r.Whole(fields[0], 0, kLastTypeId, "type ID");
        if (!seenItems.insert(id).second)
            r.Fail("type ID " + std::to_string(id) + " occurs twice");
        out << "    {" << id << ", " << Literal(fields[1]) << ", " << r.Price(fields[2]) << "},\n";
    }
    out << "};\n\n";

    const auto batches = ReadLines(batchesPath);
    out << "constexpr BatchRow kBatchRows[] = {\n";
    for (const auto& [text, number] : batches) {
        const Reader r(batchesPath, number);
        const auto fields = Split(text, '{');
        if (fields.size() != 2)
            r.Fail("a batch size line is blueprint type ID{batch size");
        const long id = r.Whole(fields[0], 0, kLastTypeId, "blueprint type ID");
        if (!seenBlueprints.count(id))
            r.Fail("type ID " + std::to_string(id) + " is no blueprint of " + blueprintsPath);
        out << "    {" << id << ", " << r.Whole(fields[1], 0, 32767, "batch size") << "},\n";
    }
    out << "};\n\n} // namespace\n\n"
           "constexpr std::span<const ItemRow> kItems{kItemRows};\n"
           "constexpr std::span<const BatchRow> kBatchSizes{kBatchRows};\n\n"
           "} // namespace brenta::catalogue_data\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: embed_catalogue <blueprints.txt> <items.txt> <batchsizes.txt> <CatalogueData.cpp>\n";
        return 2;
    }
    try {
        const std::string source = Embed(argv[1], argv[2], argv[3]);
        const std::string path = argv[4];
        const std::string partial = path + ".part";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out << source;
            if (!out.flush())
                throw BadData(partial + ": cannot be written");
        }
        if (std::rename(partial.c_str(), path.c_str()) != 0)
            throw BadData(path + ": cannot be written");
    } catch (const BadData& e) {
        std::cerr << "embed_catalogue: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
