#include "storage/BlueprintList.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "calc/AutoPrice.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

constexpr std::string_view kNameKey = "Name: ";
constexpr std::string_view kMLKey = "ML: ";
constexpr std::string_view kPLKey = "PL: ";
constexpr std::string_view kSeparator = "-------------------------------------------------";

// The text after the key's first occurrence, up to its second one; nothing when
// the line does not hold the key.
std::optional<std::string_view> ValueAfter(std::string_view line, std::string_view key)
{
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(at + key.size());
    return rest.substr(0, rest.find(key));
}

// The blueprint indexes of every record named on one of the list's name lines,
// ascending. Only the names the list holds are indexed: a list names a few
// blueprints of the whole catalogue.
std::unordered_map<std::string_view, std::vector<std::size_t>> RecordsByName(
    const Catalogue& cat, std::string_view content)
{
    std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
    ForEachLine(content, [&byName](std::string_view line) {
        if (const auto name = ValueAfter(line, kNameKey))
            byName.try_emplace(*name);
    });
    if (byName.empty())
        return byName;
    // The name opens its record, so the first character rules most records out
    // before the name is cut out and looked up.
    std::array<bool, 256> firstChars{};
    for (const auto& entry : byName)
        firstChars[static_cast<unsigned char>(entry.first.empty() ? '{' : entry.first.front())] = true;
    const std::size_t n = std::min({cat.strBPs.size(), cat.bOwned.size(), cat.strOwned.size()});
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view rec = cat.strBPs[i];
        if (rec.empty() || !firstChars[static_cast<unsigned char>(rec.front())])
            continue;
        const auto it = byName.find(record::Field(rec, record::kFieldName));
        if (it != byName.end())
            it->second.push_back(i);
    }
    std::erase_if(byName, [](const auto& entry) { return entry.second.empty(); });
    return byName;
}

struct Block {
    std::size_t index = 0;
    std::string typeId;
    std::optional<std::string> ml;
    std::optional<std::string> pl;
};

void Apply(const Block& block, Catalogue& cat)
{
    cat.strOwned[block.index] = block.typeId + "{" + block.ml.value_or("0") + "{" + block.pl.value_or("0");
    cat.bOwned[block.index] = true;
}

} // namespace

void ApplyBlueprintList(std::string_view content, Catalogue& cat, const NumberFormat& fmt)
{
    const auto byName = RecordsByName(cat, content);
    std::unordered_map<std::string_view, std::size_t> seen; // name lines read so far, by name
    std::optional<Block> current;

    ForEachLine(content, [&](std::string_view line) {
        if (const auto name = ValueAfter(line, kNameKey)) {
            current.reset();
            const auto it = byName.find(*name);
            if (it == byName.end())
                return;
            const std::size_t k = seen[it->first]++;
            const std::size_t index = k < it->second.size() ? it->second[k] : it->second.front();
            try {
                const std::string_view idText = record::Field(cat.strBPs[index], record::kFieldTypeId);
                current = Block{index, numbers::IntText(numbers::TextToInt32(idText, fmt)), {}, {}};
            } catch (const Failure&) {
                return; // a record without a usable type ID cannot be owned
            }
            Apply(*current, cat);
            return;
        }
        if (!current)
            return;
        const auto ml = ValueAfter(line, kMLKey);
        const auto pl = ml ? std::nullopt : ValueAfter(line, kPLKey);
        std::optional<std::string>& level = ml ? current->ml : current->pl;
        const auto value = ml ? ml : pl;
        if (!value || level || value->find('{') != std::string_view::npos)
            return;
        level = std::string(*value);
        Apply(*current, cat);
    });
}

namespace {

std::string Label(std::string_view label)
{
    constexpr std::size_t kWidth = 15;
    return std::string(kWidth - std::min(kWidth, label.size()), ' ') + std::string(label);
}

struct BlockTimes {
    std::string ml = "Invalid";
    std::string pl = "Invalid";
    std::string assembly = "Invalid";
};

BlockTimes TimesOf(const std::vector<std::string_view>& rec, std::string_view mlText, std::string_view plText,
    const ReportFacility& facility, const NumberFormat& fmt)
{
    using namespace numbers;
    try {
        if (rec.size() <= record::kFieldProductivityModifier)
            throw Failure("Blueprint record without its times");
        const std::int32_t ml = TextToInt32(mlText, fmt);
        const std::int32_t pl = TextToInt32(plText, fmt);
        const double lab = 1 - 0.25 * (facility.posLab ? 1 : 0);
        BlockTimes t;
        t.ml = times::RunningTime(TextToInt32(rec[record::kFieldMLTime], fmt), facility.metallurgy, 0.05, lab, ml);
        t.pl = times::RunningTime(TextToInt32(rec[record::kFieldPLTime], fmt), facility.research, 0.05, lab, pl);
        const std::int32_t base = times::BuildSecondsPerRun(ToNumber(rec[record::kFieldProductionTime], fmt),
            ToNumber(rec[record::kFieldProductivityModifier], fmt), pl);
        t.assembly = times::RunningTime(base, facility.industry, 0.04, facility.timeMult, 1);
        return t;
    } catch (const Failure&) {
        return BlockTimes{};
    }
}

std::string CostOf(std::string_view rec, std::string_view mlText, const Catalogue& cat,
    const ReportFacility& facility, const NumberFormat& fmt)
{
    try {
        const pricing::Facility f{facility.matMult, facility.pe, fmt};
        const double cost
            = pricing::OneRunCost(rec, numbers::TextToInt32(mlText, fmt), f, cat.strItemNames, cat.dblPrices);
        return numbers::Format(cost, "###,##0.00", fmt);
    } catch (const Failure&) {
        return "Invalid";
    }
}

} // namespace

std::string OwnedReport(const Catalogue& cat, const ReportFacility& facility, const NumberFormat& fmt)
{
    constexpr std::string_view kEnd = "\r\n";
    std::string text;
    text += "POS Research: ";
    text += facility.posLab ? "True" : "False";
    text += kEnd;
    text += "POS Assembly: " + numbers::ToText(facility.timeMult, fmt) + " / " + numbers::ToText(facility.matMult, fmt);
    text += kEnd;
    text += kSeparator;
    text += kEnd;

    const std::size_t n = std::min({cat.strBPs.size(), cat.bOwned.size(), cat.strOwned.size()});
    text.reserve(static_cast<std::size_t>(std::count(cat.bOwned.begin(), cat.bOwned.begin() + static_cast<std::ptrdiff_t>(n), true)) * 400);
    for (std::size_t i = 0; i < n; ++i) {
        if (!cat.bOwned[i])
            continue;
        const std::string& rec = cat.strBPs[i];
        const auto fields = record::Split(rec, '{');
        const auto owned = record::Split(cat.strOwned[i], '{');
        const std::string_view ml = owned.size() > 1 ? owned[1] : std::string_view("");
        const std::string_view pl = owned.size() > 2 ? owned[2] : std::string_view("");
        const BlockTimes t = TimesOf(fields, ml, pl, facility, fmt);
        const auto line = [&](std::string_view label, std::string_view value) {
            text += Label(label);
            text += value;
            text += kEnd;
        };
        line("Name: ", fields.front());
        line("ML: ", ml);
        line("Research Time: ", t.ml);
        line("PL: ", pl);
        line("Research Time: ", t.pl);
        line("Assembly Time: ", t.assembly);
        line("Cost: ", CostOf(rec, ml, cat, facility, fmt));
        text += kSeparator;
        text += kEnd;
    }
    return text;
}

} // namespace brenta::storage
