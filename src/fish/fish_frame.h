#pragma once

#include <algorithm>

#include "fish/fish.h"
#include "fish/fish_draw.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"

namespace reef {

class FishGlSink;

// The motion rules a draw runs, for one tank fish: the body bend of its turn style, its wander
// or follow step, and its move with the new bounding points.
class FishMotionHooks final : public FishDrawHooks {
public:
    explicit FishMotionHooks(Fish& fish) : m_fish(fish) {}
    void BendBody(float ringYaw[20]) override { m_fish.Bend(ringYaw); }
    void BehaviourStep() override { m_fish.BehaviourStep(); }
    void MoveStep() override { m_fish.MoveAndUpdateBounds(); }

private:
    Fish& m_fish;
};

// Draws a tank fish as the given kind (0..14) into sink, which runs its motion for this frame.
void DrawTankFish(Fish& fish, int kind, FishGlSink& sink);

// A sink that draws nothing, for running fish without a display.
FishGlSink& NullFishSink();

// The fish part of one frame: for each slot below slots.fishCount (at most 50), drawSlot(fish,
// kind) draws it, then RunFishRules; after all slots, RunProximityRule. drawSlot must call
// DrawTankFish exactly once.
template <class DrawSlot>
void RunFishPass(FishTank& tank, const SlotAssignment& slots, DrawSlot&& drawSlot) {
    const int n = std::min(slots.fishCount, kFishSlots);
    for (int slot = 0; slot < n; ++slot) {
        drawSlot(tank.fish[slot], slots.kind[slot]);
        RunFishRules(tank, slot);
    }
    RunProximityRule(tank, n);
}

// The fish part of one frame, drawn into NullFishSink: every motion rule and random draw of a
// real frame, without a display.
void SimulateFrame(FishTank& tank, const SlotAssignment& slots);

}  // namespace reef
