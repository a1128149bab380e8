#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace reef {

// What the slideshow learns about a picture file before it decodes it: the format, the size
// and, for JPEG photos, the EXIF orientation. Reading a header costs a few small reads however
// large the picture is, so a file that would take too much memory is refused before any pixel
// is decoded.

enum class PictureFormat { kJpeg, kPng, kBmp };

struct PictureHeader {
    PictureFormat format = PictureFormat::kJpeg;
    int width = 0;   // pixels as stored, before the orientation is applied
    int height = 0;  // pixels; a top-down bitmap's height is given positive
    // EXIF orientation 1..8 (1 = upright as stored; 6 = turn 90 degrees clockwise to view;
    // 5 and 7 mirror as well). 1 when the file says nothing or something out of range.
    int orientation = 1;
};

// The largest picture the slideshow decodes: 100 megapixels, which holds every camera photo of
// today. Decoding one takes about 300 MB for the whole-size copy; anything larger is far more
// likely a decompression bomb than a photo.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// True for a picture with positive sides of at most kMaxPicturePixels pixels in all.
bool WithinPixelLimit(std::int64_t width, std::int64_t height);

// The header of the JPEG, PNG or BMP file at `path`, told apart by content, not by name.
// Nothing when the file cannot be read, is of another kind, is cut short (a JPEG without its
// end marker after the image data, a PNG whose chunks do not reach IEND, a bitmap whose rows
// do not fit in the file), states a size of zero, or is a run-length encoded bitmap or one with
// a palette shorter than its depth's range. The pixel
// limit is not applied here.
std::optional<PictureHeader> ReadPictureHeader(const std::string& path);

// The orientation tag of an EXIF block (the APP1 payload after "Exif\0\0": a TIFF header and
// its first directory). 1 when there is none or the block is malformed.
int ExifOrientation(const std::uint8_t* tiff, std::size_t size);

}  // namespace reef
