// One frame's wave step of the ten background grids, the plain per-vertex loop against
// RippleGrid::Step(), on the heaviest grids the program makes: 64 x 64 vertices, 8 slots, and
// drops spread over the grid whose waves have reached every vertex they can move.
// Compare the medians: --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "ripple_direct_step.h"
#include "scene/background_plane.h"
#include "scene/ripple_grid.h"

namespace reef {
namespace {

constexpr int kScreenWidth = 1680;
constexpr int kScreenHeight = 1050;
constexpr int kSlots = 8;
// Past this age every wave front has crossed the 15 columns a drop can reach (distance <= 1131),
// and with a wave life of 1024 the amplitude never drops to a zero row.
constexpr int kWarmUpSteps = 1200;

const std::vector<RippleGrid>& WorstCaseGrids() {
    static const std::vector<RippleGrid> grids = [] {
        std::vector<RippleGrid> made(kRippleGridCount);
        for (int g = 0; g < kRippleGridCount; ++g) {
            RippleGrid& grid = made[g];
            grid.SetShape(64, 64, 1024.0f, kSlots);
            grid.Resize(kScreenWidth, kScreenHeight);
            for (int k = 0; k < kSlots; ++k) {
                // A 4 x 2 spread of centres, shifted a little from grid to grid.
                int x = ((k % 4) * 2 + 1) * kScreenWidth / 8 + g * 17;
                int y = ((k / 4) * 2 + 1) * kScreenHeight / 4 - g * 11;
                grid.AddDrop(x, y);
            }
            for (int s = 0; s < kWarmUpSteps; ++s) {
                grid.Step();
            }
        }
        return made;
    }();
    return grids;
}

void DirectLoop(benchmark::State& state) {
    std::vector<std::unique_ptr<DirectRipple>> grids;
    for (const RippleGrid& grid : WorstCaseGrids()) {
        grids.push_back(std::make_unique<DirectRipple>(grid));
    }
    for (auto _ : state) {
        for (auto& grid : grids) {
            grid->Step();
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DirectLoop)->Unit(benchmark::kMicrosecond);

void RippleGridStep(benchmark::State& state) {
    std::vector<RippleGrid> grids = WorstCaseGrids();
    for (auto _ : state) {
        for (RippleGrid& grid : grids) {
            grid.Step();
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RippleGridStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace reef
