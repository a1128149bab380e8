#pragma once

#include <cstdint>
#include <vector>

#include "resources/bmp_format.h"

namespace reef::test {

// Builds bitmap files for tests: headers as the program writes them, then an optional palette
// and the pixel rows. Fields can be patched afterwards to make a header lie.
struct BmpBuilder {
    int width = 2;
    int height = 2;
    int bitsPerPixel = 24;
    std::vector<std::uint8_t> palette;  // 4 bytes an entry
    std::uint32_t coloursUsed = 0;

    // Pixel (x, y) of row y from the bottom gets bytes from `pixel(x, y, channel)`.
    template <typename PixelFn>
    std::vector<std::uint8_t> Build(PixelFn pixel) const {
        std::size_t rowBytes = BmpRowBytes(bitsPerPixel, width);
        std::vector<std::uint8_t> file = EncodeBitmapHeaders(width, height, bitsPerPixel, rowBytes);
        Patch32(file, 46, coloursUsed);
        Patch32(file, 10, static_cast<std::uint32_t>(54 + palette.size()));
        file.insert(file.end(), palette.begin(), palette.end());
        int bytesPerPixel = bitsPerPixel / 8;
        for (int y = 0; y < height; ++y) {
            std::vector<std::uint8_t> row(rowBytes, 0);
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < bytesPerPixel; ++c) {
                    row[static_cast<std::size_t>(x * bytesPerPixel + c)] = pixel(x, y, c);
                }
            }
            file.insert(file.end(), row.begin(), row.end());
        }
        return file;
    }

    static void Patch32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    static void Patch16(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
        file[at] = static_cast<std::uint8_t>(value);
        file[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
};

}  // namespace reef::test
