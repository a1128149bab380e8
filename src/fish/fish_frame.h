#pragma once

namespace reef {

struct Fish;
struct FishTank;
struct SlotAssignment;

// What drawing one fish does to its motion, without drawing, in the order of the draw:
//   store the kind; the mouth's open/close decision (Fish::Breathe); the body bend
//   (Fish::Bend, which turns the heading); the head-fin drift (Fish::UpdateDrift); pitch easing
//   (Fish::EasePitch); the behaviour step; then the move and the bounding points
//   (Fish::MoveAndUpdateBounds).
// Breathe and UpdateDrift are included because they draw from the same generator between the
// motion rules; the tail and fin waves draw nothing and are left out.
void SimulateFishDraw(Fish& fish, int kind);

// One frame of fish motion as the frame loop runs it: for each slot below slots.fishCount, the
// simulated draw and then RunFishRules; after all slots, RunProximityRule.
void SimulateFrame(FishTank& tank, const SlotAssignment& slots);

}  // namespace reef
