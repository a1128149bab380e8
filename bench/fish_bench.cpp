// One frame of fish motion for a full tank of 50: every fish's behaviour, bend, move and
// bounding points, the per-slot rules (avoidance tests 50 boxes per free swimmer) and the
// proximity rule over all pairs.
#include <benchmark/benchmark.h>

#include <cmath>

#include "fish/fish_frame.h"
#include "fish/fish_placement.h"
#include "fish/fish_slots.h"
#include "fish/fish_tank.h"
#include "view/screen_tables.h"

namespace reef {
namespace {

class RollingFloor : public FloorHeights {
public:
    Vec3 Vertex(int row, int column) const override {
        const float height = std::cos(0.1f * static_cast<float>(row + column)) * 0.04f *
                             static_cast<float>(50 - column);
        return {static_cast<float>(row - 54), height, static_cast<float>(column - 50)};
    }
};

void BM_FishFrameFullTank(benchmark::State& state) {
    FishTank tank;
    RollingFloor floor;
    PlaceFish(tank, TankBoxForScreen(1680, 1050), floor);
    int counts[kFishKinds] = {10, 10, 10, 10, 10};
    const SlotAssignment slots = AssignSlots(counts, kFishKinds);
    // Let the school spread out from its start-up columns first.
    for (int frame = 0; frame < 1000; ++frame) {
        SimulateFrame(tank, slots);
    }
    for (auto _ : state) {
        SimulateFrame(tank, slots);
        benchmark::DoNotOptimize(tank.fish[kFishSlots - 1].position);
    }
}
BENCHMARK(BM_FishFrameFullTank);

}  // namespace
}  // namespace reef

BENCHMARK_MAIN();
