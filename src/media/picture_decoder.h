#pragma once

#include <wx/image.h>

#include <string>

namespace reef {

// Decodes the JPEG, PNG or BMP picture at `path` (any bytes a Linux file name may hold) to fill
// a box of `boxWidth` x `boxHeight` pixels, as a wallpaper fills a screen:
//  - the header is read first, and a file that is cut short, lies about its size or holds more
//    than kMaxPicturePixels (media/picture_header.h) is refused before any pixel is decoded;
//  - a photo's EXIF orientation is applied, so it comes out upright;
//  - the picture keeps its shape: what overflows the box's shape is cut away evenly on both
//    sides (media/picture_fit.h), and a larger picture is averaged down to the box (a large
//    JPEG is first decoded at 1/2, 1/4 or 1/8 of its size, as small as still covers the box).
//    A smaller one stays at its size: nothing is gained by enlarging it here.
// The result is 8 bits a channel RGB, with an alpha plane when the file has one. An invalid
// image on any failure; nothing is logged or shown.
wxImage DecodePicture(const std::string& path, int boxWidth, int boxHeight);

}  // namespace reef
