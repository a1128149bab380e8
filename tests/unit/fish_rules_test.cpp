#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fish/fish.h"
#include "unit/fish_test_support.h"

namespace reef {
namespace {

using test::ScopedRandomState;
using test::SettledFish;

TEST(FishStartValues, DrawMouthPeriodThenBehaviourCounter) {
    ScopedRandomState random(1);
    Fish fish;
    EXPECT_EQ(fish.mouth.period, 15 + random.predictor.Next() % 20);
    EXPECT_EQ(fish.behaviourCounter, random.predictor.Next() % 200);
    EXPECT_TRUE(random.InStep());
    EXPECT_FLOAT_EQ(fish.speed, 0.1f);
    EXPECT_EQ(fish.size, 3);
    EXPECT_EQ(fish.state, kStateWander);
    EXPECT_TRUE(fish.mouth.closed);
    EXPECT_TRUE(fish.drawable);
}

TEST(FishSpeed, StepsTowardTargetAndStaysInRange) {
    struct Case {
        float start, step, target, expected;
    } cases[] = {
        {0.05f, 0.05f, 0.1f, 0.1f},     // climbs by the step
        {0.1f, 0.05f, 0.4f, 0.1f},      // never above 0.1
        {0.1f, 0.1f, 0.025f, 0.025f},   // the wall brake: 0.0 is lifted to the floor 0.025
        {0.1f, 0.05f, 0.075f, 0.05f},   // a step past the target is not cut short
        {0.06f, 0.001f, 0.06f, 0.06f},  // at the target nothing changes
    };
    for (const Case& c : cases) {
        Fish fish;
        fish.speed = c.start;
        fish.SetSpeedToward(c.step, c.target);
        EXPECT_NEAR(fish.speed, c.expected, 1e-6f) << c.start << " toward " << c.target;
    }
}

// The ranges decide, not the sign of sin and cos: 360 counts as toward -z.
TEST(FishDirection, RangesIncludeTheirBounds) {
    struct Case {
        float angle;
        bool minusX, plusZ;
    } cases[] = {
        {0.0f, true, true},     {90.0f, true, true},    {90.5f, false, true},
        {180.0f, false, true},  {180.5f, false, false}, {270.0f, true, false},
        {360.0f, true, false},  {-90.0f, true, false},  {-179.0f, false, false},
        {-180.0f, false, true}, {-269.0f, false, true}, {-270.0f, true, true},
    };
    for (const Case& c : cases) {
        Fish fish;
        fish.heading = c.angle;
        fish.targetHeading = c.angle;
        fish.UpdateDirection();
        EXPECT_EQ(fish.direction.headingMinusX, c.minusX) << c.angle;
        EXPECT_EQ(fish.direction.headingPlusX, !c.minusX) << c.angle;
        EXPECT_EQ(fish.direction.headingPlusZ, c.plusZ) << c.angle;
        EXPECT_EQ(fish.direction.targetMinusX, c.minusX) << c.angle;
        EXPECT_EQ(fish.direction.targetPlusZ, c.plusZ) << c.angle;
    }
}

// Heading rules that draw no numbers. The fish has settled (heading == target) unless the row
// gives another heading.
TEST(FishChangeHeading, FixedRules) {
    struct Case {
        float target, heading;
        bool minusX;
        int rule, side;
        float amount, z, expected;
    } cases[] = {
        {100, 100, true, kHeadingReverse, 0, 0, -60, 280},        // T <= 180 turns forward
        {200, 200, false, kHeadingReverse, 0, 0, -60, 20},        // T > 180 turns back
        {-300, -300, true, kHeadingReverse, 0, 0, -60, -120},     //
        {30, 30, true, kHeadingTurnAbout, 1, 0, -60, -150},       // side 1 toward -x: minus
        {150, 150, false, kHeadingTurnAbout, 1, 0, -60, 330},     // side 1 toward +x: plus
        {30, 30, true, kHeadingTurnAbout, 0, 0, -60, 210},        // side 0 is the mirror
        {10, 10, true, kHeadingByAngle, 1, -12.7f, -60, -2},      // whole part of |amount|
        {10, 10, false, kHeadingByAngle, 1, 12.7f, -60, 22},      //
        {0, 0, true, kHeadingFollow, 0, 0, -60, -20},             //
        {90, 90, true, kHeadingAvoidBack, 0, 0, -70, 180},        // (0, 180]: +90
        {200, 200, false, kHeadingAvoidBack, 0, 0, -80, 110},     // > 180: -90
        {0, 0, true, kHeadingAvoidBack, 0, 0, -70, -90},          // [-180, 0]: -90
        {-200, -200, false, kHeadingAvoidBack, 0, 0, -70, -110},  // < -180: +90
        {90, 90, true, kHeadingAvoidBack, 0, 0, -75, 90},         // only inside the open bands
        {90, 90, true, kHeadingAvoidBack, 0, 0, -50, 90},         //
        {45, 45, true, 3, 0, 0, -60, 45},                         // unknown rules: no change
        {45, 45, true, 9, 0, 0, -60, 45},                         //
        {350, 350, false, kHeadingByAngle, 1, 30, -60, 360},      // clamped to 360
        {-350, -350, true, kHeadingTurnAbout, 1, 0, -60, -360},   // clamped to -360
        {0.2f, 0, true, kHeadingReverse, 0, 0, -60, 0.2f},        // still turning: ignored
        {0.1f, 0, true, kHeadingReverse, 0, 0, -60, 180.1f},      // within 0.1: settled
    };
    for (const Case& c : cases) {
        Fish fish;
        fish.targetHeading = c.target;
        fish.heading = c.heading;
        fish.direction.headingMinusX = c.minusX;
        fish.direction.headingPlusX = !c.minusX;
        fish.position.z = c.z;
        ScopedRandomState random(7);
        fish.ChangeHeading(c.amount, c.side, c.rule);
        EXPECT_NEAR(fish.targetHeading, c.expected, 1e-4f)
            << "rule " << c.rule << " from " << c.target;
        EXPECT_TRUE(random.InStep()) << "rule " << c.rule << " drew a number";
    }
}

TEST(FishChangeHeading, RandomRuleDiscardsOneNumberAndTurnsUpTo169) {
    for (float start : {100.0f, 200.0f}) {
        Fish fish = SettledFish({0, 0, -70}, start);
        ScopedRandomState random(12345);
        fish.ChangeHeading(0, 0, kHeadingRandom);
        random.predictor.Next();
        const float r = static_cast<float>(random.predictor.Next() % 170);
        EXPECT_FLOAT_EQ(fish.targetHeading, start > 180 ? start - r : start + r);
        EXPECT_TRUE(random.InStep());
    }
}

TEST(FishChangeHeading, JitterAndSwerveFollowTheSideRule) {
    struct Case {
        int rule, side;
        float heading;  // 0 swims toward -x, 180 toward +x
        int base, spread, sign;
    } cases[] = {
        {kHeadingJitter, 1, 0, 0, 15, -1},     // side 1 toward -x subtracts
        {kHeadingJitter, 1, 180, 0, 15, +1},   // side 1 toward +x adds
        {kHeadingJitter, 0, 0, 0, 15, +1},     // side 0 the other way
        {kHeadingSwerve, 0, 180, 10, 10, -1},  // swerve: 10 + rand() % 10
    };
    for (const Case& c : cases) {
        Fish fish = SettledFish({0, 0, -60}, c.heading);
        ScopedRandomState random(99);
        fish.ChangeHeading(0, c.side, c.rule);
        const int d = c.base + random.predictor.Next() % c.spread;
        EXPECT_FLOAT_EQ(fish.targetHeading, c.heading + static_cast<float>(c.sign * d));
        EXPECT_TRUE(random.InStep());
    }
}

TEST(FishChangePitch, RulesAndClamp) {
    struct Case {
        float start;
        int rule, side;
        float amount, expected;
    } cases[] = {
        {30, kPitchMirror, 0, 0, -30},    //
        {44.5f, kPitchNudge, 1, 9, 45},   // the nudge ignores the amount; clamped to 45
        {0, kPitchNudgeToo, 0, 0, -1},    //
        {10, kPitchByAngle, 1, 20, 30},   //
        {10, kPitchByAngle, 0, 20, -10},  //
        {40, kPitchByAngle, 1, 60, 40},   // 100 > 90: unchanged
        {40, kPitchByAngle, 1, 50, 45},   // 90 is allowed, then clamped
        {20, 10, 0, 0, 20},               // other rules: no change
        {-45, kPitchNudge, 0, 0, -45},    // clamped to -45
    };
    for (const Case& c : cases) {
        Fish fish;
        fish.targetPitch = c.start;
        fish.ChangePitch(c.amount, c.side, c.rule);
        EXPECT_FLOAT_EQ(fish.targetPitch, c.expected) << "rule " << c.rule << " from " << c.start;
    }
}

TEST(FishChangePitch, RandomTurnsBy15To29TowardLevel) {
    for (float start : {10.0f, 0.0f, -40.0f}) {
        Fish fish;
        fish.targetPitch = start;
        ScopedRandomState random(4242);
        fish.ChangePitch(0, 0, kPitchRandom);
        const float r = static_cast<float>(15 + random.predictor.Next() % 15);
        EXPECT_FLOAT_EQ(fish.targetPitch,
                        std::clamp(start > 0 ? start - r : start + r, -45.f, 45.f));
        EXPECT_TRUE(random.InStep());
    }
}

TEST(FishMove, StepsAlongHeadingAndClimbsByTargetPitch) {
    Fish fish = SettledFish({0, 0, -60}, 0, 30);
    fish.MoveStep();
    EXPECT_NEAR(fish.position.x, -0.1f, 1e-6f);
    EXPECT_NEAR(fish.position.y, 0.05f, 1e-6f);
    EXPECT_NEAR(fish.position.z, -60.0f, 1e-6f);

    Fish side = SettledFish({0, 0, -60}, 90);
    side.MoveStep();
    EXPECT_NEAR(side.position.z, -59.9f, 1e-5f);

    Fish back = SettledFish({0, 0, -60}, 180);
    back.MoveStep();
    EXPECT_NEAR(back.position.x, 0.1f, 1e-6f);
}

TEST(FishMove, HeadingBeyondAFullTurnSnapsToHalfATurn) {
    Fish fish = SettledFish({0, 0, -60}, 180);
    fish.heading = 361.0f;
    fish.MoveStep();
    EXPECT_FLOAT_EQ(fish.heading, 180.0f);
    fish.heading = -361.0f;
    fish.targetHeading = -180.0f;
    fish.MoveStep();
    EXPECT_FLOAT_EQ(fish.heading, -180.0f);
}

TEST(FishMove, TurningAwayFromASideWallHoldsTheFish) {
    // More than 15 degrees from the target after hitting x min: no move and no wall rule.
    Fish fish = SettledFish({-52, 0, -60}, 0);
    fish.targetHeading = 20;
    fish.wallHit = kWallXMin;
    fish.MoveStep();
    EXPECT_FLOAT_EQ(fish.position.x, -52.0f);
    EXPECT_EQ(fish.wallHit, kWallXMin);

    // Within 15 degrees it moves again, but not further into the wall it hit.
    fish.heading = 10;
    fish.MoveStep();
    EXPECT_FLOAT_EQ(fish.position.x, -52.0f);
    EXPECT_NEAR(fish.position.z, -60.0f + std::sin(10 * kDegToRad) * 0.1f, 1e-5f);
    EXPECT_EQ(fish.wallHit, kWallNone);

    // Another wall code does not hold it.
    Fish other = SettledFish({0, 0, -60}, 0);
    other.targetHeading = 20;
    other.wallHit = kWallBack;
    other.MoveStep();
    EXPECT_NEAR(other.position.x, -0.1f, 1e-6f);
}

TEST(FishWalls, CodesPositionsAndTurns) {
    struct Case {
        Vec3 at;
        float heading, targetPitch, speed;
        int wall;
        Vec3 expectedAt;
        float expectedTarget, expectedPitch, expectedSpeed;
    } cases[] = {
        // x min, swimming toward it: reversed and set 2 inside.
        {{-55, 0, -60}, 0, 0, 0.1f, kWallXMin, {-52, 0, -60}, 180, 0, 0.1f},
        // x max: reversed from 180 to 360.
        {{55, 0, -60}, 180, 0, 0.1f, kWallXMax, {52, 0, -60}, 360, 0, 0.1f},
        // top: pitch mirrored, speed drops to 0.025 at once.
        {{0, 32, -60}, 0, 20, 0.1f, kWallTop, {0, 31, -60}, 0, -20, 0.025f},
        // bottom (inclusive).
        {{0, -16, -60}, 0, -20, 0.1f, kWallBottom, {0, -16, -60}, 0, 20, 0.025f},
        // corner: the later top code overwrites x min; both corrections happen.
        {{-55, 40, -60}, 0, 10, 0.1f, kWallTop, {-52, 31, -60}, 180, -10, 0.025f},
        // near the back the speed recovers by 0.01 a frame.
        {{0, 0, -75}, 0, 0, 0.05f, kWallNone, {0, 0, -75}, 0, 0, 0.06f},
        // near the front too.
        {{0, 0, -45}, 0, 0, 0.05f, kWallNone, {0, 0, -45}, 0, 0, 0.06f},
        // inside: nothing.
        {{0, 0, -60}, 0, 0, 0.05f, kWallNone, {0, 0, -60}, 0, 0, 0.05f},
    };
    for (const Case& c : cases) {
        Fish fish = SettledFish(c.at, c.heading, c.targetPitch);
        fish.speed = c.speed;
        fish.ApplyWalls();
        EXPECT_EQ(fish.wallHit, c.wall) << c.at.x << "," << c.at.y << "," << c.at.z;
        EXPECT_FLOAT_EQ(fish.position.x, c.expectedAt.x);
        EXPECT_FLOAT_EQ(fish.position.y, c.expectedAt.y);
        EXPECT_FLOAT_EQ(fish.position.z, c.expectedAt.z);
        EXPECT_FLOAT_EQ(fish.targetHeading, c.expectedTarget);
        EXPECT_FLOAT_EQ(fish.targetPitch, c.expectedPitch);
        EXPECT_NEAR(fish.speed, c.expectedSpeed, 1e-6f);
    }
}

TEST(FishWalls, BackAndFrontJitterTheHeadingWithOneNumber) {
    struct Case {
        float z, heading;
        int wall;
        float expectedZ;
        int sign;  // side rule: back uses side 0, front side 1; both fish swim toward +x
    } cases[] = {
        {-83, 200, kWallBack, -82, -1},
        {-40, 160, kWallFront, -41, +1},
    };
    for (const Case& c : cases) {
        Fish fish = SettledFish({0, 0, c.z}, c.heading);
        ScopedRandomState random(5);
        fish.ApplyWalls();
        const int d = random.predictor.Next() % 15;
        EXPECT_EQ(fish.wallHit, c.wall);
        EXPECT_FLOAT_EQ(fish.position.z, c.expectedZ);
        EXPECT_FLOAT_EQ(fish.targetHeading, c.heading + static_cast<float>(c.sign * d));
        EXPECT_TRUE(random.InStep());
    }
}

TEST(FishWalls, StillTurningFishIsHeldAtTheWallWithoutNewTurns) {
    // Reversal is ignored while turning, but the position is still held at the wall.
    Fish fish = SettledFish({-55, 0, -60}, 0);
    fish.targetHeading = 30;  // still turning, target toward -x
    fish.UpdateDirection();
    fish.ApplyWalls();
    EXPECT_EQ(fish.wallHit, kWallXMin);
    EXPECT_FLOAT_EQ(fish.position.x, -52.0f);
    EXPECT_FLOAT_EQ(fish.targetHeading, 30.0f);

    // Turning away from the front glass (target already toward -z): held at the glass, no
    // wall code, no jitter.
    Fish front = SettledFish({0, 0, -40}, 90);
    front.targetHeading = 270;
    front.UpdateDirection();
    ScopedRandomState random(3);
    front.ApplyWalls();
    EXPECT_EQ(front.wallHit, kWallNone);
    EXPECT_FLOAT_EQ(front.position.z, -41.0f);
    EXPECT_FLOAT_EQ(front.targetHeading, 270.0f);
    EXPECT_TRUE(random.InStep());
}

// What the wall rule reports for the measuring tools, and the hold at the walls switched off.
TEST(FishWalls, ReportsTheRulesThatMatchedAndTheHold) {
    struct Case {
        Vec3 at;
        float heading, target;
        bool hold;
        unsigned rules;
        float expectedX, expectedZ;
    } cases[] = {
        // Beyond x min heading out: reversed and put back 2 inside.
        {{-55, 0, -60}, 0, 0, true, kRuleXMin, -52, -60},
        // Turning away from the front glass: held on it, or left where it is without the hold.
        {{0, 0, -40}, 90, 270, true, kRuleNearFront | kRuleHoldZ, 0, -41},
        {{0, 0, -40}, 90, 270, false, kRuleNearFront, 0, -40},
        // Beyond x max while turning back toward -x, near the back wall.
        {{55, 0, -75}, 180, 0, true, kRuleNearBack | kRuleHoldX, 54, -75},
        {{55, 0, -75}, 180, 0, false, kRuleNearBack, 55, -75},
    };
    for (const Case& c : cases) {
        Fish fish = SettledFish(c.at, c.heading);
        fish.targetHeading = c.target;
        fish.bounds.holdAtWalls = c.hold;
        fish.UpdateDirection();
        fish.ApplyWalls();
        EXPECT_EQ(fish.wallRules, c.rules) << c.at.x << ", " << c.at.z << " hold " << c.hold;
        EXPECT_FLOAT_EQ(fish.position.x, c.expectedX);
        EXPECT_FLOAT_EQ(fish.position.z, c.expectedZ);
    }
}

TEST(FishBoundingPoints, NoseTailAndWidenedBox) {
    const float g = 3 * 0.64383f * 0.5f;
    // Level, swimming toward -x: the nose is ahead in x, the box uses the body's half height
    // and half width across.
    Fish level = SettledFish({1, 2, 3}, 0);
    EXPECT_NEAR(level.nose.x, 1 - g, 1e-5f);
    EXPECT_NEAR(level.tail.x, 1 + g, 1e-5f);
    EXPECT_NEAR(level.box.xMax, 1 + 2 * g, 1e-5f);
    EXPECT_NEAR(level.box.xMin, 1 - 2 * g, 1e-5f);
    const float o = 3 * 0.181513f * 0.5f;
    EXPECT_NEAR(level.box.yMax, 2 + o + o / 2, 1e-5f);
    EXPECT_NEAR(level.box.yMin, 2 - o - o / 2, 1e-5f);
    EXPECT_NEAR(level.box.zMax, 3 + 1.5f + 0.75f, 1e-5f);
    EXPECT_NEAR(level.box.zMin, 3 - 1.5f - 0.75f, 1e-5f);

    // Steering to 90 degrees and climbing at 45 with the nose up: the nose leads in +z and +y
    // and the box is taken from the two ends.
    Fish climbing = SettledFish({0, 0, -60}, 90, 45);
    climbing.pitch = 10;
    climbing.UpdateDirection();
    climbing.UpdateBoundingPoints();
    const float h = g * std::sin(45 * kDegToRad);
    EXPECT_NEAR(climbing.nose.y, h, 1e-5f);
    EXPECT_NEAR(climbing.tail.y, -h, 1e-5f);
    EXPECT_NEAR(climbing.nose.z, -60 + g, 1e-5f);
    EXPECT_NEAR(climbing.tail.z, -60 - g, 1e-5f);
    EXPECT_NEAR(climbing.box.yMax, h + o / 2, 1e-5f);
    EXPECT_NEAR(climbing.box.zMax, -60 + g + 0.75f, 1e-5f);
    EXPECT_NEAR(climbing.nose.x, 0.0f, 1e-5f);
}

// Runs one bend of the fish's style and returns the head and tail ring yaw.
struct BendResult {
    float head, tail;
};
BendResult BendOnce(Fish& fish, bool quick) {
    float out[kFishRings] = {};
    if (quick) {
        fish.BendQuick(out, kFishRings, fish.targetHeading);
    } else {
        fish.BendSmooth(out, kFishRings, fish.targetHeading);
    }
    return {out[0], out[kFishRings - 1]};
}

TEST(FishBend, HeadingStepsEveryThirdFrameByStyleStep) {
    struct Case {
        bool quick;
        float target, afterThree;
    } cases[] = {
        {false, 30, 1},  // smooth: always 1
        {true, 4, 1},    // quick: 1 below 5
        {true, 7, 2},    // 2 below 10
        {true, 30, 3},   // 3 from 10 on
        {true, -30, -3},
    };
    for (const Case& c : cases) {
        Fish fish;
        fish.targetHeading = c.target;
        BendOnce(fish, c.quick);
        BendOnce(fish, c.quick);
        EXPECT_FLOAT_EQ(fish.heading, 0.0f) << "no step before the third frame";
        BendOnce(fish, c.quick);
        EXPECT_FLOAT_EQ(fish.heading, c.afterThree) << c.target;
    }
}

TEST(FishBend, SmoothTailLagsAtMost5Point7QuickTailFurther) {
    Fish smooth;
    smooth.targetHeading = 30;
    BendResult r{};
    for (int i = 0; i < 3; ++i) {
        r = BendOnce(smooth, false);
    }
    // heading 1, 29 degrees to go: the lag per ring is capped at 0.3.
    EXPECT_FLOAT_EQ(r.head, 1.0f);
    EXPECT_NEAR(r.tail, 1.0f - 19 * 0.3f, 1e-5f);
    EXPECT_EQ(smooth.ringAngle[19], -4);  // whole part of -4.7

    Fish quick;
    quick.targetHeading = 30;
    for (int i = 0; i < 3; ++i) {
        r = BendOnce(quick, true);
    }
    // heading 3, 27 to go: lag 27 / 19 per ring, not capped.
    EXPECT_FLOAT_EQ(r.head, 3.0f);
    EXPECT_NEAR(r.tail, 3.0f - 27.0f, 1e-4f);
}

TEST(FishBend, ReachesTargetThenRingsCatchUpAndSettle) {
    Fish fish;
    fish.targetHeading = 10;
    int frames = 0;
    while (!fish.turnReached && frames < 1000) {
        BendOnce(fish, false);
        ++frames;
    }
    EXPECT_EQ(frames, 30);  // 10 steps of 1, every third frame
    EXPECT_FLOAT_EQ(fish.heading, 10.0f);
    // The rings move 1 degree a frame from where the turn left them.
    int settleFrames = 0;
    while (!fish.ringsSettled && settleFrames < 1000) {
        BendOnce(fish, false);
        ++settleFrames;
    }
    EXPECT_LE(settleFrames, 12);
    float out[kFishRings];
    fish.BendSmooth(out, kFishRings, 10);
    for (float yaw : out) {
        EXPECT_FLOAT_EQ(yaw, 10.0f);
    }

    // A new target starts a new bend.
    fish.targetHeading = 20;
    BendOnce(fish, false);
    EXPECT_FALSE(fish.turnReached);
    EXPECT_FALSE(fish.ringsSettled);
    EXPECT_FLOAT_EQ(fish.turnFrom, 20.0f);
}

TEST(FishBend, QuickRingsMoveTwoDegreesAFrame) {
    Fish fish = SettledFish({0, 0, -60}, 10);
    fish.turnReached = true;  // heading on target, rings still at 0
    BendResult r = BendOnce(fish, true);
    EXPECT_FLOAT_EQ(r.tail, 2.0f);
    for (int i = 0; i < 4; ++i) {
        r = BendOnce(fish, true);
    }
    EXPECT_FLOAT_EQ(r.tail, 10.0f);
    EXPECT_FALSE(fish.ringsSettled);
    BendOnce(fish, true);
    EXPECT_TRUE(fish.ringsSettled);
}

TEST(FishBend, AtASideWallTheBodySnapsToTheTarget) {
    for (bool quick : {false, true}) {
        Fish fish;
        fish.targetHeading = 180;
        fish.wallHit = kWallXMin;
        BendResult r = BendOnce(fish, quick);
        EXPECT_FLOAT_EQ(fish.heading, 180.0f);
        EXPECT_FLOAT_EQ(r.head, 180.0f);
        EXPECT_FLOAT_EQ(r.tail, 180.0f);
        EXPECT_EQ(fish.ringAngle[19], 180);
    }
}

TEST(FishBend, WritesNoMoreThanCountValues) {
    Fish fish;
    fish.targetHeading = 30;
    float out[kFishRings + 1];
    for (float& v : out) {
        v = -999.0f;
    }
    fish.BendSmooth(out, 5, 30);
    EXPECT_NEAR(out[4], -1.2f, 1e-5f);
    EXPECT_FLOAT_EQ(out[5], -999.0f);
    fish.BendQuick(out, 100, 30);  // a longer buffer still gets only the 20 rings
    EXPECT_FLOAT_EQ(out[kFishRings], -999.0f);
}

TEST(FishBehaviour, WanderDecisionDrawsInOrder) {
    Fish fish = SettledFish({0, 0, -70}, 100, 10);
    fish.behaviourCounter = 201;
    fish.speed = 0.05f;
    ScopedRandomState random(2024);
    fish.BehaviourStep();

    RandomGenerator& p = random.predictor;
    EXPECT_EQ(fish.behaviourCounter, p.Next() % 100);
    p.Next();  // speed target 0.1..0.4: any of them lifts the speed by 0.05
    EXPECT_NEAR(fish.speed, 0.1f, 1e-6f);
    p.Next();  // the random turn discards one number
    EXPECT_FLOAT_EQ(fish.targetHeading, 100.0f + static_cast<float>(p.Next() % 170));
    EXPECT_FLOAT_EQ(fish.targetPitch, 10.0f - static_cast<float>(15 + p.Next() % 15));
    EXPECT_EQ(fish.turnStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_EQ(fish.tailStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_TRUE(random.InStep());
}

TEST(FishBehaviour, WanderWaitsAndHoldsWhileColliding) {
    Fish fish = SettledFish({0, 0, -70}, 100);
    fish.behaviourCounter = 200;
    ScopedRandomState random(2024);
    fish.BehaviourStep();  // old value 200 is not above 200
    EXPECT_EQ(fish.behaviourCounter, 201);
    fish.colliding = true;
    fish.BehaviourStep();
    EXPECT_EQ(fish.behaviourCounter, 201);
    EXPECT_TRUE(random.InStep());
}

TEST(FishBehaviour, WanderOutsideTheBandsAndWhileTurningKeepsItsHeading) {
    for (float z : {-50.0f, -75.0f}) {
        Fish fish = SettledFish({0, 0, z}, 100);
        fish.behaviourCounter = 201;
        ScopedRandomState random(8);
        fish.BehaviourStep();
        EXPECT_FLOAT_EQ(fish.targetHeading, 100.0f) << z;
    }
    Fish turning = SettledFish({0, 0, -70}, 100);
    turning.targetHeading = 100.5f;
    turning.behaviourCounter = 201;
    ScopedRandomState random(8);
    turning.BehaviourStep();
    EXPECT_FLOAT_EQ(turning.targetHeading, 100.5f);
    EXPECT_FLOAT_EQ(turning.targetPitch, 0.0f);  // the pitch waits for the heading too
}

TEST(FishBehaviour, FollowDecisionTurns20AndKeepsPitch) {
    Fish fish = SettledFish({0, 0, -80}, 100, 12);
    fish.state = kStateFollow;
    fish.behaviourCounter = 101;
    fish.speed = 0.05f;
    fish.colliding = true;  // followers decide anyway
    ScopedRandomState random(77);
    fish.BehaviourStep();
    RandomGenerator& p = random.predictor;
    p.Next();
    EXPECT_EQ(fish.behaviourCounter, 0);
    EXPECT_NEAR(fish.speed, 0.051f, 1e-6f);
    EXPECT_FLOAT_EQ(fish.targetHeading, 80.0f);
    EXPECT_FLOAT_EQ(fish.targetPitch, 12.0f);
    EXPECT_EQ(fish.turnStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_EQ(fish.tailStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_TRUE(random.InStep());
}

TEST(FishPitchEasing, OneDegreeAFrameBothTestsRun) {
    Fish fish;
    fish.targetPitch = 3;
    EasePitch(fish);
    EXPECT_FLOAT_EQ(fish.pitch, 1.0f);
    fish.pitch = 2.5f;
    EasePitch(fish);  // 3.5 passes the target, so the second test takes it back
    EXPECT_FLOAT_EQ(fish.pitch, 2.5f);
}

}  // namespace
}  // namespace reef
