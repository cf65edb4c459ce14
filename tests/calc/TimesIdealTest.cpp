#include "calc/Ideal.h"
#include "calc/Times.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <variant>

#include "base/Failure.h"
#include "calc/modWastage.h"

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
        EXPECT_EQ(times::RunningTime(c.base, c.level, c.skillMult, c.posMult, c.runs), c.text)
            << c.base << " x" << c.runs;
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
        {600, 120, 0, 600},
        {600, 120, 1, 540},
        {600, 120, 5, 500},
        {20000, 4000, 3, 17000},
        {3000, 3600, 5, 0},
        {3000, 3600, 6, -86},
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
        {134, 676, 0.1, 135},
        {7, 39, 0.1, 7},
        {55, 280, 0.1, 56},
        {0, 2, 0.1, 0},
        {0, 1, 0.1, 0},
        {140, 676, 0.1, 135},
        {-3, 676, 0.1, 0},
        {0, 676, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ideal::CheckIdeal(c.estimate, c.base, c.factor, fmt), c.ideal)
            << c.base << " from " << c.estimate;
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
        {0, 135, 676, 0.1, 1, false},
        {134, 135, 676, 0.1, 135, false},
        {135, 135, 676, 0.1, 135, true},
        {200, 135, 676, 0.1, 135, true},
        {2, 7, 39, 0.1, 7, false},
        {0, 0, 676, 0, 0, true},
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

// The level-by-level search the column started with: every level from ml + 1 up to
// the ideal, in order. The faster search must give exactly its answers and fail
// exactly where it fails.
std::optional<ideal::Improvement> NextImprovementLevelByLevel(
    std::int32_t ml, std::int32_t idealML, std::int32_t base, double factor, const NumberFormat& fmt)
{
    if (ml >= idealML)
        return ideal::Improvement{idealML, true};
    const double current = modWastage::MLWaste(ml, base, factor, fmt);
    for (std::int32_t n = numbers::Add32(ml, 1);; n = numbers::Add32(n, 1)) {
        if (modWastage::MLWaste(n, base, factor, fmt) < current)
            return ideal::Improvement{n, false};
        if (n == idealML)
            return std::nullopt;
    }
}

struct Outcome {
    bool failed = false;
    std::optional<ideal::Improvement> next;
    bool operator==(const Outcome& o) const
    {
        return failed == o.failed && next.has_value() == o.next.has_value()
            && (!next || (next->level == o.next->level && next->reached == o.next->reached));
    }
};

std::ostream& operator<<(std::ostream& os, const Outcome& o)
{
    if (o.failed)
        return os << "failure";
    if (!o.next)
        return os << "unchanged";
    return os << o.next->level << (o.next->reached ? " green" : " white");
}

template <typename Search>
Outcome Run(Search search)
{
    try {
        return Outcome{false, search()};
    } catch (const Failure&) {
        return Outcome{true, std::nullopt};
    }
}

void ExpectSameAsLevelByLevel(
    std::int32_t ml, std::int32_t idealML, std::int32_t base, double factor, const NumberFormat& fmt)
{
    EXPECT_EQ(Run([&] { return ideal::NextImprovement(ml, idealML, base, factor, fmt); }), Run([&] {
        return NextImprovementLevelByLevel(ml, idealML, base, factor, fmt);
    })) << "ML "
        << ml << ", ideal " << idealML << ", base " << base << ", factor " << factor;
}

TEST_P(IdealLocales, NextImprovementFindsWhatTheLevelByLevelSearchFinds)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    // Factors above 0.2 make the waste rise from ML -1 to ML 0; negative bases and
    // factors make it rise with the level everywhere.
    const double factors[] = {0.1, 0.05, 0.25, 1, 0, 1e-9, -0.1};
    const std::int32_t bases[] = {0, 1, 2, 39, 676, 1000, 123457, 5000000, 2000000000, kMax, -676};
    const std::int32_t mls[] = {kMin, kMin + 1, -1000, -11, -2, -1, 0, 1, 2, 10, 134, 1000, 1000000};
    for (const double factor : factors)
        for (const std::int32_t base : bases)
            for (const std::int32_t ml : mls) {
                std::int32_t idealML = 0;
                try {
                    idealML = ideal::CheckIdeal(modWastage::IdealMLFor(base, factor, fmt), base, factor, fmt);
                } catch (const Failure&) {
                    continue; // no ideal: the sheet stops before the column
                }
                // Keeps the reference loop short where the waste never falls over
                // millions of levels (no quantity, or a waste that rises).
                if (static_cast<std::int64_t>(idealML) - ml > 3000000 && (base <= 0 || factor < 0))
                    continue;
                ExpectSameAsLevelByLevel(ml, idealML, base, factor, fmt);
                ExpectSameAsLevelByLevel(ml, -1, base, factor, fmt); // an ideal below 0
            }

    // The ML limit: the last level cannot be looked at, the one before it can.
    const struct {
        std::int32_t ml;
        std::int32_t ideal;
        std::int32_t base;
        double factor;
    } limits[] = {
        {kMax - 3, kMax, kMax, 1e12},
        {kMax - 1, kMax, kMax, 1e12},
        {kMax - 3, kMax, 676, 0},
        {kMax - 2, kMax - 1, 676, 0},
        {kMax - 1, kMax, 676, 0.1},
        {kMax, kMax, 676, 0.1},
        {-3, 2, kMax, 1e300},
    };
    for (const auto& c : limits)
        ExpectSameAsLevelByLevel(c.ml, c.ideal, c.base, c.factor, fmt);
    // A waste that stays flat over the whole range of levels is answered without
    // trying each of them (that took minutes).
    EXPECT_FALSE(ideal::NextImprovement(kMin + 1, kMax - 1, 0, 0.1, fmt).has_value());

    // And a sweep of ordinary quantities, factors and levels around their ideals.
    std::mt19937 random(8);
    for (int k = 0; k < 1000; ++k) {
        const std::int32_t base = std::uniform_int_distribution<std::int32_t>(1, 20000)(random);
        const double factor = std::uniform_real_distribution<double>(0, 0.3)(random);
        const std::int32_t idealML
            = ideal::CheckIdeal(modWastage::IdealMLFor(base, factor, fmt), base, factor, fmt);
        const std::int32_t ml = std::uniform_int_distribution<std::int32_t>(-20, idealML + 2)(random);
        ExpectSameAsLevelByLevel(ml, idealML, base, factor, fmt);
    }
}

} // namespace
