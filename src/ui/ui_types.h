#pragma once

#include <cstdint>

namespace reef {

// A colour as 0x00BBGGRR: red in the lowest byte, blue in the third.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
           static_cast<ColorRef>(blue & 0xFF) << 16;
}

// A rectangle in pixels; right() and bottom() are one past the last pixel.
struct UiRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const UiRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

}  // namespace reef
