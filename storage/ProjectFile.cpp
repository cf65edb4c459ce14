#include "storage/ProjectFile.h"

#include <cmath>

#include "base/Failure.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "catalogue/Catalogue.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

constexpr std::int32_t kMaxTypeId = kTypeIdSlots - 1;

// A line that cannot be read: its number (counted from 1) and why.
[[noreturn]] void Bad(std::size_t line, const std::string& why)
{
    throw Failure("The project file cannot be read: line " + std::to_string(line) + " " + why + ".");
}

std::int32_t Whole(std::string_view text, std::size_t line, const char* what)
{
    try {
        if (text.empty() || text.find_first_not_of("-0123456789") != std::string_view::npos)
            throw Failure("not a whole number");
        return numbers::TextToInt32(text, numbers::kDotFormat);
    } catch (const Failure&) {
        Bad(line, std::string("has a ") + what + " that is no whole number (\"" + std::string(text) + "\")");
    }
}

std::int32_t TypeId(std::string_view text, std::size_t line)
{
    const std::int32_t id = Whole(text, line, "type ID");
    if (id < 0 || id > kMaxTypeId)
        Bad(line, "names type ID " + std::to_string(id) + ", which no item has");
    return id;
}

std::optional<std::int32_t> Level(std::string_view text, std::size_t line, const char* what)
{
    if (text.empty())
        return std::nullopt; // the owned record's level
    const std::int32_t level = Whole(text, line, what);
    if (level < 0)
        Bad(line, std::string("has a negative ") + what);
    return level;
}

double Amount(std::string_view text, std::size_t line, const char* what)
{
    double value = 0;
    try {
        value = numbers::ToNumber(text, numbers::kDotFormat);
    } catch (const Failure&) {
        Bad(line, std::string("has a ") + what + " that is no number (\"" + std::string(text) + "\")");
    }
    if (!std::isfinite(value) || value < 0)
        Bad(line, std::string("has a ") + what + " below zero");
    return value;
}

void Fields(const std::vector<std::string_view>& fields, std::size_t count, std::size_t line)
{
    if (fields.size() != count)
        Bad(line, "has " + std::to_string(fields.size()) + " fields where " + std::to_string(count) + " belong");
}

std::string Figure(double value) { return numbers::ToText(value, numbers::kDotFormat); }

} // namespace

ProjectData ReadProject(std::string_view content)
{
    ProjectData project;
    std::size_t number = 0;
    bool headed = false;
    ForEachLine(content, [&](std::string_view line) {
        ++number;
        if (!headed) {
            if (line != kProjectHeader)
                throw Failure(
                    "This is no project file: its first line is not \"" + std::string(kProjectHeader) + "\".");
            headed = true;
            return;
        }
        if (line.empty())
            return;
        const auto fields = text::Split(line, '{');
        const std::string_view kind = fields[0];
        if (kind == "job") {
            Fields(fields, 5, number);
            ProjectJob job;
            job.blueprint = TypeId(fields[1], number);
            job.runs = Whole(fields[2], number, "run count");
            if (job.runs < 1)
                Bad(number, "has " + std::to_string(job.runs) + " runs; a job has at least one");
            job.ml = Level(fields[3], number, "ML");
            job.pl = Level(fields[4], number, "PL");
            project.jobs.push_back(job);
        } else if (kind == "stock") {
            Fields(fields, 3, number);
            project.stock[TypeId(fields[1], number)] = Amount(fields[2], number, "quantity");
        } else if (kind == "flip") {
            Fields(fields, 3, number);
            const std::int32_t id = TypeId(fields[1], number);
            if (fields[2] != "build" && fields[2] != "buy")
                Bad(number, "chooses \"" + std::string(fields[2]) + "\" where \"build\" or \"buy\" belongs");
            project.flips[id] = fields[2] == "build";
        } else if (kind == "sale") {
            Fields(fields, 3, number);
            project.salePrices[TypeId(fields[1], number)] = Amount(fields[2], number, "sale price");
        } else {
            Bad(number, "is no job, stock, flip or sale line");
        }
    });
    return project;
}

std::string ProjectText(const ProjectData& project)
{
    std::string text = std::string(kProjectHeader) + "\r\n";
    const auto level
        = [](const std::optional<std::int32_t>& l) { return l ? numbers::IntText(*l) : std::string(); };
    for (const ProjectJob& job : project.jobs)
        text += "job{" + numbers::IntText(job.blueprint) + '{' + numbers::IntText(job.runs) + '{' + level(job.ml)
            + '{' + level(job.pl) + "\r\n";
    for (const auto& [id, quantity] : project.stock)
        text += "stock{" + numbers::IntText(id) + '{' + Figure(quantity) + "\r\n";
    for (const auto& [id, build] : project.flips)
        text += "flip{" + numbers::IntText(id) + '{' + (build ? "build" : "buy") + "\r\n";
    for (const auto& [id, price] : project.salePrices)
        text += "sale{" + numbers::IntText(id) + '{' + Figure(price) + "\r\n";
    return text;
}

} // namespace brenta::storage
