#pragma once

// Where each part of the fish model finds its colours in a 64 x 64 skin. Shared by the model
// generator (which gives every point its texture coordinate) and the skin painter (which paints
// into these areas). Pixel coordinates with row 0 at the top of the picture; the texture's t
// runs the other way, since bitmap rows are stored bottom-up.
namespace reef::skin {

constexpr int kSize = 64;

// The trunk is painted as a side view: head at the left, back at the top.
constexpr float kTrunkLeft = 0.0f;     // snout
constexpr float kTrunkRight = 48.0f;   // tail end
constexpr float kTrunkTop = 6.0f;      // back ridge
constexpr float kTrunkBottom = 50.0f;  // belly ridge

// Fins on the back, in the strip above the trunk: root at the strip's bottom row.
constexpr float kBackFinTop = 0.0f;
constexpr float kBackFinBottom = kTrunkTop;
constexpr float kDorsalLeft = 0.0f, kDorsalRight = 32.0f;
constexpr float kFrontDorsalLeft = 32.0f, kFrontDorsalRight = 48.0f;

// Fins below, in the strip under the trunk: root at the strip's top row.
constexpr float kLowFinTop = kTrunkBottom;
constexpr float kLowFinBottom = 64.0f;
constexpr float kPectoralLeft = 0.0f, kPectoralRight = 16.0f;
constexpr float kPelvicLeft = 16.0f, kPelvicRight = 32.0f;
constexpr float kAnalLeft = 32.0f, kAnalRight = 48.0f;

// The tail fin takes the right-hand column: root at the left, lower lobe at the bottom.
constexpr float kTailLeft = 48.0f, kTailRight = 64.0f;
constexpr float kTailTop = 1.0f, kTailBottom = 63.0f;

// Texture coordinates of a pixel position.
inline float S(float px) {
    return px / kSize;
}
inline float T(float row) {
    return 1.0f - row / kSize;
}

}  // namespace reef::skin
