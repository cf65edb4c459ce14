#include "calc/Job.h"

#include "base/Failure.h"
#include "base/Table.h"

namespace brenta::job {

using namespace numbers;

std::optional<std::int32_t> WholeNumber(std::string_view text, const NumberFormat& fmt)
{
    try {
        return TextToInt32(text, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

const show::Row* RowOf(const Job& job, int r)
{
    if (!job.shown || r < 0 || static_cast<std::size_t>(r) >= job.shown->rows.size())
        return nullptr;
    return &job.shown->rows[static_cast<std::size_t>(r)];
}

std::string AmountText(const show::Row& row, double runs, const NumberFormat& fmt)
{
    // A skill row asks for a level, which the runs leave as it is.
    if (row.typeId == 0 || sheet::IsSkillRow(row.name))
        return row.amountText;
    return ToText(Finite(row.quantity * runs), fmt);
}

std::array<std::string, kRows> AmountTexts(const Job& job, const NumberFormat& fmt)
{
    std::array<std::string, kRows> amounts;
    for (int r = 0; r < kRows; ++r) {
        const show::Row* row = RowOf(job, r);
        amounts[static_cast<std::size_t>(r)] = row ? AmountText(*row, job.amountRuns, fmt) : "0";
    }
    return amounts;
}

namespace {

std::optional<std::int16_t> BatchSize(const std::string& text, const NumberFormat& fmt)
{
    try {
        return TextToInt16(text, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace

sheet::Input SheetInput(const Job& job, const Catalogue& cat, const NumberFormat& fmt)
{
    sheet::Input in;
    in.fmt = fmt;
    in.mlText = job.ml.text;
    in.ml = job.ml.number;
    in.pl = job.pl.number;
    in.runs = job.runs.number;
    in.pe = job.skills.pe;
    in.industry = job.skills.industry;
    in.metallurgy = job.skills.metallurgy;
    in.research = job.skills.research;
    in.posLab = job.posLab;
    in.matMult = job.matMult;
    in.timeMult = job.timeMult;
    in.improvements = job.improvements;
    in.blueprintSelected = job.shown.has_value();
    if (!job.shown) {
        // The empty sheet: one run of nothing.
        in.batch = 1;
        return in;
    }
    const show::Shown& shown = *job.shown;
    in.baseWastageFactor = shown.baseWastageFactor;
    in.batch = BatchSize(shown.batchText, fmt);
    in.times = shown.times;
    in.selectedRecord = At(cat.strBPs, shown.index);
    for (std::size_t r = 0; r < in.rows.size(); ++r) {
        const show::Row* row = RowOf(job, static_cast<int>(r));
        in.rows[r] = {row ? row->name : std::string(), job.prices[r]};
    }
    in.baseQty.reserve(shown.rows.size());
    for (const show::Row& row : shown.rows)
        in.baseQty.push_back(row.quantity);
    return in;
}

comparison::Input ComparisonInput(const Job& job, const NumberFormat& fmt)
{
    comparison::Input in;
    in.fmt = fmt;
    in.fromText = in.toText = job.ml.text;
    in.pe = job.skills.pe;
    in.matMult = job.matMult;
    in.runsText = job.runs.text;
    in.metallurgy = job.skills.metallurgy;
    in.posLab = job.posLab;
    if (!job.shown)
        return in;
    in.baseWastageFactor = job.shown->baseWastageFactor;
    in.times = job.shown->times;
    const auto amounts = AmountTexts(job, fmt);
    for (std::size_t r = 0; r < in.rows.size(); ++r) {
        const show::Row* row = RowOf(job, static_cast<int>(r));
        in.rows[r] = {row ? row->name : std::string(), amounts[r], job.prices[r]};
    }
    for (const show::Row& row : job.shown->rows)
        in.baseQty.push_back(row.quantity);
    return in;
}

std::vector<pricing::GridRow> GridRows(const Job& job)
{
    std::vector<pricing::GridRow> rows(kRows);
    for (int r = 0; r < kRows; ++r) {
        auto& row = rows[static_cast<std::size_t>(r)];
        if (const show::Row* shown = RowOf(job, r)) {
            row.caption = shown->name;
            row.typeId = shown->typeId;
        }
        row.box = job.prices[static_cast<std::size_t>(r)];
    }
    return rows;
}

} // namespace brenta::job
