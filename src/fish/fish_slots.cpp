#include "fish/fish_slots.h"

#include <algorithm>

namespace reef {

SlotAssignment AssignSlots(const int* counts, int kinds) {
    SlotAssignment slots;
    const int kindCount = counts ? std::clamp(kinds, 0, kFishKinds) : 0;
    for (int k = 0; k < kindCount && slots.fishCount < kFishSlots; ++k) {
        const int take = std::min(std::max(counts[k], 0), kFishSlots - slots.fishCount);
        for (int i = 0; i < take; ++i) {
            slots.kind[slots.fishCount++] = k;
        }
    }
    return slots;
}

}  // namespace reef
