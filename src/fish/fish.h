#pragma once

#include <array>

#include "fish/fish_draw.h"

namespace reef {

struct TankBox;

// A point or position in world units.
struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// The avoidance box around a fish, world units.
struct FishBox {
    float xMax = 0.0f, xMin = 0.0f;
    float yMax = 0.0f, yMin = 0.0f;
    float zMax = 0.0f, zMin = 0.0f;
};

// Which way the fish points, taken from its angles at the start of each move. The rules between
// two moves read these stored flags, not the live angles. All flags start cleared, so a fish
// that has never moved points neither way.
struct DirectionFlags {
    bool headingMinusX = false;  // heading in [0, 90], [270, 360], [-90, 0] or [-360, -270]
    bool headingPlusX = false;
    bool headingPlusZ = false;  // heading in [0, 180] or [-360, -180]
    bool headingMinusZ = false;
    bool noseUp = false;  // drawn pitch > 0
    bool noseDown = false;
    bool targetMinusX = false;  // the same ranges for the target heading
    bool targetPlusX = false;
    bool targetPlusZ = false;
    bool targetMinusZ = false;
    bool targetUp = false;  // target pitch > 0
    bool targetDown = false;
};

// This fish's copy of the tank walls, world units. The back wall lies at 2 x front.
struct FishBounds {
    float xMin = 0.0f, xMax = 0.0f;
    float top = 0.0f, bottom = 0.0f;
    float front = 0.0f;
    // Whether a fish that ends its move beyond a side, back or front wall is put back on it.
    // The program always holds; measuring tools switch it off to see the wall rules alone.
    bool holdAtWalls = true;
    float Back() const { return 2.0f * front; }
};

// Heading rules of Fish::ChangeHeading. Numbers not listed (3, 8, 9) change nothing.
enum HeadingRule : int {
    kHeadingRandom = 0,
    kHeadingReverse = 1,
    kHeadingJitter = 2,
    kHeadingAvoidBack = 4,
    kHeadingSwerve = 5,
    kHeadingTurnAbout = 6,
    kHeadingByAngle = 7,
    kHeadingFollow = 10,
};

// Pitch rules of Fish::ChangePitch. Any other number changes nothing.
enum PitchRule : int {
    kPitchRandom = 0,
    kPitchMirror = 3,
    kPitchNudge = 5,
    kPitchNudgeToo = 8,
    kPitchByAngle = 7,
};

// Wall met in the last move.
enum WallCode : int {
    kWallNone = 0,
    kWallXMin = 1,
    kWallXMax = 2,
    kWallBack = 3,
    kWallFront = 4,
    kWallTop = 5,
    kWallBottom = 6,
};

// What the wall rule did in the last move, one bit each, for tools that measure the walls.
enum WallRuleBit : unsigned {
    kRuleXMin = 1u << 0,       // beyond x min heading out: reverse
    kRuleXMax = 1u << 1,       // beyond x max heading out: reverse
    kRuleNearBack = 1u << 2,   // within 10 of the back wall: speed up
    kRuleBack = 1u << 3,       // beyond the back wall heading out: jitter
    kRuleNearFront = 1u << 4,  // within 10 of the front wall: speed up
    kRuleFront = 1u << 5,      // beyond the front wall heading out: jitter
    kRuleTop = 1u << 6,        // at or above the top: mirror the pitch, brake
    kRuleBottom = 1u << 7,     // at or below the bottom: mirror the pitch, brake
    kRuleHoldX = 1u << 8,      // put back on a side wall while turning away from it
    kRuleHoldZ = 1u << 9,      // put back on the back or front wall while turning away from it
};

// Behaviour states.
enum FishState : int {
    kStateWander = 8,
    kStateFollow = 10,
};

constexpr int kFishRings = 20;

// One fish of the tank: where it is, where it is steering to, and the state of the rules that
// move and bend it. Angles are degrees, positions world units, speed world units per frame; one
// frame is one step. What the draw reads and animates (size, kind, heading, pitch, mouth, waves,
// ring rotation) is the FishPose part.
//
// Constructing a fish draws two numbers from the process generator, in this order: the mouth
// period, then the behaviour counter.
struct Fish : FishPose {
    Fish();

    float speed = 0.1f;          // kept in [0.025, 0.1]
    float targetHeading = 0.0f;  // kept in [-360, 360]
    int turnStyle = 0;           // 0 smooth, 1 quick body bend
    bool chewing = false;
    int turnCounter = 0;  // frames since the last heading step
    bool turnReached = false;
    bool ringsSettled = false;
    std::array<int, kFishRings> ringAngle{};  // yaw of each body ring, whole degrees
    float turnFrom = 0.0f;                    // target heading the current bend started for
    Vec3 position;
    DirectionFlags direction;
    FishBounds bounds;
    int wallHit = kWallNone;
    unsigned wallRules = 0;  // WallRuleBit of the last move; 0 when the move was skipped
    int state = kStateWander;
    int behaviourCounter = 0;  // frames since the last behaviour decision; drawn in the constructor
    float length = 0.64383f;   // body dimensions at unit size
    float width = 1.0f;
    float height = 0.181513f;
    Vec3 nose;
    Vec3 tail;
    FishBox box;
    bool colliding = false;

    // Copies the walls from the view's tank box: top 10 above it, bottom 5 above its floor,
    // front 9 in front of its far side.
    void SetTankBounds(const TankBox& tank);

    // Moves the speed one step toward target, then keeps it in [0.025, 0.1].
    void SetSpeedToward(float step, float target);
    // Picks a new target heading by rule (HeadingRule); ignored while the fish is still turning
    // (heading more than 0.1 from its target). side 1 or 0 picks the direction of the side rule.
    void ChangeHeading(float amount, int side, int rule);
    // Picks a new target pitch by rule (PitchRule).
    void ChangePitch(float amount, int side, int rule);

    // Recomputes the direction flags from the current angles.
    void UpdateDirection();
    // One step along the heading at the current speed, then the wall rule.
    void MoveStep();
    // Keeps the fish inside its walls; sets wallHit.
    void ApplyWalls();
    // Nose, tail and the widened avoidance box from the position and target angles.
    void UpdateBoundingPoints();
    // What the draw runs after the model: MoveStep, then UpdateBoundingPoints.
    void MoveAndUpdateBounds();

    // The wander or follow decisions of one frame.
    void BehaviourStep();

    // Turns the heading toward target and writes the yaw of each body ring, head first, into
    // out (count values, at most 20 are written). The smooth rule steps 1 degree every third
    // frame; the quick rule steps up to 3 and bends the tail further.
    void BendSmooth(float* out, int count, float target);
    void BendQuick(float* out, int count, float target);
    // The bend of this fish's turn style toward its target heading: the 20 ring yaws into out.
    void Bend(float out[kFishRings]);

private:
    void ApplySideRule(float& target, int side, float d) const;
    void BendToward(float* out, int count, float target, bool quick);
};

}  // namespace reef
