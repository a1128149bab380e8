#include "media/picture_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace reef {

PixelRect CoverCrop(int width, int height, int boxWidth, int boxHeight) {
    const std::int64_t w = std::max(width, 1);
    const std::int64_t h = std::max(height, 1);
    const std::int64_t bw = std::max(boxWidth, 1);
    const std::int64_t bh = std::max(boxHeight, 1);
    PixelRect crop;
    if (w * bh > h * bw) {  // wider than the box: the sides go
        crop.height = static_cast<int>(h);
        crop.width = static_cast<int>(std::clamp<std::int64_t>((h * bw + bh / 2) / bh, 1, w));
        crop.x = static_cast<int>((w - crop.width) / 2);
    } else {  // taller (or the same shape): the top and bottom go
        crop.width = static_cast<int>(w);
        crop.height = static_cast<int>(std::clamp<std::int64_t>((w * bh + bw / 2) / bw, 1, h));
        crop.y = static_cast<int>((h - crop.height) / 2);
    }
    return crop;
}

int CoverReduction(int width, int height, int boxWidth, int boxHeight) {
    for (int reduction = 8; reduction > 1; reduction /= 2) {
        if (width / reduction >= boxWidth && height / reduction >= boxHeight) {
            return reduction;
        }
    }
    return 1;
}

PixelSize PlanePictureSize(int screenWidth, int screenHeight, float planeAspect) {
    const int w = std::max(screenWidth, 1);
    const int h = std::max(screenHeight, 1);
    const double aspect = planeAspect > 0.0f ? planeAspect : static_cast<double>(w) / h;
    // The smallest size of the plane's shape that covers the screen.
    if (aspect * h >= w) {  // wider than the screen: its height spans the screen's
        return {std::max(1, static_cast<int>(std::lround(h * aspect))), h};
    }
    return {w, std::max(1, static_cast<int>(std::lround(w / aspect)))};
}

}  // namespace reef
