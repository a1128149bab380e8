#pragma once

namespace reef {

// How a picture of any shape fills the background, as a desktop wallpaper does by default: it
// keeps its shape, covers the whole plane, and what overflows is cut away evenly on both sides.

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct PixelSize {
    int width = 0, height = 0;
};

// The part of a `width` x `height` picture that is shown in a box of `boxWidth` x `boxHeight`:
// the largest centred rectangle of the box's shape. Sides below 1 count as 1.
PixelRect CoverCrop(int width, int height, int boxWidth, int boxHeight);

// The JPEG decoder's reduction, 1, 2, 4 or 8: the largest that still leaves a `width` x
// `height` picture at least as large as the box on both axes, so that the crop is averaged
// down to the box and never enlarged to it. 1 when the picture is smaller than the box.
int CoverReduction(int width, int height, int boxWidth, int boxHeight);

// The size in pixels a picture is brought to for a plane whose width is `planeAspect` times its
// height, on a `screenWidth` x `screenHeight` screen that the plane covers: the smallest size of
// the plane's shape that covers the screen, so one texel falls on about one pixel.
PixelSize PlanePictureSize(int screenWidth, int screenHeight, float planeAspect);

}  // namespace reef
