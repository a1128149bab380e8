// The rules one fish runs on itself: speed, turning, pitch, moving inside its walls, the body
// bend while it turns, its bounding points and its wander and follow decisions.
#include "fish/fish.h"

#include <algorithm>
#include <cmath>

#include "platform/random.h"
#include "view/screen_tables.h"

namespace reef {
namespace {

constexpr float kMinSpeed = 0.025f;
constexpr float kMaxSpeed = 0.1f;
constexpr float kMaxTargetHeading = 360.0f;
constexpr float kMaxTargetPitch = 45.0f;
// A turn is over when the heading lies this close to its target; new turns wait for it.
constexpr float kTurnDone = 0.1f;
// Decisions that start a new turn wait for the heading to settle this closely.
constexpr float kHeadingSettled = 0.01f;

bool PointsTowardMinusX(float angle) {
    return (angle >= 0.0f && angle <= 90.0f) || (angle >= 270.0f && angle <= 360.0f) ||
           (angle >= -90.0f && angle <= 0.0f) || (angle >= -360.0f && angle <= -270.0f);
}

bool PointsTowardPlusZ(float angle) {
    return (angle >= 0.0f && angle <= 180.0f) || (angle >= -360.0f && angle <= -180.0f);
}

// The two depth bands in which wandering and following fish take new headings.
bool InNearBand(float z) {
    return z > -75.0f && z < -60.0f;
}
bool InFarBand(float z) {
    return z > -90.0f && z < -75.0f;
}

// Chance of 1 in 5 for the quick bend and for the rising tail.
int OneInFive() {
    return Rand() % 5 == 0 ? 1 : 0;
}

}  // namespace

Fish::Fish() {
    mouth.period = 15 + Rand() % 20;
    behaviourCounter = Rand() % 200;
}

void Fish::SetTankBounds(const TankBox& tank) {
    bounds.xMin = tank.minX;
    bounds.xMax = tank.maxX;
    bounds.top = tank.maxY + 10.0f;
    bounds.bottom = tank.minY + 5.0f;
    bounds.front = tank.minZ + 9.0f;
}

void Fish::SetSpeedToward(float step, float target) {
    if (speed < target) {
        speed += step;
    }
    if (speed > target) {
        speed -= step;
    }
    speed = std::clamp(speed, kMinSpeed, kMaxSpeed);
}

void Fish::ApplySideRule(float& target, int side, float d) const {
    // Side 1 turns toward +x when the fish swims toward -x, and the other way round; side 0
    // turns the opposite way.
    const bool minusX = direction.headingMinusX;
    if (side != 0) {
        target = minusX ? target - d : target + d;
    } else {
        target = minusX ? target + d : target - d;
    }
}

void Fish::ChangeHeading(float amount, int side, int rule) {
    if (std::fabs(heading - targetHeading) > kTurnDone) {
        return;
    }
    float t = targetHeading;
    switch (rule) {
        case kHeadingRandom: {
            Rand();  // one number is drawn and not used
            const float r = static_cast<float>(Rand() % 170);
            t = t > 180.0f ? t - r : t + r;
            break;
        }
        case kHeadingReverse:
            t = t > 180.0f ? t - 180.0f : t + 180.0f;
            break;
        case kHeadingJitter:
            ApplySideRule(t, side, static_cast<float>(Rand() % 15));
            break;
        case kHeadingAvoidBack:
            if (InNearBand(position.z) || InFarBand(position.z)) {
                if (t > 0.0f && t <= 180.0f) {
                    t += 90.0f;
                } else if (t > 180.0f) {
                    t -= 90.0f;
                } else if (t >= -180.0f) {
                    t -= 90.0f;
                } else {
                    t += 90.0f;
                }
            }
            break;
        case kHeadingSwerve:
            ApplySideRule(t, side, static_cast<float>(10 + Rand() % 10));
            break;
        case kHeadingTurnAbout:
            ApplySideRule(t, side, 180.0f);
            break;
        case kHeadingByAngle:
            ApplySideRule(t, side, std::trunc(std::fabs(amount)));
            break;
        case kHeadingFollow:
            t -= 20.0f;
            break;
        default:
            break;
    }
    targetHeading = std::clamp(t, -kMaxTargetHeading, kMaxTargetHeading);
}

void Fish::ChangePitch(float amount, int side, int rule) {
    float p = targetPitch;
    switch (rule) {
        case kPitchRandom: {
            const float r = static_cast<float>(15 + Rand() % 15);
            p = p > 0.0f ? p - r : p + r;
            break;
        }
        case kPitchMirror:
            p = -p;
            break;
        case kPitchNudge:
        case kPitchNudgeToo:
            p = side != 0 ? p + 1.0f : p - 1.0f;
            break;
        case kPitchByAngle:
            if (p + amount <= 90.0f && p - amount >= -90.0f) {
                p = side != 0 ? p + amount : p - amount;
            }
            break;
        default:
            break;
    }
    targetPitch = std::clamp(p, -kMaxTargetPitch, kMaxTargetPitch);
}

void Fish::UpdateDirection() {
    direction.headingMinusX = PointsTowardMinusX(heading);
    direction.headingPlusX = !direction.headingMinusX;
    direction.headingPlusZ = PointsTowardPlusZ(heading);
    direction.headingMinusZ = !direction.headingPlusZ;
    direction.noseUp = pitch > 0.0f;
    direction.noseDown = pitch < 0.0f;
    direction.targetMinusX = PointsTowardMinusX(targetHeading);
    direction.targetPlusX = !direction.targetMinusX;
    direction.targetPlusZ = PointsTowardPlusZ(targetHeading);
    direction.targetMinusZ = !direction.targetPlusZ;
    direction.targetUp = targetPitch > 0.0f;
    direction.targetDown = targetPitch < 0.0f;
}

void Fish::MoveStep() {
    if (heading > 360.0f) {
        heading = 180.0f;
    } else if (heading < -360.0f) {
        heading = -180.0f;
    }
    UpdateDirection();
    // A fish turning away from a side wall stays where it is until it has nearly turned.
    if (std::fabs(heading - targetHeading) > 15.0f &&
        (wallHit == kWallXMin || wallHit == kWallXMax)) {
        wallRules = 0;
        return;
    }
    const float h = heading * kDegToRad;
    const float climb = targetPitch * kDegToRad;
    const float dx = std::fabs(std::cos(h)) * speed;
    const float dz = std::fabs(std::sin(h)) * speed;
    if (direction.headingMinusX) {
        if (wallHit != kWallXMin) {
            position.x -= dx;
        }
    } else if (wallHit != kWallXMax) {
        position.x += dx;
    }
    if (direction.headingPlusZ) {
        if (wallHit != kWallFront) {
            position.z += dz;
        }
    } else if (wallHit != kWallBack) {
        position.z -= dz;
    }
    // The target pitch, not the drawn one, sets the climb.
    position.y += std::sin(climb) * speed;
    ApplyWalls();
}

void Fish::ApplyWalls() {
    wallHit = kWallNone;
    wallRules = 0;
    const float back = bounds.Back();
    if (position.x < bounds.xMin && direction.targetMinusX) {
        ChangeHeading(0.0f, 0, kHeadingReverse);
        position.x = bounds.xMin + 2.0f;
        wallHit = kWallXMin;
        wallRules |= kRuleXMin;
    }
    if (position.x > bounds.xMax && direction.targetPlusX) {
        ChangeHeading(0.0f, 0, kHeadingReverse);
        position.x = bounds.xMax - 2.0f;
        wallHit = kWallXMax;
        wallRules |= kRuleXMax;
    }
    if (position.z < back + 10.0f) {
        SetSpeedToward(0.01f, 0.1f);
        wallRules |= kRuleNearBack;
    }
    if (position.z < back && direction.targetMinusZ) {
        ChangeHeading(0.0f, 0, kHeadingJitter);
        position.z = back;
        wallHit = kWallBack;
        wallRules |= kRuleBack;
    }
    if (position.z > bounds.front - 10.0f) {
        SetSpeedToward(0.01f, 0.1f);
        wallRules |= kRuleNearFront;
    }
    if (position.z > bounds.front && direction.targetPlusZ) {
        ChangeHeading(0.0f, 1, kHeadingJitter);
        position.z = bounds.front;
        wallHit = kWallFront;
        wallRules |= kRuleFront;
    }
    if (position.y >= bounds.top) {
        ChangePitch(0.0f, 0, kPitchMirror);
        position.y = bounds.top;
        wallHit = kWallTop;
        SetSpeedToward(0.1f, 0.025f);
        wallRules |= kRuleTop;
    }
    if (position.y <= bounds.bottom) {
        ChangePitch(0.0f, 1, kPitchMirror);
        position.y = bounds.bottom;
        wallHit = kWallBottom;
        SetSpeedToward(0.1f, 0.025f);
        wallRules |= kRuleBottom;
    }
    if (!bounds.holdAtWalls) {
        return;
    }
    // A fish that meets a side, back or front wall while it is turning away from it (its target
    // already points back into the tank) is held at the wall until its heading follows. The
    // rules above only act on a fish whose target still points out, so without this it would
    // swim on through the wall for the length of the turn, up to 30 units: out of the sides,
    // and through the front glass at z = -41 to about z = -9.8, behind the camera at -10.5.
    // Within the walls the clamp changes nothing, so every rule above keeps its effect.
    const float heldX = std::clamp(position.x, bounds.xMin, bounds.xMax);
    const float heldZ = std::clamp(position.z, back, bounds.front);
    if (heldX != position.x) {
        wallRules |= kRuleHoldX;
    }
    if (heldZ != position.z) {
        wallRules |= kRuleHoldZ;
    }
    position.x = heldX;
    position.z = heldZ;
}

void Fish::UpdateBoundingPoints() {
    const float s = static_cast<float>(size);
    const float g = s * length * 0.5f;
    const float pt = targetPitch * kDegToRad;
    const float tt = targetHeading * kDegToRad;
    const float h = g * std::fabs(std::sin(pt));
    const float l = g * std::fabs(std::sin(tt));
    const float o = std::fabs(std::cos(pt)) * s * height * 0.5f;
    const float r = std::fabs(std::cos(tt)) * s * width * 0.5f;
    const float t = g * std::fabs(std::cos(tt) * std::cos(pt));
    const Vec3& p = position;

    const float sx = direction.headingMinusX ? -1.0f : 1.0f;
    const float sy = direction.noseUp ? 1.0f : -1.0f;
    const float sz = direction.headingMinusZ ? -1.0f : 1.0f;
    nose = {p.x + sx * t, p.y + sy * h, p.z + sz * l};
    tail = {p.x - sx * t, p.y - sy * h, p.z - sz * l};

    box.xMax = std::max(nose.x, tail.x) + g;
    box.xMin = std::min(nose.x, tail.x) - g;
    const float yPad = s * height * 0.25f;
    box.yMax = (h > o ? std::max(nose.y, tail.y) : p.y + o) + yPad;
    box.yMin = (h > o ? std::min(nose.y, tail.y) : p.y - o) - yPad;
    const float zPad = s * width * 0.25f;
    box.zMax = (l > r ? std::max(nose.z, tail.z) : p.z + r) + zPad;
    box.zMin = (l > r ? std::min(nose.z, tail.z) : p.z - r) - zPad;
}

void Fish::MoveAndUpdateBounds() {
    MoveStep();
    UpdateBoundingPoints();
}

void Fish::BehaviourStep() {
    // Wanderers decide every 200 frames or so (the counter restarts at 0..99) and hold still
    // while they overlap another fish; followers decide every 101 frames whatever happens.
    float speedStep = 0.0f;
    float speedTarget = 0.0f;
    int headingRule = 0;
    int pitchRule = 0;
    if (state == kStateWander) {
        if (colliding || behaviourCounter++ <= 200) {
            return;
        }
        behaviourCounter = Rand() % 100;
        speedStep = 0.05f;
        speedTarget = static_cast<float>(Rand() % 4 + 1) * 0.1f;
        headingRule = kHeadingRandom;
        pitchRule = kPitchRandom;
    } else if (state == kStateFollow) {
        if (behaviourCounter++ <= 100) {
            return;
        }
        behaviourCounter = 0;
        speedStep = 0.001f;
        speedTarget = static_cast<float>(Rand() % 10) * 0.001f + 0.1f;
        headingRule = kHeadingFollow;
        pitchRule = 10;  // no pitch change
    } else {
        return;
    }
    SetSpeedToward(speedStep, speedTarget);
    if (std::fabs(heading - targetHeading) < kHeadingSettled) {
        if (InNearBand(position.z)) {
            ChangeHeading(0.0f, 1, headingRule);
        }
        if (InFarBand(position.z)) {
            ChangeHeading(0.0f, 0, headingRule);
        }
        ChangePitch(0.0f, 0, pitchRule);
    }
    turnStyle = OneInFive();
    tailStyle = OneInFive();
}

void Fish::BendSmooth(float* out, int count, float target) {
    BendToward(out, count, target, false);
}

void Fish::BendQuick(float* out, int count, float target) {
    BendToward(out, count, target, true);
}

void Fish::Bend(float out[kFishRings]) {
    if (turnStyle == 1) {
        BendQuick(out, kFishRings, targetHeading);
    } else {
        BendSmooth(out, kFishRings, targetHeading);
    }
}

void Fish::BendToward(float* out, int count, float target, bool quick) {
    if (std::fabs(turnFrom - target) > 0.01f) {
        turnReached = false;
        ringsSettled = false;
        turnFrom = target;
    }
    const bool sideWall = wallHit == kWallXMin || wallHit == kWallXMax;
    float step = 1.0f;
    if (quick) {
        const float magnitude = std::fabs(target);
        // Against a side wall the heading snaps to the target (below) instead of stepping.
        step = sideWall ? target : magnitude < 5.0f ? 1.0f : magnitude < 10.0f ? 2.0f : 3.0f;
    }

    // The heading steps every third frame.
    if (turnCounter++ > 1) {
        turnCounter = 0;
        if (!turnReached) {
            if (heading < target) {
                heading += step;
                if (heading > target) {
                    heading = target;
                }
            }
            if (heading > target) {
                heading -= step;
                if (heading < target) {
                    heading = target;
                }
            }
            if (std::trunc(heading - target) == 0.0f) {
                turnReached = true;
            }
        }
    }

    const int n = std::clamp(count, 0, kFishRings);
    if (turnReached) {
        // The heading is there; the rings follow it one or two degrees a frame.
        if (!ringsSettled) {
            const int ringStep = quick ? 2 : 1;
            const int goal = static_cast<int>(target);
            bool moved = false;
            for (int& angle : ringAngle) {
                int next = angle;
                if (next < target) {
                    next = std::min(next + ringStep, goal);
                } else if (next > target) {
                    next = std::max(next - ringStep, goal);
                }
                moved = moved || next != angle;
                angle = next;
            }
            ringsSettled = !moved;
        }
        for (int i = 0; i < n; ++i) {
            out[i] = static_cast<float>(ringAngle[i]);
        }
        return;
    }

    if (sideWall) {
        for (int i = 0; i < kFishRings; ++i) {
            ringAngle[i] = static_cast<int>(target);
            if (i < n) {
                out[i] = target;
            }
        }
        heading = targetHeading;
        return;
    }
    // Still turning: the head ring leads and each ring behind it lags a little more.
    float lag = std::fabs(heading - turnFrom) / 19.0f;
    if (!quick) {
        lag = std::min(lag, 0.3f);
    }
    const float sign = target > heading ? -1.0f : 1.0f;
    for (int i = 0; i < kFishRings; ++i) {
        const float ring = heading + sign * static_cast<float>(i) * lag;
        ringAngle[i] = static_cast<int>(ring);
        if (i < n) {
            out[i] = ring;
        }
    }
}

}  // namespace reef
