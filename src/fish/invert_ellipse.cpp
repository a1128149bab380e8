#include "fish/invert_ellipse.h"

#include <algorithm>

namespace reef {

void InvertEllipse(std::uint8_t* rgb, int imageWidth, int imageHeight, int left, int top, int width,
                   int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    // Pixel centres (x + 0.5, y + 0.5) inside ((x - cx) / a)^2 + ((y - cy) / b)^2 <= 1.
    const double a = width / 2.0;
    const double b = height / 2.0;
    const double cx = left + a;
    const double cy = top + b;
    for (int y = std::max(top, 0); y < std::min(top + height, imageHeight); ++y) {
        const double dy = (y + 0.5 - cy) / b;
        for (int x = std::max(left, 0); x < std::min(left + width, imageWidth); ++x) {
            const double dx = (x + 0.5 - cx) / a;
            if (dx * dx + dy * dy <= 1.0) {
                std::uint8_t* pixel = rgb + (static_cast<long>(y) * imageWidth + x) * 3;
                for (int c = 0; c < 3; ++c) {
                    pixel[c] = static_cast<std::uint8_t>(255 - pixel[c]);
                }
            }
        }
    }
}

}  // namespace reef
