#include "accounting/assets/Depreciation.h"

#include <gtest/gtest.h>

#include <limits>

namespace vb::assets {
namespace {

TEST(DepreciationTest, ValueFallsThirtyPerCentAYearRoundedToTheCent)
{
    const struct { qint64 cents; int years; qint64 expected; } cases[] = {
        {100000, 3, 34300},          // 1000.00 × 0.343
        {100000, 1, 70000},
        {100000, 0, 100000},         // bought this year
        {100000, -2, 100000},        // a later year keeps the price
        {1, 1, 1},                   // 0.7 cent rounds up
        {5, 2, 2},                   // 2.45 cents rounds down
        {50, 2, 25},                 // 24.5 cents: half away from zero
        {-50, 2, -25},
        {123456789, 10, 3487349},    // 1234567.89 × 0.0282475249
        {100000, 40, 0},             // 0.064 cent
        {100000, 25, 13},            // 1000 × 0.7^25 = 0.1341 euro
        {std::numeric_limits<qint64>::max(), 130, 0},
        {std::numeric_limits<qint64>::max(), 1, 6456360425798343065}, // exact, no overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cents << " cents, " << c.years << " years");
        EXPECT_EQ(c.expected, depreciatedValue(Money::fromCents(c.cents), c.years).cents());
    }
}

} // namespace
} // namespace vb::assets
