#include <gtest/gtest.h>

#include <cmath>

#include "fish/fish_frame.h"
#include "fish/fish_placement.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"
#include "unit/fish_test_support.h"

namespace reef {
namespace {

using test::ScopedRandomState;

// The rolling sand floor of the wide tank: rows across x, columns from the back (z -50) forward.
class RollingFloor : public FloorHeights {
public:
    Vec3 Vertex(int row, int column) const override {
        if (column >= 49) {
            return {};
        }
        const float height = std::cos(0.1f * static_cast<float>(row + column)) *
                             static_cast<float>(50 - column) * 0.04f;
        return {static_cast<float>(row - 54), height, static_cast<float>(column - 50)};
    }
};

// True when the fish is inside its walls and its steering values are in range.
::testing::AssertionResult InsideTank(const Fish& fish) {
    const Vec3& p = fish.position;
    const FishBounds& b = fish.bounds;
    const bool finite = std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) &&
                        std::isfinite(fish.heading);
    if (finite && p.x >= b.xMin && p.x <= b.xMax && p.y >= b.bottom && p.y <= b.top &&
        p.z >= b.Back() && p.z <= b.front && fish.speed >= 0.025f && fish.speed <= 0.1f &&
        std::fabs(fish.targetHeading) <= 360.0f && std::fabs(fish.targetPitch) <= 45.0f) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "at " << p.x << ", " << p.y << ", " << p.z
                                         << " heading " << fish.heading << " speed " << fish.speed;
}

TEST(FishScenario, AFishDrivenIntoAWallTurnsBackAndStaysInTheTank) {
    ScopedRandomState random(1);
    FishTank tank;
    Fish& fish = tank.fish[0];
    fish = test::SettledFish({-40, 0, -60}, 0);  // swimming straight at x min
    int counts[kFishKinds] = {1};
    const SlotAssignment slots = AssignSlots(counts, kFishKinds);

    int hitFrame = -1;
    float leastX = 0.0f;
    for (int frame = 0; frame < 100000; ++frame) {
        SimulateFrame(tank, slots);
        ASSERT_TRUE(InsideTank(fish)) << "frame " << frame;
        if (hitFrame < 0 && fish.wallHit == kWallXMin) {
            hitFrame = frame;
            leastX = fish.position.x;
        }
        if (hitFrame >= 0 && frame == hitFrame + 200) {
            // Turned about and swimming back into the tank.
            EXPECT_TRUE(fish.direction.headingPlusX);
            EXPECT_GT(fish.position.x, leastX + 2.0f);
        }
    }
    EXPECT_GT(hitFrame, 0);
    EXPECT_LT(hitFrame, 200);  // 14 units at 0.1 a frame
}

TEST(FishScenario, AFullTankKeepsSwimmingInsideItsWalls) {
    ScopedRandomState random(1);
    FishTank tank;
    RollingFloor floor;
    PlaceFish(tank, test::WideTank(), floor);
    int counts[kFishKinds] = {10, 10, 10, 10, 10};
    const SlotAssignment slots = AssignSlots(counts, kFishKinds);

    Vec3 start[kFishSlots];
    float travelled[kFishSlots] = {};
    for (int slot = 0; slot < kFishSlots; ++slot) {
        start[slot] = tank.fish[slot].position;
    }
    for (int frame = 0; frame < 20000; ++frame) {
        SimulateFrame(tank, slots);
        for (int slot = 0; slot < kFishSlots; ++slot) {
            const Fish& fish = tank.fish[slot];
            ASSERT_TRUE(InsideTank(fish)) << "slot " << slot << " frame " << frame;
            travelled[slot] += std::fabs(fish.position.x - start[slot].x) +
                               std::fabs(fish.position.z - start[slot].z);
            start[slot] = fish.position;
        }
    }
    for (int slot = 0; slot < kFishSlots; ++slot) {
        EXPECT_GT(travelled[slot], 100.0f) << "slot " << slot << " hardly moved";
    }
}

}  // namespace
}  // namespace reef
