// The rules that act between fish: collision avoidance, following the leader, and keeping
// apart vertically.
#include "fish/fish_tank.h"

#include <cmath>

#include "fish/line_angle.h"

namespace reef {
namespace {

constexpr int kLeader = 0;
constexpr int kLastFollower = 9;

bool BoxesOverlap(const FishBox& a, const FishBox& b) {
    return a.xMin <= b.xMax && a.xMax >= b.xMin && a.yMin <= b.yMax && a.yMax >= b.yMin &&
           a.zMin <= b.zMax && a.zMax >= b.zMin;
}

bool WithinOnEachAxis(const Vec3& a, const Vec3& b, float reach) {
    return std::fabs(a.x - b.x) < reach && std::fabs(a.y - b.y) < reach &&
           std::fabs(a.z - b.z) < reach;
}

PlanePoint XY(const Vec3& p) {
    return {p.x, p.y};
}
PlanePoint XZ(const Vec3& p) {
    return {p.x, p.z};
}

// Two fish on a collision course: one steers away, turns about, or pulls ahead.
void Resolve(Fish& a, Fish& b, const Fish& leader) {
    const float a1 = LineAngle(XY(a.position), XY(a.nose), XY(b.position), XY(b.nose));
    const float a2 = LineAngle(XZ(a.position), XZ(a.nose), XZ(b.position), XZ(b.nose));
    if (a1 > 10.0f || a2 > 10.0f) {
        a.ChangeHeading(0.0f, a.position.z > leader.position.z ? 1 : 0, kHeadingSwerve);
        return;
    }
    const bool opposite = (a.direction.targetMinusX && b.direction.targetPlusX) ||
                          (a.direction.targetPlusX && b.direction.targetMinusX);
    if (opposite) {
        // The smaller fish gives way; on equal sizes the other fish does.
        Fish& turner = a.size < b.size ? a : b;
        turner.ChangeHeading(0.0f, 1, kHeadingTurnAbout);
        return;
    }
    // Same way along x: the fish in front pulls away at full speed.
    const bool aBehind =
        a.direction.targetMinusX ? a.position.x > b.position.x : a.position.x < b.position.x;
    Fish& front = aBehind ? b : a;
    const Fish& other = aBehind ? a : b;
    front.SetSpeedToward(0.1f, other.speed + 0.1f);
}

}  // namespace

void AvoidCollisions(FishTank& tank, int slot) {
    if (slot < 0 || slot >= kFishSlots) {
        return;
    }
    Fish& a = tank.fish[slot];
    for (int other = 0; other < kFishSlots; ++other) {
        if (other == slot) {
            continue;
        }
        Fish& b = tank.fish[other];
        // The flag only tells whether the last slot tested overlaps.
        a.colliding = false;
        if (!BoxesOverlap(a.box, b.box)) {
            continue;
        }
        a.colliding = true;
        b.colliding = true;
        Resolve(a, b, tank.fish[kLeader]);
    }
}

void RunFollowerRule(FishTank& tank, int k) {
    if (k < 0 || k >= kFishSlots) {
        return;
    }
    const Fish& leader = tank.fish[kLeader];
    Fish& fish = tank.fish[k];
    if (WithinOnEachAxis(fish.nose, leader.tail, 100.0f)) {
        fish.SetSpeedToward(0.05f, 0.1f);
        // The leader lines up with the origin, a follower with the leader.
        const Vec3 aim = k == kLeader ? Vec3{} : leader.position;
        const float a = LineAngle(XZ(fish.position), XZ(fish.nose), XZ(fish.position), XZ(aim));
        if (std::fabs(a) < 0.1f) {
            fish.ChangePitch(0.0f, fish.nose.z > leader.tail.z ? 0 : 1, kPitchNudge);
        }
    }
    if (WithinOnEachAxis(fish.nose, leader.tail, 10.0f)) {
        fish.SetSpeedToward(0.05f, 0.025f);
    }
}

void RunFishRules(FishTank& tank, int slot) {
    if (slot < 0 || slot >= kFishSlots) {
        return;
    }
    Fish& fish = tank.fish[slot];
    if (slot == kLeader) {
        AvoidCollisions(tank, slot);
    } else if (slot <= kLastFollower) {
        fish.state = kStateFollow;
        RunFollowerRule(tank, slot - 1);
        return;
    } else {
        fish.state = kStateWander;
        AvoidCollisions(tank, slot);
    }
    ProximityEntry& entry = tank.proximity[slot];
    entry.position = fish.position;
    entry.flag = 0;
    entry.mark = false;
}

void RunProximityRule(FishTank& tank, int fishCount) {
    const int n = fishCount < kFishSlots ? fishCount : kFishSlots;
    for (int p = 0; p < n; ++p) {
        for (int q = p + 1; q < n; ++q) {
            const ProximityEntry& a = tank.proximity[p];
            const ProximityEntry& b = tank.proximity[q];
            if (a.flag == 0 && WithinOnEachAxis(a.position, b.position, 5.0f)) {
                // Climb away from a fish below, dive away from one above.
                tank.fish[p].ChangePitch(1.0f, a.position.y > b.position.y ? 1 : 0, kPitchNudge);
            }
        }
    }
}

}  // namespace reef
