#include "base/Table.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace {

using brenta::At;
using brenta::Failure;

// The catalogue's arrays and the windows' rows of controls take the same checked
// look-up: the ends are in, one step past either end is a Failure (never
// std::out_of_range, which no handler catches).
TEST(Table, AtReadsInsideAndFailsJustOutsideVectorsAndArrays)
{
    const std::vector<int> vec{10, 20, 30};
    const std::array<int, 3> arr{10, 20, 30};
    const std::vector<bool> flags{false, true};
    EXPECT_EQ(At(vec, 0), 10);
    EXPECT_EQ(At(vec, 2), 30);
    EXPECT_EQ(At(arr, 0), 10);
    EXPECT_EQ(At(arr, 2), 30);
    EXPECT_TRUE(At(flags, 1));
    EXPECT_EQ(&At(arr, 1), &arr[1]); // the element itself, not a copy
    for (const std::int64_t bad : {std::int64_t{-1}, std::int64_t{3}, std::int64_t{1} << 40}) {
        EXPECT_THROW(At(vec, bad), Failure) << bad;
        EXPECT_THROW(At(arr, bad), Failure) << bad;
    }
    EXPECT_THROW(At(std::vector<int>{}, 0), Failure);
    EXPECT_THROW(At(flags, 2), Failure);
}

} // namespace
