#pragma once

#include <array>
#include <memory>

namespace reef {

class RippleGrid;

// The ripple grids laid over the background picture, drawn in this order every frame.
constexpr int kRippleGridCount = 10;
using RippleGrids = std::array<std::unique_ptr<RippleGrid>, kRippleGridCount>;

// The plane stands this far down the z axis, 99.5 units in front of the camera.
constexpr float kBackgroundPlaneZ = -110.0f;
constexpr float kBackgroundHalfHeight = 40.0f;

// The plane's half-width in world units by screen-size class 0..6: the visible half-width at
// the plane for the aspect ratio of each class (4:3, 5:4, 16:10, about 16:9), rounded up.
constexpr std::array<float, 7> kBackgroundHalfWidth = {53.1f, 49.9f, 64.0f, 64.0f,
                                                       64.0f, 71.0f, 71.0f};

struct PlaneHalfSize {
    float width;
    float height;
};

// The plane's half-size for a screen of width x height pixels. Screens listed in the class
// table use their class's half-width and the half-height 40. Any other screen is sized from its
// own aspect ratio so the picture covers the whole view: 40 * width / height wide on landscape
// screens, 40 * height / width high on portrait ones.
PlaneHalfSize BackgroundHalfSize(int aspectClass, int width, int height, bool listedScreen);

// The two pass counters of the background pass, advanced once a frame. Nothing reads them; they
// exist for the random number the pass counter draws whenever it runs past 50.
struct BackgroundPassCounters {
    int pass = 0;
    int cycle = 0;  // 0..9
    void Advance();
};

// The process-wide counters of the running background pass.
BackgroundPassCounters& ProcessBackgroundCounters();

// One frame of rain over the grids, with the process-wide random numbers in their fixed order:
// one number thrown away, the pass counters, then for each grid y = rand() % height,
// x = rand() % width, a drop at (x, y), `draw` of the grid if it is one of the first
// `drawnGrids`, two numbers that go unused and one step. Every grid gets its drop and its step
// whether it is drawn or not. Screen sizes below 1 count as 1.
void RainFrame(RippleGrids& grids, int screenWidth, int screenHeight,
               BackgroundPassCounters& counters, int drawnGrids, void (*draw)(const RippleGrid&));

}  // namespace reef
