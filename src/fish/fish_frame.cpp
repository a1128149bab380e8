#include "fish/fish_frame.h"

#include "fish/fish.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"

namespace reef {

void SimulateFishDraw(Fish& fish, int kind) {
    fish.kind = kind;
    fish.Breathe();
    fish.Bend();
    fish.UpdateDrift();
    fish.EasePitch();
    fish.BehaviourStep();
    fish.MoveAndUpdateBounds();
}

void SimulateFrame(FishTank& tank, const SlotAssignment& slots) {
    const int n = slots.fishCount < kFishSlots ? slots.fishCount : kFishSlots;
    for (int slot = 0; slot < n; ++slot) {
        SimulateFishDraw(tank.fish[slot], slots.kind[slot]);
        RunFishRules(tank, slot);
    }
    RunProximityRule(tank, n);
}

}  // namespace reef
