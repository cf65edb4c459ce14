#include "calc/BuildPlan.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "base/Table.h"
#include "calc/Sheet.h"
#include "calc/Times.h"
#include "calc/modWastage.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
#include "storage/TableText.h"

namespace brenta::plan {

using namespace numbers;

namespace {

class Builder {
public:
    Builder(const Catalogue& cat, const pricing::Builders& builders, const Player& player, Plan& plan,
        const std::map<std::int32_t, double>& sheetPrices)
        : cat_(cat), builders_(builders), player_(player), plan_(plan), sheetPrices_(sheetPrices),
          onPath_(cat.strBPs.size(), false)
    {
    }

    // Fills the children of node i from its builder's record, then theirs.
    void Expand(std::size_t i)
    {
        const std::int16_t bp = *plan_.nodes[i].builder;
        const NumberFormat& fmt = player_.fmt;
        const std::int32_t runs = plan_.nodes[i].runs;
        Recipe recipe;
        try {
            recipe = RecipeOf(bp, plan_.nodes[i].ml, plan_.nodes[i].pl, cat_, player_);
        } catch (const LevelFailure& failure) {
            OwnedLevelFails(i, failure.level == Level::ML ? 1 : 2);
            throw;
        }
        plan_.nodes[i].seconds = static_cast<std::int64_t>(recipe.secondsPerRun) * runs;
        plan_.nodes[i].skills = recipe.skills;

        onPath_[static_cast<std::size_t>(bp)] = true;
        for (const RecipeMaterial& material : recipe.materials) {
            double quantity = 0;
            try {
                quantity = recipe.UnitsFor(material, runs, fmt);
            } catch (const LevelFailure&) {
                OwnedLevelFails(i, 1); // the waste of an impossible ML
                throw;
            }
            Node child;
            child.typeId = material.typeId;
            child.name = material.name;
            child.parent = i;
            child.quantity = quantity;
            child.unitPrice = At(cat_.dblPrices, material.typeId);
            if (i == 0)
                if (const auto onSheet = sheetPrices_.find(material.typeId); onSheet != sheetPrices_.end())
                    child.unitPrice = onSheet->second;
            const std::size_t c = plan_.nodes.size();
            plan_.nodes[i].children.push_back(c);
            plan_.nodes.push_back(std::move(child));
            Place(c);
        }
        onPath_[static_cast<std::size_t>(bp)] = false;
    }

    // Finds the builder of node c and, when it can be used here, its runs and tree.
    void Place(std::size_t c)
    {
        const auto builder = builders_.Find(pricing::MaterialName(plan_.nodes[c].name));
        if (!builder)
            return;
        const std::string_view rec = At(cat_.strBPs, *builder);
        const std::int32_t bpTypeId = TextToInt32(record::Field(rec, record::kFieldTypeId), player_.fmt);
        const std::int16_t batch = At(cat_.intBatchSize, bpTypeId);
        if (batch <= 0)
            return; // a blueprint that makes nothing builds nothing
        Node& node = plan_.nodes[c];
        node.builder = builder;
        if (onPath_[static_cast<std::size_t>(*builder)]) {
            node.cycle = true;
            return;
        }
        node.batch = batch;
        node.runs = ToInt32(std::ceil(node.quantity / batch));
        node.surplus = Finite(static_cast<double>(node.runs) * batch - node.quantity);
        if (At(cat_.bOwned, *builder)) {
            node.ml = BuilderLevel(c, 1);
            node.pl = BuilderLevel(c, 2);
        }
        Expand(c);
    }

private:
    // Level field (1 ML, 2 PL) of the owned record of node c's builder.
    const OwnedLevel& Level(std::size_t c, int field) const
    {
        const OwnedRecord& stored = At(cat_.strOwned, *plan_.nodes[c].builder);
        return field == 1 ? stored.ml : stored.pl;
    }

    std::int32_t BuilderLevel(std::size_t c, int field) const
    {
        try {
            return owned::Value(Level(c, field));
        } catch (const Failure&) {
            OwnedLevelFails(c, field);
            throw;
        }
    }

    // A failure that comes from node i's levels: an OwnedLevelFailure when they are
    // an owned record's (the product's levels are the sheet's), else nothing.
    void OwnedLevelFails(std::size_t i, int field) const
    {
        if (i == 0 || !plan_.nodes[i].builder || !At(cat_.bOwned, *plan_.nodes[i].builder))
            return;
        throw OwnedLevelFailure(*plan_.nodes[i].builder, field == 1 ? "ML" : "PL", Level(i, field).text);
    }

    const Catalogue& cat_;
    const pricing::Builders& builders_;
    const Player& player_;
    Plan& plan_;
    const std::map<std::int32_t, double>& sheetPrices_; // the product's materials as the sheet prices them
    std::vector<bool> onPath_;
};

// Calls visit for every node the job reaches: the product, and below it the
// children of every built node; a bought node is visited, its children are not.
void WalkBuilt(const Plan& plan, const std::function<void(const Node&)>& visit)
{
    std::vector<std::size_t> stack{0};
    while (!stack.empty()) {
        const Node& node = plan.nodes[stack.back()];
        stack.pop_back();
        visit(node);
        if (node.build)
            for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
                stack.push_back(*it);
    }
}

std::string Money(double value, const NumberFormat& fmt) { return Format(value, "0.00", fmt); }

std::string Money(const Figure& value, const NumberFormat& fmt)
{
    return value ? Money(*value, fmt) : std::string(kNotComputed);
}

// Arithmetic of figures: nothing in, or a result beyond the float range, gives nothing.
Figure Checked(double value) { return std::isfinite(value) ? Figure(value) : std::nullopt; }
Figure Plus(const Figure& a, const Figure& b) { return a && b ? Checked(*a + *b) : std::nullopt; }
Figure Minus(const Figure& a, const Figure& b) { return a && b ? Checked(*a - *b) : std::nullopt; }
Figure Over(const Figure& a, double b) { return a && b != 0 ? Checked(*a / b) : std::nullopt; }

// a < b, a figure not computed being larger than any number.
bool Cheaper(const Figure& a, const Figure& b) { return a && (!b || *a < *b); }

} // namespace

OwnedLevelFailure::OwnedLevelFailure(std::int16_t blueprint, std::string level, std::string text)
    : Failure("Owned record of blueprint " + IntText(blueprint) + " has an unusable " + level + ": " + text),
      blueprint(blueprint), level(std::move(level)), text(std::move(text))
{
}

Figure Node::BuyCost() const { return Checked(quantity * unitPrice); }

Products::Products(const Catalogue& cat)
{
    for (std::size_t id = 0; id < cat.strItemNames.size(); ++id)
        if (!cat.strItemNames[id].empty())
            byName_.emplace_back(pricing::MaterialName(cat.strItemNames[id]), static_cast<std::int32_t>(id));
    // Equal names keep the lowest type ID first.
    std::stable_sort(
        byName_.begin(), byName_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::optional<std::int32_t> Products::Find(std::string_view builderName) const
{
    const auto it = std::lower_bound(byName_.begin(), byName_.end(), builderName,
        [](const auto& entry, std::string_view name) { return entry.first < name; });
    if (it == byName_.end() || it->first != builderName)
        return std::nullopt;
    return it->second;
}

LevelFailure::LevelFailure(Level l, const std::string& what) : Failure(what), level(l) {}

double Recipe::UnitsFor(const RecipeMaterial& m, std::int32_t runs, const NumberFormat& fmt) const
{
    try {
        // The sheet's own total of the row.
        return sheet::RowTotal(m.kind, wasteFraction, m.quantity, runs, fmt);
    } catch (const Failure& failure) {
        if (m.kind == sheet::RowKind::Regular)
            throw LevelFailure(Level::ML, failure.what());
        throw;
    }
}

Recipe RecipeOf(
    std::int16_t blueprint, std::int32_t ml, std::int32_t pl, const Catalogue& cat, const Player& player)
{
    const std::string_view rec = At(cat.strBPs, blueprint);
    const NumberFormat& fmt = player.fmt;
    const double factor = record::BaseWastageFactor(rec, fmt);
    const double production = ToNumber(record::Field(rec, record::kFieldProductionTime), fmt);
    const double modifier = ToNumber(record::Field(rec, record::kFieldProductivityModifier), fmt);
    Recipe recipe;
    try {
        recipe.wasteFraction
            = sheet::WasteFraction(modWastage::WastageAtML(ml, factor), player.pe, player.matMult);
    } catch (const Failure& failure) {
        throw LevelFailure(Level::ML, failure.what());
    }
    std::int32_t perRun = 0;
    try {
        perRun = times::BuildSecondsPerRun(production, modifier, pl);
    } catch (const Failure& failure) {
        throw LevelFailure(Level::PL, failure.what());
    }
    recipe.secondsPerRun = times::AssemblySecondsPerRun(perRun, player.industry, player.timeMult);
    for (const auto& material : sheet::ShownMaterials(rec, fmt)) {
        const std::string& name = At(cat.strItemNames, material.typeId);
        const sheet::RowKind kind = sheet::ClassifyRow(name);
        if (kind == sheet::RowKind::Empty)
            continue; // an unnamed material costs the sheet nothing either
        if (kind == sheet::RowKind::Skill)
            recipe.skills.push_back(Skill{material.typeId, name, material.quantity});
        else
            recipe.materials.push_back(RecipeMaterial{material.typeId, name, kind, material.quantity});
    }
    return recipe;
}

Plan Make(const Job& job, Figure productPrice, const Catalogue& cat, const pricing::Builders& builders,
    const Player& player)
{
    const std::string_view rec = At(cat.strBPs, job.blueprint);
    const std::int32_t bpTypeId = TextToInt32(record::Field(rec, record::kFieldTypeId), player.fmt);
    const std::int16_t batch = At(cat.intBatchSize, bpTypeId);

    Plan plan;
    plan.productPrice = productPrice;
    Node product;
    product.name = std::string(pricing::BuilderName(rec));
    product.builder = job.blueprint;
    product.runs = job.runs;
    product.batch = batch;
    product.quantity = Finite(static_cast<double>(job.runs) * batch);
    product.unitPrice = productPrice.value_or(0);
    product.ml = job.ml;
    product.pl = job.pl;
    product.build = true;
    plan.nodes.push_back(std::move(product));

    Builder(cat, builders, player, plan, job.prices).Expand(0);
    Recompute(plan);
    return plan;
}

void Recompute(Plan& plan)
{
    if (plan.nodes.empty())
        return;
    // Children come after their parent, so going backwards decides every node
    // after all of its children.
    for (std::size_t i = plan.nodes.size(); i-- > 0;) {
        Node& node = plan.nodes[i];
        if (i != 0 && !node.Buildable()) {
            node.build = false;
            node.cost = node.BuyCost();
            node.unitCost = node.unitPrice;
            continue;
        }
        Figure built = 0.0;
        for (const std::size_t c : node.children)
            built = Plus(built, plan.nodes[c].cost);
        node.builtCost = built;
        node.build = i == 0 || node.pinned.value_or(Cheaper(built, node.BuyCost()));
        node.cost = node.build ? built : node.BuyCost();
        node.unitCost = node.build ? Over(built, node.quantity) : Figure(node.unitPrice);
        if (node.build && node.quantity == 0)
            node.unitCost = 0.0; // nothing made costs nothing a unit
    }

    Node& product = plan.nodes[0];
    product.unitPrice = plan.productPrice.value_or(0);
    product.unitCost = plan.productPrice;
    Totals& t = plan.totals;
    t = Totals{};
    t.cost = product.cost;
    t.revenue = plan.productPrice ? Checked(*plan.productPrice * product.quantity) : std::nullopt;
    t.profit = Minus(t.revenue, t.cost);
    if (product.quantity > 0) {
        t.costPerUnit = Over(t.cost, product.quantity);
        t.profitPerUnit = Over(t.profit, product.quantity);
    }

    std::map<std::string, Skill> skills; // by name, as the list shows them
    std::map<std::int32_t, std::size_t> bought; // type ID to its place in the list
    plan.shopping.clear();
    WalkBuilt(plan, [&](const Node& node) {
        if (node.build) {
            t.seconds += node.seconds;
            for (const Skill& skill : node.skills) {
                auto [it, added] = skills.try_emplace(skill.name, skill);
                if (!added)
                    it->second.level = std::max(it->second.level, skill.level);
            }
            return;
        }
        auto [it, added] = bought.try_emplace(node.typeId, plan.shopping.size());
        if (added)
            plan.shopping.push_back(ShoppingItem{node.typeId, node.name, 0, node.unitPrice, 0.0});
        ShoppingItem& item = plan.shopping[it->second];
        item.quantity = Finite(item.quantity + node.quantity);
        item.cost = Checked(item.quantity * item.unitPrice);
    });
    // Largest cost first; a cost not computed is larger than any.
    std::stable_sort(plan.shopping.begin(), plan.shopping.end(), [](const ShoppingItem& a, const ShoppingItem& b) {
        return a.cost != b.cost ? Cheaper(b.cost, a.cost) : a.name < b.name;
    });
    plan.skills.clear();
    for (auto& entry : skills)
        plan.skills.push_back(std::move(entry.second));
}

std::string Trouble(const Plan& plan, const NumberFormat& fmt)
{
    if (plan.nodes.empty())
        return std::string();
    const std::string beyond = " is beyond the largest number the plan can hold.";
    const Totals& t = plan.totals;
    if (!t.cost) {
        // The first node the job reaches whose cost is not computed though its
        // materials' costs are: where the figure left the float range.
        std::string why;
        WalkBuilt(plan, [&](const Node& node) {
            if (!why.empty() || node.cost)
                return;
            const bool materialsComputed = std::all_of(node.children.begin(), node.children.end(),
                [&](std::size_t c) { return plan.nodes[c].cost.has_value(); });
            if (!node.build)
                why = "Total cost not computed: buying " + ToText(node.quantity, fmt) + " x " + node.name + " at "
                    + ToText(node.unitPrice, fmt) + " ISK each" + beyond;
            else if (materialsComputed)
                why = "Total cost not computed: building " + node.name
                    + " costs more than its materials' costs add up to, which" + beyond;
        });
        return why.empty() ? "Total cost not computed: it" + beyond : why;
    }
    if (!plan.productPrice)
        return "Revenue not computed: no sale price.";
    if (!t.revenue)
        return "Revenue not computed: the sale price times " + ToText(plan.nodes[0].quantity, fmt) + " units"
            + beyond;
    if (!t.profit)
        return "Profit not computed: the revenue less the total cost" + beyond;
    for (const ShoppingItem& item : plan.shopping)
        if (!item.cost)
            return "Shopping list cost not computed: " + ToText(item.quantity, fmt) + " x " + item.name + " at "
                + ToText(item.unitPrice, fmt) + " ISK each" + beyond;
    return std::string();
}

std::string ShortCostText(double cost, const NumberFormat& fmt)
{
    if (std::fabs(Finite(cost)) < 1e4)
        return sheet::CostText(cost, fmt);
    return ShortNumberText(cost, 4, fmt) + " ISK";
}

void Flip(Plan& plan, std::size_t node)
{
    if (node == 0 || node >= plan.nodes.size() || !plan.nodes[node].Buildable())
        return;
    plan.nodes[node].pinned = !plan.nodes[node].build;
    Recompute(plan);
}

void KeepPins(Plan& plan, const Plan& before)
{
    if (plan.nodes.size() != before.nodes.size())
        return;
    for (std::size_t i = 0; i < plan.nodes.size(); ++i)
        if (plan.nodes[i].typeId != before.nodes[i].typeId)
            return;
    for (std::size_t i = 0; i < plan.nodes.size(); ++i)
        plan.nodes[i].pinned = before.nodes[i].pinned;
    Recompute(plan);
}

std::string DurationText(std::int64_t seconds)
{
    // Carried as the sheet carries its times, so both agree on every value.
    return times::CarriedTimeText(0, 0, 0, seconds, std::numeric_limits<std::int64_t>::max());
}

std::string ShoppingText(const Plan& plan, const NumberFormat& fmt)
{
    std::string text;
    for (const ShoppingItem& item : plan.shopping)
        text += std::string(pricing::MaterialName(item.name)) + '\t' + ToText(item.quantity, fmt) + '\t'
            + Money(item.unitPrice, fmt) + '\t' + Money(item.cost, fmt) + '\n';
    return text;
}

std::string PlanCsv(const Plan& plan)
{
    const NumberFormat& dot = kDotFormat;
    std::string csv
        = "Depth,Item,Quantity,Choice,Runs,Batch,Surplus,ML,PL,Unit Price,Cost,Build Time,Market Price\r\n";
    const auto line = [&csv](std::initializer_list<std::string> fields) {
        bool first = true;
        for (const std::string& field : fields) {
            if (!first)
                csv += ',';
            csv += storage::CsvField(field);
            first = false;
        }
        csv += "\r\n";
    };

    std::vector<std::pair<std::size_t, int>> stack{{0, 0}};
    while (!stack.empty()) {
        const auto [i, depth] = stack.back();
        stack.pop_back();
        const Node& n = plan.nodes[i];
        const bool made = n.Buildable();
        const std::string choice = n.cycle ? "Buy (cycle)" : n.build ? "Build" : "Buy";
        // The product's market price is no part of the plan: its unit price is the sale price.
        line({IntText(depth), n.name, ToText(n.quantity, dot), choice, made ? IntText(n.runs) : "",
            made ? IntText(n.batch) : "", made ? ToText(n.surplus, dot) : "", made ? IntText(n.ml) : "",
            made ? IntText(n.pl) : "", Money(n.unitCost, dot), Money(n.cost, dot),
            n.build ? DurationText(n.seconds) : "", i == 0 ? "" : Money(n.unitPrice, dot)});
        if (n.build)
            for (auto it = n.children.rbegin(); it != n.children.rend(); ++it)
                stack.emplace_back(*it, depth + 1);
    }

    const Totals& t = plan.totals;
    const auto total = [&](const char* what, const std::string& value) {
        line({"", what, "", "", "", "", "", "", "", "", value, "", ""});
    };
    total("Total cost", Money(t.cost, dot));
    total("Cost per unit", Money(t.costPerUnit, dot));
    total("Revenue", Money(t.revenue, dot));
    total("Profit", Money(t.profit, dot));
    total("Profit per unit", Money(t.profitPerUnit, dot));
    line({"", "Total build time", "", "", "", "", "", "", "", "", "", DurationText(t.seconds), ""});
    // Each skill as the totals are written: its name, and its level in the Quantity column.
    for (const Skill& skill : plan.skills)
        line({"", skill.name, IntText(skill.level), "", "", "", "", "", "", "", "", "", ""});
    return csv;
}

} // namespace brenta::plan
