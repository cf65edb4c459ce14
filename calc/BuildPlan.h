#pragma once

// The build plan: the whole production tree of the shown blueprint's job. Every
// material of the sheet is a node with the sheet's own total; a node whose item
// has a builder can be built from it, its children being the builder's materials
// for the runs the node needs, and so on down. Each buildable node is built or
// bought, by default whichever is cheaper, decided from the leaves up; the player
// can pin any node either way. What is bought makes the shopping list, what is
// built takes time, and the product's price against the cost is the profit.
// A cost or total beyond the 64-bit float range is not computed (nothing), never a
// Failure: the plan stays on display and says which figure stopped it (Trouble).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Numbers.h"
#include "calc/AutoPrice.h"
#include "calc/Sheet.h"
#include "catalogue/Catalogue.h"

namespace brenta::plan {

// The player's side of every job in the plan.
struct Player {
    NumberFormat fmt;
    int pe = 0; // Production Efficiency level, 0..5
    int industry = 0; // Industry level, 0..5, cuts build time
    double matMult = 1; // the assembly array's material multiplier
    double timeMult = 1; // the assembly array's time multiplier
};

// The job on the sheet: the shown blueprint at the levels and runs of its boxes.
struct Job {
    std::int16_t blueprint = 0;
    std::int32_t runs = 1;
    std::int32_t ml = 0;
    std::int32_t pl = 0;
    // The unit prices of the blueprint's own materials as the sheet has them, by
    // type ID, so the plan costs the job as the sheet does; a material not in it,
    // and everything further down, costs its stored price.
    std::map<std::int32_t, double> prices = {};
};

struct Skill {
    std::int32_t typeId;
    std::string name;
    std::int32_t level;
};

// Which level of a build a failure comes from.
enum class Level { ML, PL };

// A failure a build's level causes: an ML whose waste cannot be computed, a PL
// whose build time cannot.
class LevelFailure : public Failure {
public:
    LevelFailure(Level level, const std::string& what);
    Level level;
};

// A material a build takes: its item, its kind by the sheet's rule (never an empty
// or a skill row) and one run's base quantity.
struct RecipeMaterial {
    std::int32_t typeId;
    std::string name;
    sheet::RowKind kind;
    std::int32_t quantity;
};

// A blueprint built at an ML and a PL by the player: the waste fraction of its
// regular materials, the build time of one run after the player's skills and the
// assembly array, its materials in list order and the skills it requires.
struct Recipe {
    double wasteFraction = 0;
    std::int32_t secondsPerRun = 0;
    std::vector<RecipeMaterial> materials;
    std::vector<Skill> skills;

    // The units of material m that runs take: the sheet's total of its row. A waste
    // the ML makes impossible is a LevelFailure of the ML.
    double UnitsFor(const RecipeMaterial& m, std::int32_t runs, const NumberFormat& fmt) const;
};

// The recipe of blueprint index blueprint at ml and pl, the one reading of a
// builder that the build plan and the production project share. A record that
// cannot be read is a Failure; a level that makes the waste or the time impossible
// a LevelFailure.
Recipe RecipeOf(
    std::int16_t blueprint, std::int32_t ml, std::int32_t pl, const Catalogue& cat, const Player& player);

// A figure of the plan: nothing when it is beyond the 64-bit float range.
using Figure = std::optional<double>;

inline constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

struct Node {
    std::int32_t typeId = 0; // the item; 0 for the product when the catalogue names no such item
    std::string name; // display name with kind prefix; the blueprint's item name for the product
    std::size_t parent = kNoParent;
    std::vector<std::size_t> children; // the builder's materials for this node's runs, in list order
    double quantity = 0; // units needed, waste included
    double unitPrice = 0; // the stored price of one unit

    std::optional<std::int16_t> builder; // the blueprint that builds it, when one does
    bool cycle = false; // its builder is already on the way up: bought, never expanded
    std::int32_t runs = 0; // runs of the builder that make the quantity
    std::int32_t batch = 0; // units one run of the builder makes
    double surplus = 0; // units made beyond the quantity
    std::int32_t ml = 0; // the builder's owned levels, 0 when not owned
    std::int32_t pl = 0;
    std::int64_t seconds = 0; // build time of the runs, with the player's skills
    std::vector<Skill> skills; // the builder's skill rows, the level as the quantity

    std::optional<bool> pinned; // the player's choice; nothing leaves it to the price
    bool build = false; // built (true) or bought, as decided
    Figure builtCost = 0.0; // what building costs: the children as each is decided
    Figure cost = 0.0; // what this node costs the job as decided
    // One unit as decided: the built cost per unit when built, the stored price
    // when bought; for the product the sale price.
    Figure unitCost = 0.0;

    bool Buildable() const { return builder.has_value() && !cycle; }
    // Quantity times the stored price; nothing beyond the float range.
    Figure BuyCost() const;
};

struct ShoppingItem {
    std::int32_t typeId;
    std::string name;
    double quantity;
    double unitPrice;
    Figure cost;
};

struct Totals {
    Figure cost = 0.0; // everything bought
    Figure costPerUnit = 0.0; // per unit of the product made
    std::int64_t seconds = 0; // every built job one after the other
    Figure revenue = 0.0; // the product's price times the units made
    Figure profit = 0.0;
    Figure profitPerUnit = 0.0;
};

// The plan: nodes[0] is the product, always built, made by the job's runs.
struct Plan {
    std::vector<Node> nodes;
    Figure productPrice = 0.0; // nothing when the sale price is not known
    Totals totals;
    std::vector<Skill> skills; // every skill a built job requires, at its highest level
    std::vector<ShoppingItem> shopping; // by cost, largest first
};

// The item a blueprint builds: the catalogue's item whose name without kind prefix
// is the blueprint's builder name, nothing when no item has that name.
class Products {
public:
    explicit Products(const Catalogue& cat);
    std::optional<std::int32_t> Find(std::string_view builderName) const;

private:
    std::vector<std::pair<std::string_view, std::int32_t>> byName_; // sorted by name
};

// An owned record whose level the plan cannot read (not a whole number, or beyond
// 32 bits): the blueprint and the level ("ML" or "PL") are named, so the player can
// be told which record to correct.
class OwnedLevelFailure : public Failure {
public:
    OwnedLevelFailure(std::int16_t blueprint, std::string level, std::string text);
    std::int16_t blueprint; // the owned blueprint's index
    std::string level; // "ML" or "PL"
    std::string text; // the level as the record holds it
};

// The plan of the job, every choice left to the price. A record that cannot be
// read or a quantity beyond its width is a Failure; an owned level that cannot be
// read is an OwnedLevelFailure. productPrice: what one unit of the product sells
// for; nothing leaves the revenue and the profit not computed.
Plan Make(const Job& job, Figure productPrice, const Catalogue& cat, const pricing::Builders& builders,
    const Player& player);

// Decides every unpinned node by the price and writes the costs, the totals, the
// skills and the shopping list again. Make and Flip end with it; call it after
// pinning nodes or changing productPrice.
void Recompute(Plan& plan);

// Pins a buildable node to the other choice than it has now and recomputes. The
// product, and a node that cannot be built, stay as they are.
void Flip(Plan& plan, std::size_t node);

// Copies the pins of another plan of the same blueprint: its tree has the same
// shape whatever the runs and levels, so each node keeps the player's choice.
void KeepPins(Plan& plan, const Plan& before);

// Why a figure of the plan is not computed, naming the item or the total that goes
// beyond the float range; empty when every figure is computed.
std::string Trouble(const Plan& plan, const NumberFormat& fmt);

// A cost too long for its place, in a short form that cannot be read as another
// number: four significant digits and the power of ten ("1.597E+13 ISK"), in the
// locale's decimal separator. Below 10^4 the cost text itself.
std::string ShortCostText(double cost, const NumberFormat& fmt);

// The text of a figure not computed, wherever one is written.
inline constexpr std::string_view kNotComputed = "not computed";

// Time text of a duration: "<d>D <h>H <m>M <s>S", as the sheet writes its times.
std::string DurationText(std::int64_t seconds);

// The shopping list as tab-separated lines (item, quantity, unit price, cost),
// each ended by a line break, in the locale's decimal separator, without digit
// groups; a cost not computed is written as kNotComputed.
std::string ShoppingText(const Plan& plan, const NumberFormat& fmt);

// The plan as CSV: a header line, one line per node the job reaches (the product,
// and below every built node its materials) in tree order with its depth, then the
// totals, then one line per required skill with its level; CR LF line ends, "." as
// decimal point, RFC 4180 quoting. A node's Unit Price is its unitCost (so Quantity
// times Unit Price is its Cost), its Market Price the stored price; a figure not
// computed is written as kNotComputed.
std::string PlanCsv(const Plan& plan);

} // namespace brenta::plan
