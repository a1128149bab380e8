#pragma once

#include <array>

#include "fish/fish.h"
#include "fish/fish_slots.h"

namespace reef {

// Where a fish was last seen by the proximity rule. Recording a fish writes both flags 0. The
// int flag starts at 1, so an entry that was never recorded keeps no fish apart: the followers'
// entries are never recorded, and at one shared start position they would push each other down
// every frame.
struct ProximityEntry {
    Vec3 position;
    int flag = 1;
    bool mark = false;
};

// The 50 fish of the tank and the positions the proximity rule compares. Slot 0 leads, slots 1
// to 9 follow, slots 10 and up swim freely. Constructing the tank constructs the fish in slot
// order, which draws their start values from the process generator.
struct FishTank {
    std::array<Fish, kFishSlots> fish;
    std::array<ProximityEntry, kFishSlots> proximity{};
};

// The rules the frame loop runs for one slot right after the fish in it is drawn:
//   slot 0: collision avoidance, then its position is recorded for the proximity rule;
//   slots 1..9: follow state, then the follower rule for slot - 1 (so slot 1 steers the leader
//               and slot 9 is steered by no one);
//   slots 10..49: wander state, collision avoidance, position recorded.
// Slots outside 0..49 are ignored.
void RunFishRules(FishTank& tank, int slot);

// After all fish of the frame: every pair of slots P < Q below fishCount (at most 50) whose
// recorded positions lie within 5 on each axis, where P's entry has been recorded (int flag 0),
// nudges fish P's pitch away from fish Q.
void RunProximityRule(FishTank& tank, int fishCount);

// Collision avoidance for the fish in slot: it is tested against every other slot, drawn or
// not, and swerves, turns about, or speeds up ahead of the other fish.
void AvoidCollisions(FishTank& tank, int slot);

// Speed and pitch of fish k against the leader's tail point.
void RunFollowerRule(FishTank& tank, int k);

}  // namespace reef
