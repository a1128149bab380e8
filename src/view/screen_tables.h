#pragma once

namespace reef {

// The box the fish swim in, in world units.
struct TankBox {
    float minX = 0, maxX = 0;
    float maxY = 0, minY = 0;
    float minZ = 0, maxZ = 0;
};

// The tank box for a screen of w x h pixels. The listed screen sizes have their own boxes; any
// other size takes the box of the listed size whose aspect ratio is nearest to w / h.
TankBox TankBoxForScreen(int width, int height);

// The screen-size class (0..6) that picks the background plane's width; 1 for unlisted sizes.
int AspectClassForScreen(int width, int height);

// Whether the class table has a row of its own for a screen of w x h pixels.
bool IsAspectClassListed(int width, int height);

// The perspective frustum of every frame: near plane 1, far plane 1000, the shorter screen side
// spanning +-0.4 at the near plane.
struct Frustum {
    double left, right, bottom, top, zNear, zFar;
};
Frustum FrustumForScreen(int width, int height);

// The camera of every frame never moves: its eye stands on the z axis at kCameraEyeZ and looks
// toward -z (at kCameraTargetZ) with +y up, so the screen's right is +x and a point at depth z
// lies kCameraEyeZ - z in front of the eye.
constexpr double kCameraEyeZ = -10.5;
constexpr double kCameraTargetZ = -500.0;

}  // namespace reef
