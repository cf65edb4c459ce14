#include "calc/Ideal.h"
#include "calc/Times.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

TEST(Times, RunningTimeSplitsMultipliesAndCarries)
{
    const struct {
        std::int32_t base;
        std::int32_t level;
        double skillMult;
        double posMult;
        std::int32_t runs;
        const char* text;
    } cases[] = {
        {600, 0, 0.04, 1, 1, "0D 0H 10M 0S"},
        {60, 0, 0.04, 1, 1, "0D 0H 1M 0S"}, // 60 is split by the carry, not by the first split
        {61, 0, 0.04, 1, 1, "0D 0H 1M 1S"},
        {20000, 5, 0.04, 0.75, 10, "1D 9H 20M 0S"},
        {12000, 5, 0.05, 0.75, 1, "0D 1H 52M 30S"},
        {12000, 0, 0.05, 1, 0, "0D 0H 0M 0S"},
        {12000, 0, 0.05, 1, -4, "-1D -14H -20M 0S"},
        {12000, 0, 0.05, 1, 71582788, "9942053D 21H 20M 0S"},
        {600, 0, 0.04, 1, 1000000, "6944D 10H 40M 0S"},
        {-86, 0, 0.04, 1, 1, "-1D -1H -2M -26S"},
        {90061, 0, 0.04, 1, 1, "1D 1H 1M 1S"},
        {45, 0, 0.04, 1, 3, "0D 0H 2M 15S"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(times::RunningTime(c.base, c.level, c.skillMult, c.posMult, c.runs), c.text) << c.base << " x" << c.runs;
}

TEST(Times, RunningTimeOverflowIsAFailure)
{
    EXPECT_THROW(times::RunningTime(59, 0, 0.04, 1, 71582789), Failure);
    EXPECT_THROW(times::RunningTime(86400 * 3, 0, 0.04, 1, 1000000000), Failure);
}

TEST(Times, BuildSecondsPerRunFollowsTheProductivityLevel)
{
    const struct {
        double p;
        double m;
        std::int32_t pl;
        std::int32_t seconds;
    } cases[] = {
        {600, 120, 0, 600}, {600, 120, 1, 540}, {600, 120, 5, 500}, {20000, 4000, 3, 17000},
        {3000, 3600, 5, 0}, {3000, 3600, 6, -86},
    };
    for (const auto& c : cases)
        EXPECT_EQ(times::BuildSecondsPerRun(c.p, c.m, c.pl), c.seconds) << c.p << " PL " << c.pl;
    EXPECT_THROW(times::BuildSecondsPerRun(600, 120, -1), Failure);
    EXPECT_THROW(times::BuildSecondsPerRun(600, 120, std::numeric_limits<std::int32_t>::max()), Failure);
    EXPECT_THROW(times::BuildSecondsPerRun(0, 0, 1), Failure);
}

class IdealLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(IdealLocales);

TEST_P(IdealLocales, CheckIdealStepsToTheLowestLevelWithoutMLWaste)
{
    const struct {
        std::int32_t estimate;
        std::int32_t base;
        double factor;
        std::int32_t ideal;
    } cases[] = {
        {134, 676, 0.1, 135}, {7, 39, 0.1, 7}, {55, 280, 0.1, 56}, {0, 2, 0.1, 0}, {0, 1, 0.1, 0},
        {140, 676, 0.1, 135}, {-3, 676, 0.1, 0}, {0, 676, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ideal::CheckIdeal(c.estimate, c.base, c.factor, fmt), c.ideal) << c.base << " from " << c.estimate;
}

TEST_P(IdealLocales, NextImprovementIsTheFirstLevelWithLessWasteOrTheReachedIdeal)
{
    const struct {
        std::int32_t ml;
        std::int32_t ideal;
        std::int32_t base;
        double factor;
        std::int32_t level;
        bool reached;
    } cases[] = {
        {0, 135, 676, 0.1, 1, false}, {134, 135, 676, 0.1, 135, false}, {135, 135, 676, 0.1, 135, true},
        {200, 135, 676, 0.1, 135, true}, {2, 7, 39, 0.1, 7, false}, {0, 0, 676, 0, 0, true},
        {-3, 135, 676, 0.1, -2, false},
    };
    for (const auto& c : cases) {
        const auto next = ideal::NextImprovement(c.ml, c.ideal, c.base, c.factor, fmt);
        ASSERT_TRUE(next.has_value()) << c.base << " at " << c.ml;
        EXPECT_EQ(next->level, c.level) << c.base << " at " << c.ml;
        EXPECT_EQ(next->reached, c.reached) << c.base << " at " << c.ml;
    }
    // No level up to the ideal wastes less: the cell keeps what it shows.
    EXPECT_FALSE(ideal::NextImprovement(-2, 0, 1, 0.1, fmt).has_value());
}

} // namespace
