#pragma once

// The desktop snapshot as its loader sees it (the rows FindBgrRows finds), turned into plain red,
// green, blue bytes, so that tests and fuzz targets can compare it with the texture reader's
// pixels. Rows stay in the file's order, bottom row first.
#include <cstdint>
#include <optional>
#include <vector>

#include "resources/bmp_format.h"

namespace reef {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

inline std::optional<RgbImage> DecodeRgbBitmap(const std::uint8_t* data, std::size_t size) {
    const auto rows = FindBgrRows(data, size);
    if (!rows) {
        return std::nullopt;
    }
    RgbImage image{rows->width, rows->height, {}};
    const std::size_t rowBytes = BmpRowBytes(rows->bitsPerPixel, rows->width);
    const int bytes = rows->bitsPerPixel / 8;
    image.rgb.reserve(static_cast<std::size_t>(rows->width) * rows->height * 3);
    for (int y = 0; y < rows->height; ++y) {
        const std::uint8_t* row = data + rows->offset + y * rowBytes;
        for (int x = 0; x < rows->width; ++x) {
            const std::uint8_t* p = row + x * bytes;
            image.rgb.insert(image.rgb.end(), {p[2], p[1], p[0]});
        }
    }
    return image;
}

}  // namespace reef
