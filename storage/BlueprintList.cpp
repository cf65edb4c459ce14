#include "storage/BlueprintList.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
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

void Apply(const Block& block, Catalogue& cat, const NumberFormat& fmt)
{
    cat.strOwned[block.index]
        = owned::Read(block.typeId + "{" + block.ml.value_or("0") + "{" + block.pl.value_or("0"), fmt);
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
            Apply(*current, cat, fmt);
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
        Apply(*current, cat, fmt);
    });
}

namespace {

std::string Label(std::string_view label)
{
    constexpr std::size_t kWidth = 15;
    return std::string(kWidth - std::min(kWidth, label.size()), ' ') + std::string(label);
}

} // namespace

std::string OwnedReport(const ReportHead& head, const std::vector<ReportBlock>& blocks, const NumberFormat& fmt)
{
    constexpr std::string_view kEnd = "\r\n";
    std::string text;
    text += "POS Research: ";
    text += head.posLab ? "True" : "False";
    text += kEnd;
    text += "POS Assembly: " + numbers::ToText(head.timeMult, fmt) + " / " + numbers::ToText(head.matMult, fmt);
    text += kEnd;
    text += kSeparator;
    text += kEnd;

    text.reserve(text.size() + blocks.size() * 400);
    const auto line = [&text, kEnd](std::string_view label, std::string_view value) {
        text += Label(label);
        text += value;
        text += kEnd;
    };
    for (const ReportBlock& block : blocks) {
        line("Name: ", block.name);
        line("ML: ", block.ml);
        line("Research Time: ", block.mlTime);
        line("PL: ", block.pl);
        line("Research Time: ", block.plTime);
        line("Assembly Time: ", block.assembly);
        line("Cost: ", block.cost);
        text += kSeparator;
        text += kEnd;
    }
    return text;
}

} // namespace brenta::storage
