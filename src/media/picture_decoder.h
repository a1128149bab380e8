#pragma once

#include <wx/image.h>

#include <string>

namespace reef {

// Decodes the JPEG, PNG or BMP picture at `path` (any bytes a Linux file name may hold) for a
// screen of `maxWidth` x `maxHeight` pixels:
//  - the header is read first, and a file that is cut short, lies about its size or holds more
//    than kMaxPicturePixels (media/picture_header.h) is refused before any pixel is decoded;
//  - a large JPEG is decoded at 1/2, 1/4 or 1/8 of its size, as small as keeps three quarters
//    of the screen's size, then every picture larger than the screen is averaged down to at
//    most its size on each axis (the background stretches the picture over the view, so no
//    detail beyond the screen's is ever shown);
//  - a photo's EXIF orientation is applied, so it comes out upright.
// The result is 8 bits a channel RGB, with an alpha plane when the file has one. An invalid
// image on any failure; nothing is logged or shown.
wxImage DecodePicture(const std::string& path, int maxWidth, int maxHeight);

}  // namespace reef
