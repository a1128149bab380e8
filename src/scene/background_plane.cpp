#include "scene/background_plane.h"

#include <algorithm>

#include "platform/random.h"
#include "scene/ripple_grid.h"

namespace reef {

PlaneHalfSize BackgroundHalfSize(int aspectClass, int width, int height, bool listedScreen) {
    if (listedScreen && aspectClass >= 0 &&
        aspectClass < static_cast<int>(kBackgroundHalfWidth.size())) {
        return {kBackgroundHalfWidth[aspectClass], kBackgroundHalfHeight};
    }
    // The view is 39.8 units high (or wide, on a portrait screen) on each side of the centre at
    // the plane; 40 leaves a small margin, and the other side follows the screen's ratio.
    float w = static_cast<float>(std::max(width, 1));
    float h = static_cast<float>(std::max(height, 1));
    if (w >= h) {
        return {kBackgroundHalfHeight * w / h, kBackgroundHalfHeight};
    }
    return {kBackgroundHalfHeight, kBackgroundHalfHeight * h / w};
}

void BackgroundPassCounters::Advance() {
    int before = pass++;
    if (++cycle == 10) {
        cycle = 0;
    }
    if (before > 50) {
        pass = Rand() % 50;
    }
}

BackgroundPassCounters& ProcessBackgroundCounters() {
    static BackgroundPassCounters counters;
    return counters;
}

void RainFrame(RippleGrids& grids, int screenWidth, int screenHeight,
               BackgroundPassCounters& counters, int drawnGrids, void (*draw)(const RippleGrid&)) {
    const int w = std::max(screenWidth, 1);
    const int h = std::max(screenHeight, 1);
    Rand();
    counters.Advance();
    for (int g = 0; g < kRippleGridCount; ++g) {
        RippleGrid& grid = *grids[static_cast<std::size_t>(g)];
        int y = Rand() % h;
        int x = Rand() % w;
        grid.AddDrop(x, y);
        if (g < drawnGrids) {
            draw(grid);
        }
        Rand();
        Rand();
        grid.Step();
    }
}

}  // namespace reef
