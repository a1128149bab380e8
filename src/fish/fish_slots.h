#pragma once

#include <array>

namespace reef {

constexpr int kFishKinds = 15;
constexpr int kFishSlots = 50;

// Which kind each tank slot is drawn as: slots are handed to the kinds in kind order (kind 0
// takes the first count0 slots, kind 1 the next count1, ...). Only the first 50 slots exist, so
// a larger total is cut to 50 and the kinds beyond are left out.
struct SlotAssignment {
    int fishCount = 0;                   // slots in use this frame, 0..50
    std::array<int, kFishSlots> kind{};  // kind 0..14 of slots below fishCount, 0 beyond
};

// counts: one count per kind for kinds 0..kinds-1 (kinds beyond 15 are ignored); a negative
// count is taken as 0.
SlotAssignment AssignSlots(const int* counts, int kinds);

}  // namespace reef
