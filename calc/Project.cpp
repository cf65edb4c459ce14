#include "calc/Project.h"

#include <algorithm>
#include <cmath>

#include "base/Table.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"

namespace brenta::project {

using namespace numbers;

namespace {

// The owned record's level fields.
constexpr int kOwnedML = 1;
constexpr int kOwnedPL = 2;

Figure Checked(double value) { return std::isfinite(value) ? Figure(value) : std::nullopt; }
Figure Plus(const Figure& a, const Figure& b) { return a && b ? Checked(*a + *b) : std::nullopt; }
Figure Minus(const Figure& a, const Figure& b) { return a && b ? Checked(*a - *b) : std::nullopt; }
Figure Times(const Figure& a, double b) { return a ? Checked(*a * b) : std::nullopt; }
// a < b, a figure not computed being larger than any number.
bool Cheaper(const Figure& a, const Figure& b) { return a && (!b || *a < *b); }

// A blueprint as the project builds it: its recipe, the item each of its materials
// goes to, and the owned blueprint whose record gave its levels.
struct Built {
    plan::Recipe recipe;
    std::vector<std::size_t> items; // by material of the recipe
    std::optional<std::int16_t> owner;
};

class Planner {
public:
    Planner(
        const Input& input, const Catalogue& cat, const pricing::Builders& builders, const plan::Player& player)
        : input_(input), cat_(cat), builders_(builders), player_(player), onPath_(cat.strBPs.size(), false)
    {
    }

    Result Run()
    {
        for (std::size_t j = 0; j < input_.jobs.size(); ++j) {
            const Job& job = input_.jobs[j];
            jobRecipes_.push_back(MakeRecipe(job.blueprint, job.ml, job.pl, std::nullopt));
        }
        // Parents before their materials: the reverse of the order expansion finished them.
        std::reverse(finished_.begin(), finished_.end());
        NameJobs();
        std::vector<std::size_t> order = finished_;
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].cycle)
                order.push_back(i); // bought where they are met, after the stock went to the built ones

        // Every choice starts as building where it can, so every material gets its need;
        // then the costs decide from the leaves up, and the needs follow the choices
        // until nothing changes.
        for (Item& item : items_)
            item.build = item.Buildable() && item.pinned.value_or(true);
        for (std::size_t pass = 0; pass <= items_.size() + 1; ++pass) {
            Needs(order);
            if (!Decide(order))
                break;
        }
        Needs(order);
        Decide(order);
        return Finish(order);
    }

private:
    // The item index of a material reached from a blueprint being expanded.
    std::size_t Reach(std::int32_t typeId)
    {
        const std::string& name = At(cat_.strItemNames, typeId);
        std::optional<std::int16_t> builder = builders_.Find(pricing::MaterialName(name));
        std::int32_t batch = 0;
        if (builder) {
            const std::string_view rec = At(cat_.strBPs, *builder);
            batch = At(cat_.intBatchSize, TextToInt32(record::Field(rec, record::kFieldTypeId), player_.fmt));
            if (batch <= 0)
                builder.reset(); // a blueprint that makes nothing builds nothing
        }
        const bool cycle = builder && onPath_[static_cast<std::size_t>(*builder)];
        const auto key = std::make_pair(typeId, cycle);
        auto [it, added] = index_.try_emplace(key, items_.size());
        if (added) {
            Item item;
            item.typeId = typeId;
            item.name = name;
            item.cycle = cycle;
            item.unitPrice = At(cat_.dblPrices, typeId);
            item.builder = builder;
            item.batch = batch;
            if (const auto pin = input_.flips.find(typeId); pin != input_.flips.end())
                item.pinned = pin->second;
            items_.push_back(std::move(item));
            recipes_.emplace_back();
            if (items_.back().Buildable()) {
                const std::size_t i = items_.size() - 1;
                Item& built = items_[i];
                built.owned = At(cat_.bOwned, *builder);
                if (built.owned) {
                    built.ml = OwnedLevel(*builder, kOwnedML);
                    built.pl = OwnedLevel(*builder, kOwnedPL);
                }
                Built recipe = MakeRecipe(*builder, items_[i].ml, items_[i].pl, builder);
                recipes_[i] = std::move(recipe);
                items_[i].skills = recipes_[i].recipe.skills;
            }
            if (!cycle)
                finished_.push_back(it->second);
        }
        return it->second;
    }

    // Blueprint bp at the levels given, expanding every material not met before.
    // owner: the owned blueprint whose record gave the levels.
    Built MakeRecipe(std::int16_t bp, std::int32_t ml, std::int32_t pl, std::optional<std::int16_t> owner)
    {
        Built built;
        built.owner = owner;
        try {
            built.recipe = plan::RecipeOf(bp, ml, pl, cat_, player_);
        } catch (const plan::LevelFailure& failure) {
            LevelFails(owner, failure.level == plan::Level::ML ? kOwnedML : kOwnedPL);
            throw;
        }
        onPath_[static_cast<std::size_t>(bp)] = true;
        for (const plan::RecipeMaterial& material : built.recipe.materials)
            built.items.push_back(Reach(material.typeId));
        onPath_[static_cast<std::size_t>(bp)] = false;
        return built;
    }

    // The units of material k of built that runs take, by the sheet's rule.
    double Units(const Built& built, std::size_t k, std::int32_t runs) const
    {
        try {
            return built.recipe.UnitsFor(built.recipe.materials[k], runs, player_.fmt);
        } catch (const plan::LevelFailure&) {
            LevelFails(built.owner, kOwnedML);
            throw;
        }
    }

    const OwnedLevel& Level(std::int16_t bp, int field) const
    {
        const OwnedRecord& stored = At(cat_.strOwned, bp);
        return field == kOwnedML ? stored.ml : stored.pl;
    }

    std::int32_t OwnedLevel(std::int16_t bp, int field) const
    {
        try {
            return owned::Value(Level(bp, field));
        } catch (const Failure&) {
            LevelFails(bp, field);
            throw;
        }
    }

    void LevelFails(std::optional<std::int16_t> owner, int field) const
    {
        if (owner && At(cat_.bOwned, *owner))
            throw plan::OwnedLevelFailure(*owner, field == kOwnedML ? "ML" : "PL", Level(*owner, field).text);
    }

    // The jobs each item is a material of, anywhere down their trees.
    void NameJobs()
    {
        const auto add = [](Item& item, std::size_t job) {
            if (std::find(item.jobs.begin(), item.jobs.end(), job) == item.jobs.end())
                item.jobs.push_back(job);
        };
        for (std::size_t j = 0; j < jobRecipes_.size(); ++j)
            for (const std::size_t material : jobRecipes_[j].items)
                add(items_[material], j);
        for (const std::size_t i : finished_)
            for (const std::size_t material : recipes_[i].items)
                for (const std::size_t job : std::vector<std::size_t>(items_[i].jobs))
                    add(items_[material], job);
        for (Item& item : items_)
            std::sort(item.jobs.begin(), item.jobs.end());
    }

    // Every item's need, stock and runs from the jobs down, as the choices stand.
    void Needs(const std::vector<std::size_t>& order)
    {
        const auto take = [this](const Built& built, std::int32_t runs) {
            for (std::size_t k = 0; k < built.items.size(); ++k) {
                double& need = items_[built.items[k]].need;
                need = Finite(need + Units(built, k, runs));
            }
        };
        for (Item& item : items_)
            item.need = 0;
        for (std::size_t j = 0; j < input_.jobs.size(); ++j)
            take(jobRecipes_[j], input_.jobs[j].runs);
        std::map<std::int32_t, double> stock = input_.stock;
        for (const std::size_t i : order) {
            Item& item = items_[i];
            double& onHand = stock[item.typeId];
            item.stockUsed = std::min(onHand, item.need);
            onHand -= item.stockUsed;
            item.net = Finite(item.need - item.stockUsed);
            item.runs = 0;
            item.surplus = 0;
            item.seconds = 0;
            if (!item.build)
                continue;
            item.runs = ToInt32(std::ceil(item.net / item.batch));
            item.surplus = Finite(static_cast<double>(item.runs) * item.batch - item.net);
            item.seconds = static_cast<std::int64_t>(recipes_[i].recipe.secondsPerRun) * item.runs;
            take(recipes_[i], item.runs);
        }
        for (Item& item : items_)
            item.stockLeft = stock[item.typeId];
    }

    // What a unit of an item costs the items that need it: its cost spread over its
    // whole need, so the stock's share is free for all of them alike.
    Figure UnitCost(const Item& item) const
    {
        if (item.need <= 0)
            return item.unitPrice; // what one more unit costs to buy
        return item.cost ? Checked(*item.cost / item.need) : std::nullopt;
    }

    Figure UsesCost(const Built& built, std::int32_t runs) const
    {
        Figure total = 0.0;
        for (std::size_t k = 0; k < built.items.size(); ++k)
            total = Plus(total, Times(UnitCost(items_[built.items[k]]), Units(built, k, runs)));
        return total;
    }

    // Costs from the leaves up and every unpinned choice by them; whether a choice changed.
    bool Decide(const std::vector<std::size_t>& order)
    {
        bool changed = false;
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            Item& item = items_[*it];
            item.buyCost = Checked(item.net * item.unitPrice);
            if (!item.Buildable()) {
                item.cost = item.buyCost;
                continue;
            }
            // Building is priced for the runs the net need takes, whichever way it stands now.
            const std::int32_t runs = item.build ? item.runs : ToInt32(std::ceil(item.net / item.batch));
            item.builtCost = UsesCost(recipes_[*it], runs);
            const bool build = item.pinned.value_or(Cheaper(item.builtCost, item.buyCost));
            changed = changed || build != item.build;
            item.build = build;
            item.cost = build ? item.builtCost : item.buyCost;
        }
        return changed;
    }

    Result Finish(const std::vector<std::size_t>& order)
    {
        Result result;
        Totals& t = result.totals;
        std::map<std::string, plan::Skill> skills;
        const auto addSkills = [&skills](const std::vector<plan::Skill>& list) {
            for (const plan::Skill& skill : list) {
                auto [it, added] = skills.try_emplace(skill.name, skill);
                if (!added)
                    it->second.level = std::max(it->second.level, skill.level);
            }
        };

        bool allPriced = true;
        for (std::size_t j = 0; j < input_.jobs.size(); ++j) {
            const Job& job = input_.jobs[j];
            JobResult r;
            r.blueprint = job.blueprint;
            plan::Plan alone = plan::Make(
                plan::Job{job.blueprint, job.runs, job.ml, job.pl}, job.salePrice, cat_, builders_, player_);
            for (plan::Node& node : alone.nodes)
                if (const auto pin = input_.flips.find(node.typeId); pin != input_.flips.end() && node.Buildable())
                    node.pinned = pin->second;
            plan::Recompute(alone);
            r.name = alone.nodes[0].name;
            r.units = alone.nodes[0].quantity;
            r.seconds = static_cast<std::int64_t>(jobRecipes_[j].recipe.secondsPerRun) * job.runs;
            r.aloneCost = alone.totals.cost;
            r.revenue = alone.totals.revenue;
            r.profit = alone.totals.profit;
            t.aloneCost = Plus(t.aloneCost, r.aloneCost);
            t.seconds += r.seconds;
            allPriced = allPriced && r.revenue.has_value();
            t.revenue = Plus(t.revenue, r.revenue.value_or(0));
            addSkills(jobRecipes_[j].recipe.skills);
            result.jobs.push_back(std::move(r));
        }

        std::map<std::int32_t, std::size_t> bought;
        for (const std::size_t i : order) {
            const Item& item = items_[i];
            if (item.build) {
                t.seconds += item.seconds;
                addSkills(item.skills);
                continue;
            }
            if (item.net <= 0)
                continue; // the stock covers it, or no built item needs it any more
            auto [it, added] = bought.try_emplace(item.typeId, result.shopping.size());
            if (added)
                result.shopping.push_back(ShoppingItem{item.typeId, item.name, 0, item.unitPrice, 0.0, {}});
            ShoppingItem& entry = result.shopping[it->second];
            entry.quantity = Finite(entry.quantity + item.net);
            entry.cost = Checked(entry.quantity * entry.unitPrice);
            for (const std::size_t job : item.jobs)
                if (std::find(entry.jobs.begin(), entry.jobs.end(), job) == entry.jobs.end())
                    entry.jobs.push_back(job);
        }
        std::stable_sort(
            result.shopping.begin(), result.shopping.end(), [](const ShoppingItem& a, const ShoppingItem& b) {
                return a.cost != b.cost ? Cheaper(b.cost, a.cost) : a.name < b.name;
            });
        for (ShoppingItem& entry : result.shopping)
            std::sort(entry.jobs.begin(), entry.jobs.end());
        for (const ShoppingItem& entry : result.shopping)
            t.cost = Plus(t.cost, entry.cost);

        if (!allPriced)
            t.revenue = std::nullopt;
        t.saved = Minus(t.aloneCost, t.cost);
        t.profit = Minus(t.revenue, t.cost);
        if (t.revenue && *t.revenue > 0 && t.profit)
            t.margin = Checked(*t.profit / *t.revenue * 100);
        for (auto& [name, skill] : skills)
            result.skills.push_back(skill);
        for (const std::size_t i : finished_)
            result.items.push_back(items_[i]);
        for (const Item& item : items_)
            if (item.cycle)
                result.items.push_back(item);
        return result;
    }

    const Input& input_;
    const Catalogue& cat_;
    const pricing::Builders& builders_;
    const plan::Player& player_;
    std::vector<bool> onPath_;
    std::map<std::pair<std::int32_t, bool>, std::size_t> index_; // (type ID, cycle) to item
    std::vector<Item> items_;
    std::vector<Built> recipes_; // by item; empty for items not built
    std::vector<Built> jobRecipes_;
    std::vector<std::size_t> finished_; // built items in the order their expansion finished
};

} // namespace

Figure Item::Saving() const
{
    if (!Buildable())
        return std::nullopt;
    return Minus(buyCost, builtCost);
}

Result Plan(
    const Input& input, const Catalogue& cat, const pricing::Builders& builders, const plan::Player& player)
{
    return Planner(input, cat, builders, player).Run();
}

} // namespace brenta::project
