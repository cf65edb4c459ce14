#pragma once

// The blueprints of the catalogue ordered by how deep the build plan of one run goes,
// the larger plan first on a tie: the hardest trees the benchmarks take.

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "calc/BuildPlan.h"

namespace brenta::bench {

inline int Depth(const plan::Plan& p, std::size_t node)
{
    int depth = 0;
    for (std::size_t n = node; p.nodes[n].parent != plan::kNoParent; n = p.nodes[n].parent)
        ++depth;
    return depth;
}

inline std::vector<std::int16_t> DeepestFirst(const Catalogue& cat, const pricing::Builders& builders)
{
    std::vector<std::tuple<int, std::size_t, std::int16_t>> sizes;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i) {
        const plan::Plan p = plan::Make(plan::Job{i, 1, 0, 0}, 0, cat, builders, plan::Player{});
        int depth = 0;
        for (std::size_t n = 0; n < p.nodes.size(); ++n)
            depth = std::max(depth, Depth(p, n));
        // The earlier blueprint first among equals.
        sizes.emplace_back(depth, p.nodes.size(), static_cast<std::int16_t>(-i));
    }
    std::sort(sizes.rbegin(), sizes.rend());
    std::vector<std::int16_t> order;
    order.reserve(sizes.size());
    for (const auto& [depth, size, negated] : sizes)
        order.push_back(static_cast<std::int16_t>(-negated));
    return order;
}

} // namespace brenta::bench
