#pragma once

#include <cstdint>

namespace reef {

// Inverts (255 - value) every channel of the pixels of an RGB image (3 bytes a pixel, rows top
// down, no padding) that lie in the filled ellipse inscribed in the rectangle at (left, top) of
// width x height pixels. Parts of the rectangle outside the image are skipped. Marks the selected
// cell of the Fish Settings picture sheet; GTK's cairo drawing has no inverting raster operation.
void InvertEllipse(std::uint8_t* rgb, int imageWidth, int imageHeight, int left, int top, int width,
                   int height);

}  // namespace reef
