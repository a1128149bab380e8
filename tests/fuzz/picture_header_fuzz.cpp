// The slideshow's header reader on any file: what it reports is a usable size and orientation of
// the format the file's first bytes name, and it agrees with the snapshot reader on bitmaps.
#include <cstring>
#include <string_view>

#include "../support/snapshot_rgb.h"
#include "fuzz_support.h"
#include "media/picture_header.h"
#include "resources/bmp_format.h"

namespace {

std::uint32_t Little32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reef;
    const int orientation = ExifOrientation(data, size);
    FUZZ_CHECK(orientation >= 1 && orientation <= 8);

    const std::string path = fuzz::WriteScratchFile(
        "picture", std::string_view(reinterpret_cast<const char*>(data), size));
    const auto header = ReadPictureHeader(path);
    if (header) {
        FUZZ_CHECK(header->width > 0 && header->height > 0);
        FUZZ_CHECK(header->orientation >= 1 && header->orientation <= 8);
        switch (header->format) {
            case PictureFormat::kJpeg:
                FUZZ_CHECK(size >= 3 && data[0] == 0xFF && data[1] == 0xD8);
                break;
            case PictureFormat::kPng:
                FUZZ_CHECK(size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0);
                break;
            case PictureFormat::kBmp:
                FUZZ_CHECK(size >= 2 && data[0] == 'B' && data[1] == 'M');
                break;
        }
    }
    // A bitmap the snapshot reader takes, with an info header the slideshow knows (40 to 124
    // bytes) and its rows after it, has the same size for the slideshow.
    if (auto rgb = DecodeRgbBitmap(data, size)) {
        const std::uint32_t infoSize = Little32(data + 14);
        if (infoSize <= 124 && Little32(data + 10) >= 14 + infoSize) {
            FUZZ_CHECK(header && header->format == PictureFormat::kBmp);
            FUZZ_CHECK(header->width == rgb->width && header->height == rgb->height);
        }
    }
    return 0;
}
