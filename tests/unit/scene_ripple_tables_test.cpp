#include <gtest/gtest.h>

#include <algorithm>

#include "scene/ripple_tables.h"

namespace reef {
namespace {

TEST(RippleOffsetTable, TellingRowsAndTheZeroTail) {
    struct {
        int k;
        double dirX, dirY;
        int distance;
    } rows[] = {
        {0, 0, 0, 0},
        {1, 0, 1, 25},
        {32, 1, 0, 25},
        {33, 0.707107, 0.707107, 36},
        {34, 0.447214, 0.894427, 57},
        {64, 1, 0, 51},
        {65, 0.894427, 0.447214, 57},
        {992, 1, 0, 800},                  // (31, 0): exactly 800, not 799
        {1023, 0.707107, 0.707107, 1131},  // (31, 31), the farthest entry
    };
    for (auto row : rows) {
        const RippleOffset& e = kRippleOffsetTable[row.k];
        // Six significant digits, read back as the nearest double: the same value as the literal.
        EXPECT_EQ(e.dirX, row.dirX) << row.k;
        EXPECT_EQ(e.dirY, row.dirY) << row.k;
        EXPECT_EQ(e.distance, row.distance) << row.k;
    }
    for (int k = 1024; k < kRippleOffsetCount; ++k) {
        const RippleOffset& e = kRippleOffsetTable[k];
        ASSERT_TRUE(e.dirX == 0.0 && e.dirY == 0.0 && e.distance == 0) << k;
    }
}

TEST(RippleWaveTable, TellingRowsWithinToleranceAndTheZeroTail) {
    struct {
        int r;
        double amp;
    } rows[] = {
        {1, 2.96058e-06},    {2, 0.000131057}, {5, 0.00162576},    {12, 0.0110203},
        {30, 0.0578613},     {48, 0.0961901},  {55, 0.0999838},    {100, 0.0127414},
        {115, 1.50262e-05},  {169, 0.0624766}, {228, 1.15624e-06}, {282, 0.0379234},
        {396, 0.0222607},    {509, 0.0125849}, {511, 0.0125452},   {736, 0.00350098},
        {1024, 2.89121e-09},
    };
    for (auto row : rows) {
        EXPECT_NEAR(kRippleWaveTable[row.r], row.amp, 0.000075) << row.r;
    }
    EXPECT_EQ(kRippleWaveTable[0], 0.0);
    for (int r = 2047; r < kRippleWaveCount; ++r) {
        ASSERT_EQ(kRippleWaveTable[r], 0.0) << r;
    }
    // Rows 1..2046 are the live ones: never zero, never negative.
    for (int r = 1; r <= 2046; ++r) {
        ASSERT_GT(kRippleWaveTable[r], 0.0) << r;
    }
    auto peak = std::max_element(kRippleWaveTable.begin(), kRippleWaveTable.end());
    EXPECT_EQ(peak - kRippleWaveTable.begin(), 55);
}

}  // namespace
}  // namespace reef
