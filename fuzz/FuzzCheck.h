#pragma once

// What every fuzz target shares: the two number formats a player's locale can give,
// and a check that stops the run with a message when a reader breaks its promise.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::fuzz {

inline const NumberFormat kFormats[] = {
    NumberFormat::FromDecimalSeparator('.'),
    NumberFormat::FromDecimalSeparator(','),
};

// A broken promise is a finding: libFuzzer keeps the input that caused it.
inline void Check(bool holds, const char* promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

inline std::string_view Text(const unsigned char* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace brenta::fuzz
