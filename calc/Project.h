#pragma once

// The production project: several jobs planned as one. Every item's need is summed
// over all jobs before its builder's runs are rounded up to whole batches, so jobs
// that share a component share its batches and its surplus. The stock on hand is
// used before anything is bought or built. Build or buy follows the build plan's
// rules: the cheaper, decided from the leaves up, a tie buys, the player's choice
// for an item applies wherever the item appears, and an item whose builder is
// already on the way up is bought and marked.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calc/AutoPrice.h"
#include "calc/BuildPlan.h"
#include "catalogue/Catalogue.h"

namespace brenta::project {

using plan::Figure;

// One job of the project, its levels as the plan uses them.
struct Job {
    std::int16_t blueprint = 0; // blueprint index
    std::int32_t runs = 1;
    std::int32_t ml = 0;
    std::int32_t pl = 0;
    Figure salePrice; // one unit of the product; nothing when not known
};

struct Input {
    std::vector<Job> jobs;
    std::map<std::int32_t, double> stock; // item type ID: units on hand
    std::map<std::int32_t, bool> flips; // item type ID: built (true) or bought
};

// One item of the combined plan.
struct Item {
    std::int32_t typeId = 0;
    std::string name; // display name with kind prefix
    bool cycle = false; // needed where its builder is already on the way up: bought, never expanded
    double need = 0; // units all jobs need, waste included, before stock
    double stockUsed = 0;
    double stockLeft = 0;
    double net = 0; // need less the stock used: what is built or bought
    double unitPrice = 0; // the stored price
    std::optional<std::int16_t> builder;
    std::int32_t batch = 0;
    std::int32_t runs = 0; // builder runs that make the net need
    double surplus = 0;
    std::int32_t ml = 0; // the builder's levels: owned, else 0
    std::int32_t pl = 0;
    bool owned = false;
    std::int64_t seconds = 0;
    std::optional<bool> pinned; // the player's choice
    bool build = false;
    Figure buyCost = 0.0; // net times the stored price
    Figure builtCost = 0.0; // what building the runs costs, materials as decided
    Figure cost = 0.0; // as decided
    std::vector<std::size_t> jobs; // the jobs that need it, by position in Input::jobs
    std::vector<plan::Skill> skills; // its builder's skills

    bool Buildable() const { return builder.has_value() && !cycle; }
    // What building saves over buying, for an item that can be built.
    Figure Saving() const;
};

struct JobResult {
    std::int16_t blueprint = 0;
    std::string name; // the product's display name
    double units = 0; // runs times the batch
    std::int64_t seconds = 0; // the product's own build time
    Figure aloneCost; // the job's build plan on its own, the same choices, no stock
    Figure revenue;
    Figure profit; // revenue less the cost alone
};

struct ShoppingItem {
    std::int32_t typeId;
    std::string name;
    double quantity; // net of stock
    double unitPrice;
    Figure cost;
    std::vector<std::size_t> jobs; // the jobs that need it
};

struct Totals {
    Figure cost = 0.0; // after stock: everything bought
    Figure aloneCost = 0.0; // the jobs planned one by one
    Figure saved = 0.0; // what sharing and stock saved: aloneCost - cost
    std::int64_t seconds = 0;
    Figure revenue = 0.0; // nothing when a job's sale price is not known
    Figure profit = 0.0;
    Figure margin; // profit as a percentage of revenue; nothing without revenue
};

struct Result {
    std::vector<JobResult> jobs;
    std::vector<Item> items; // every item the project reaches, parents before their materials
    std::vector<ShoppingItem> shopping; // largest cost first; items the stock covers left out
    std::vector<plan::Skill> skills; // at their highest level
    Totals totals;
};

// Plans the project. A record that cannot be read is a Failure, an owned level the
// plan cannot read an OwnedLevelFailure, as for the build plan.
Result Plan(
    const Input& input, const Catalogue& cat, const pricing::Builders& builders, const plan::Player& player);

} // namespace brenta::project
