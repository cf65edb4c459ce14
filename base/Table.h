#pragma once

// A checked look-up in a table: an index outside it is a Failure, caught where the
// core catches its failures, never undefined behaviour or a crash.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Failure.h"

namespace brenta {

template <typename T>
typename std::vector<T>::const_reference At(const std::vector<T>& table, std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(table.size()))
        throw Failure("Index " + std::to_string(index) + " outside the table");
    return table[static_cast<std::size_t>(index)];
}

} // namespace brenta
