#pragma once

// A checked look-up in a table: an index outside it is a Failure, caught where the
// core catches its failures, never undefined behaviour or a crash.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <ranges>
#include <string>

#include "base/Failure.h"

namespace brenta {

// table is any indexed table with a size: a std::vector (the catalogue's arrays) or
// a std::array (the windows' fixed rows of controls).
template <typename Table>
requires std::ranges::random_access_range<const Table> && std::ranges::sized_range<const Table>
decltype(auto) At(const Table& table, std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(std::size(table)))
        throw Failure("Index " + std::to_string(index) + " outside the table");
    return table[static_cast<std::size_t>(index)];
}

} // namespace brenta
