#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fish/fish_placement.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"
#include "fish/line_angle.h"
#include "unit/fish_test_support.h"

namespace reef {
namespace {

using test::ScopedRandomState;
using test::SettledFish;

TEST(LineAngle, AnglesBetweenLinesStayFinite) {
    struct Case {
        PlanePoint a1, b1, a2, b2;
        float expected;  // degrees
    } cases[] = {
        {{0, 0}, {1, 0}, {5, 5}, {6, 5}, 0},                 // parallel
        {{0, 0}, {1, 0}, {0, 0}, {1, 1}, 45},                //
        {{0, 0}, {1, 1}, {0, 0}, {-1, 1}, 89.997f},          // 1 + m1 m2 = 0: x 10000
        {{0, 0}, {1, 0}, {2, 0}, {2, 3}, 89.998f},           // vertical: dv x 10000
        {{2, 0}, {2, 3}, {7, 1}, {7, -4}, 0},                // two vertical lines
        {{0, 0}, {0, 0}, {0, 0}, {0, 0}, 0},                 // points, not lines
        {{0, 0}, {0.00005f, 1}, {0, 0}, {1, 0}, 89.998f},    // nearly vertical
        {{0, 0}, {1e-4f, 1e6f}, {0, 0}, {-1e-4f, 1e6f}, 0},  // huge slopes, same sign
    };
    for (const Case& c : cases) {
        const float angle = LineAngle(c.a1, c.b1, c.a2, c.b2);
        EXPECT_TRUE(std::isfinite(angle));
        EXPECT_NEAR(angle, c.expected, 0.01f)
            << c.b1.u << "," << c.b1.v << " / " << c.b2.u << "," << c.b2.v;
    }
}

// A tank whose fish are built under a known generator state, all parked at the origin with
// the start-up box about it.
class FishTankTest : public ::testing::Test {
protected:
    ScopedRandomState random{1};
    FishTank tank;

    // Puts a settled fish into a slot.
    Fish& Put(int slot, Vec3 at, float heading, float targetPitch = 0.0f) {
        tank.fish[slot] = SettledFish(at, heading, targetPitch);
        return tank.fish[slot];
    }
};

TEST_F(FishTankTest, SteepCrossingSwervesTheAvoidingFish) {
    Fish& a = Put(10, {0, 0, -60}, 0);
    Put(11, {0.5f, 0, -60}, 0, 30);  // climbing at 30 degrees across a's path
    random.predictor = ProcessRandom();
    AvoidCollisions(tank, 10);
    // a lies behind the leader's depth (z 0), so side 0: toward -x that adds.
    EXPECT_FLOAT_EQ(a.targetHeading, static_cast<float>(10 + random.predictor.Next() % 10));
    EXPECT_TRUE(random.InStep());
}

TEST_F(FishTankTest, HeadOnTheOtherFishTurnsAboutUnlessItIsBigger) {
    Fish& a = Put(10, {0, 0, -60}, 0);
    Fish& b = Put(11, {0.5f, 0, -60}, 180);
    AvoidCollisions(tank, 10);
    EXPECT_FLOAT_EQ(a.targetHeading, 0.0f);
    EXPECT_FLOAT_EQ(b.targetHeading, 360.0f);

    Put(10, {30, 0, -70}, 0);  // out of the way
    Fish& small = Put(12, {0, 0, -60}, 0);
    Put(11, {0.5f, 0, -60}, 180);
    small.size = 2;
    small.UpdateBoundingPoints();
    AvoidCollisions(tank, 12);
    EXPECT_FLOAT_EQ(small.targetHeading, -180.0f);
    EXPECT_FLOAT_EQ(tank.fish[11].targetHeading, 180.0f);
}

TEST_F(FishTankTest, SameWayTheFishInFrontSpeedsUp) {
    // Both swim toward -x; the one with the smaller x is in front.
    for (bool avoiderInFront : {true, false}) {
        Fish& a = Put(10, {avoiderInFront ? 0.0f : 0.5f, 0, -60}, 0);
        Fish& b = Put(11, {avoiderInFront ? 0.5f : 0.0f, 0, -60}, 0);
        a.speed = 0.05f;
        b.speed = 0.05f;
        AvoidCollisions(tank, 10);
        EXPECT_FLOAT_EQ((avoiderInFront ? a : b).speed, 0.1f);
        EXPECT_FLOAT_EQ((avoiderInFront ? b : a).speed, 0.05f);
    }
}

TEST_F(FishTankTest, CollidingFlagReflectsTheLastSlotTested) {
    Fish& a = Put(10, {0, 0, -60}, 0);
    Fish& b = Put(11, {0.5f, 0, -60}, 0);
    AvoidCollisions(tank, 10);
    EXPECT_FALSE(a.colliding);  // cleared again by slots 12..49
    EXPECT_TRUE(b.colliding);

    Put(49, {0.5f, 0, -60}, 0);
    AvoidCollisions(tank, 10);
    EXPECT_TRUE(a.colliding);

    // Nothing near: no flag, no change.
    Fish& lone = Put(20, {30, 0, -70}, 0);
    AvoidCollisions(tank, 20);
    EXPECT_FALSE(lone.colliding);
    EXPECT_FLOAT_EQ(lone.targetHeading, 0.0f);
}

TEST_F(FishTankTest, ProximityNudgesTheLowerSlotAwayVertically) {
    struct Case {
        float pY, qY;
        int fishCount;
        float expectedPitch;
    } cases[] = {
        {1, -3, 11, 1},   // above its neighbour: climbs
        {-3, 1, 11, -1},  // below: dives
        {1, -3, 10, 0},   // slot 10 is beyond the fish count
        {1, -4, 11, 0},   // 5 apart is not near
    };
    for (const Case& c : cases) {
        Put(0, {0, c.pY, -60}, 0);
        Put(10, {2, c.qY, -62}, 0);
        RunFishRules(tank, 0);
        RunFishRules(tank, 10);
        tank.fish[0].targetPitch = 0;  // the avoidance of the two runs is not what is tested
        tank.fish[10].targetPitch = 0;
        RunProximityRule(tank, c.fishCount);
        EXPECT_FLOAT_EQ(tank.fish[0].targetPitch, c.expectedPitch) << c.pY << " " << c.qY;
        EXPECT_FLOAT_EQ(tank.fish[10].targetPitch, 0.0f);
    }
}

// The followers' entries are never recorded. They all share their start position, and if they
// counted, every follower would be pushed down by each follower after it, every frame, until
// it lies on the floor of the tank.
TEST_F(FishTankTest, EntriesNeverRecordedKeepNoFishApart) {
    for (int slot = 0; slot < 21; ++slot) {
        Put(slot, {static_cast<float>(6 * slot - 60), static_cast<float>(slot % 7), -60}, 0);
        RunFishRules(tank, slot);
    }
    Put(11, {-60, 0.5f, -61}, 0);  // a free swimmer just above the leader
    RunFishRules(tank, 11);
    for (Fish& fish : tank.fish) {
        fish.targetPitch = 0;  // only the proximity rule is looked at
    }
    RunProximityRule(tank, 21);
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_FLOAT_EQ(tank.fish[slot].targetPitch, 0.0f) << "follower " << slot;
    }
    EXPECT_FLOAT_EQ(tank.fish[0].targetPitch, -1.0f);  // a recorded neighbour still counts
}

TEST_F(FishTankTest, FollowerRuleOfFishOneHoldsTheLeaderAtHalfSpeed) {
    struct Case {
        float start, expected;
    } cases[] = {{0.1f, 0.05f}, {0.05f, 0.05f}, {0.025f, 0.025f}};
    for (const Case& c : cases) {
        Fish& leader = Put(0, {0, 0, -60}, 0);
        leader.speed = c.start;
        RunFishRules(tank, 1);
        EXPECT_FLOAT_EQ(leader.speed, c.expected) << c.start;
        EXPECT_EQ(tank.fish[1].state, kStateFollow);
    }
}

TEST_F(FishTankTest, FollowersSpeedUpWithinReachAndSlowDownClose) {
    struct Case {
        float x, expected;
    } cases[] = {
        {20, 0.1f},    // within 100 of the leader's tail: full speed
        {150, 0.05f},  // out of reach: untouched
        {3, 0.05f},    // within 10: up, then down again
    };
    for (const Case& c : cases) {
        Put(0, {0, 0, -60}, 0);
        Fish& follower = Put(3, {c.x, 0, -60}, 0);
        follower.speed = 0.05f;
        RunFishRules(tank, 4);  // slot 4 steers fish 3
        EXPECT_FLOAT_EQ(follower.speed, c.expected) << c.x;
    }
}

TEST_F(FishTankTest, FishNineIsSteeredByNoFollowerRule) {
    Put(0, {0, 0, -60}, 0);
    Fish& eight = Put(8, {20, 0, -60}, 0);
    Fish& nine = Put(9, {20, 0, -62}, 0);
    eight.speed = 0.05f;
    nine.speed = 0.05f;
    for (int slot = 0; slot < 10; ++slot) {
        RunFishRules(tank, slot);
    }
    EXPECT_FLOAT_EQ(eight.speed, 0.1f);
    EXPECT_FLOAT_EQ(nine.speed, 0.05f);
    EXPECT_EQ(nine.state, kStateFollow);
}

TEST_F(FishTankTest, AFollowerPointedAtTheLeaderNudgesItsPitch) {
    Put(0, {0, 0, -60}, 0);
    Fish& aligned = Put(2, {10, 0, -60}, 0);  // nose points at the leader's centre
    Fish& offside = Put(3, {10, 0, -50}, 0);  // 45 degrees off in x-z
    RunFishRules(tank, 3);
    RunFishRules(tank, 4);
    EXPECT_FLOAT_EQ(aligned.targetPitch, 1.0f);  // nose not in front of the tail: climbs
    EXPECT_FLOAT_EQ(offside.targetPitch, 0.0f);
    // The leader lines up with the world origin instead.
    Fish& leader = Put(0, {10, 0, 0}, 0);
    RunFishRules(tank, 1);
    EXPECT_FLOAT_EQ(leader.targetPitch, 1.0f);
}

TEST_F(FishTankTest, RolesFollowTheSlotNumber) {
    Fish& free = Put(12, {5, 6, -70}, 0);
    free.state = kStateFollow;
    RunFishRules(tank, 12);
    EXPECT_EQ(free.state, kStateWander);
    EXPECT_FLOAT_EQ(tank.proximity[12].position.y, 6.0f);

    Put(3, {5, 6, -70}, 0);
    RunFishRules(tank, 3);
    EXPECT_FLOAT_EQ(tank.proximity[3].position.y, 0.0f);  // followers are not recorded

    RunFishRules(tank, 50);  // beyond the table: ignored
    RunFishRules(tank, -1);
}

TEST(FishSlots, KindsInKindOrderAtMostFifty) {
    struct Case {
        std::vector<int> counts;
        int fishCount;
        std::vector<int> firstKinds;
    } cases[] = {
        {{2, 0, 3}, 5, {0, 0, 2, 2, 2}},
        {{-4, 2, -1, 1}, 3, {1, 1, 3}},  // negative counts are empty
        {{0}, 0, {}},
        {{50, 10}, 50, {0, 0}},  // only the first 50 slots exist
        {{45, 4, 4}, 50, {0}},
    };
    for (const Case& c : cases) {
        SlotAssignment slots = AssignSlots(c.counts.data(), static_cast<int>(c.counts.size()));
        EXPECT_EQ(slots.fishCount, c.fishCount);
        for (std::size_t i = 0; i < c.firstKinds.size(); ++i) {
            EXPECT_EQ(slots.kind[i], c.firstKinds[i]) << "slot " << i;
        }
    }
    const int big[] = {45, 4, 4};
    SlotAssignment slots = AssignSlots(big, 3);
    EXPECT_EQ(slots.kind[48], 1);
    EXPECT_EQ(slots.kind[49], 2);
    EXPECT_EQ(AssignSlots(nullptr, 15).fishCount, 0);
}

// A floor that says where each vertex was read, and records the reads.
class RecordingFloor : public FloorHeights {
public:
    Vec3 Vertex(int row, int column) const override {
        reads.push_back({row, column});
        return {static_cast<float>(row - 54), 0.5f, static_cast<float>(column - 50)};
    }
    struct Read {
        int row, column;
    };
    mutable std::vector<Read> reads;
};

TEST(FishPlacement, ColumnsThenFloorInTheDrawOrder) {
    ScopedRandomState random(1);
    FishTank tank;
    random.predictor = ProcessRandom();
    RecordingFloor floor;
    const TankBox box = test::WideTank();
    PlaceFish(tank, box, floor);

    RandomGenerator& p = random.predictor;
    for (int slot = 0; slot < 25; ++slot) {
        const float y = static_cast<float>(p.Next() % 10);
        if (slot < 10) {
            const Vec3& at = tank.fish[slot].position;
            EXPECT_FLOAT_EQ(at.x, slot == 1 ? -10.0f : 10.0f * static_cast<float>(slot / 5));
            EXPECT_FLOAT_EQ(at.z, -70.0f - 10.0f * static_cast<float>(slot % 5));
            EXPECT_FLOAT_EQ(at.y, y);
        }
    }
    ASSERT_EQ(floor.reads.size(), 40u);
    for (int slot = 10; slot < 50; ++slot) {
        const int r1 = p.Next(), r2 = p.Next(), r3 = p.Next(), r4 = p.Next();
        for (int i = 0; i < 7; ++i) {
            p.Next();
        }
        const RecordingFloor::Read& read = floor.reads[slot - 10];
        EXPECT_EQ(read.row, r3 % 108);
        EXPECT_EQ(read.column, 15 + r4 % 30);
        const Vec3& at = tank.fish[slot].position;
        EXPECT_FLOAT_EQ(at.x, static_cast<float>(read.row - 54));
        EXPECT_FLOAT_EQ(at.y, -21.0f - 0.5f + static_cast<float>(r1 % 50) + 10.0f);
        EXPECT_FLOAT_EQ(at.z,
                        static_cast<float>(read.column - 50) - 50.0f + static_cast<float>(r2 % 20));
    }
    EXPECT_TRUE(random.InStep());
    for (const Fish& fish : tank.fish) {
        EXPECT_FLOAT_EQ(fish.bounds.top, 31.0f);
        EXPECT_FLOAT_EQ(fish.bounds.front, -41.0f);
    }
}

TEST(FishPlacement, ATankWithoutWidthUsesTheFirstRow) {
    ScopedRandomState random(1);
    FishTank tank;
    RecordingFloor floor;
    TankBox box = test::WideTank();
    box.minX = box.maxX = 0.0f;
    PlaceFish(tank, box, floor);
    ASSERT_EQ(floor.reads.size(), 40u);
    for (const RecordingFloor::Read& read : floor.reads) {
        EXPECT_EQ(read.row, 0);
    }
}

}  // namespace
}  // namespace reef
