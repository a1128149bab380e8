// The two bitmap readers on any bytes: the plain texture reader and the snapshot reader, checked
// against each other and against the file reader, which must hand them everything they need.
#include <cstring>
#include <optional>
#include <string_view>

#include "../support/snapshot_rgb.h"
#include "fuzz_support.h"
#include "resources/bmp_format.h"

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool SameTexture(const std::optional<reef::TextureBitmap>& a,
                 const std::optional<reef::TextureBitmap>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->width == b->width && a->height == b->height &&
                   a->bitsPerPixel == b->bitsPerPixel && a->pixels == b->pixels));
}

bool SameRgb(const std::optional<reef::RgbImage>& a, const std::optional<reef::RgbImage>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->width == b->width && a->height == b->height && a->rgb == b->rgb));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reef;
    const auto texture = DecodeTextureBitmap(data, size);
    const auto rgb = DecodeRgbBitmap(data, size);

    if (texture) {
        FUZZ_CHECK(texture->width > 0 && texture->height > 0);
        FUZZ_CHECK(texture->bitsPerPixel == 24 || texture->bitsPerPixel == 32);
        FUZZ_CHECK(texture->pixels.size() ==
                   BmpRowBytes(texture->bitsPerPixel, texture->width) * texture->height);
    }
    if (rgb) {
        FUZZ_CHECK(rgb->width > 0 && rgb->height > 0);
        FUZZ_CHECK(rgb->rgb.size() == static_cast<std::size_t>(rgb->width) * rgb->height * 3);

        // What the snapshot reader gave, written as a snapshot file, reads back the same.
        const std::size_t rowBytes = BmpRowBytes(32, rgb->width);
        std::vector<std::uint8_t> file = EncodeBitmapHeaders(rgb->width, rgb->height, 32, rowBytes);
        std::vector<std::uint8_t> row(rowBytes);
        for (int y = 0; y < rgb->height; ++y) {
            for (int x = 0; x < rgb->width; ++x) {
                const std::uint8_t* p =
                    &rgb->rgb[(static_cast<std::size_t>(y) * rgb->width + x) * 3];
                row[4 * x] = p[2];
                row[4 * x + 1] = p[1];
                row[4 * x + 2] = p[0];
            }
            file.insert(file.end(), row.begin(), row.end());
        }
        FUZZ_CHECK(SameRgb(DecodeRgbBitmap(file.data(), file.size()), rgb));
    }
    // Where both read the same rows (no palette, rows right after the info header), they see
    // the same picture.
    if (texture && rgb && U32(data + 10) == 14 + U32(data + 14)) {
        FUZZ_CHECK(texture->width == rgb->width && texture->height == rgb->height);
        const int bytes = texture->bitsPerPixel / 8;
        const std::size_t rowBytes = BmpRowBytes(texture->bitsPerPixel, texture->width);
        for (int y = 0; y < rgb->height; ++y) {
            for (int x = 0; x < rgb->width; ++x) {
                const std::uint8_t* t = &texture->pixels[y * rowBytes + x * bytes];
                const std::uint8_t* p =
                    &rgb->rgb[(static_cast<std::size_t>(y) * rgb->width + x) * 3];
                FUZZ_CHECK(p[0] == t[2] && p[1] == t[1] && p[2] == t[0]);
            }
        }
    }

    // Read from a file, the bytes decode exactly as the whole input does.
    const std::string path = fuzz::WriteScratchFile(
        "input.bmp", std::string_view(reinterpret_cast<const char*>(data), size));
    const auto read = ReadBitmapFile(path);
    FUZZ_CHECK(read && read->size() <= size);
    FUZZ_CHECK(read->empty() || std::memcmp(read->data(), data, read->size()) == 0);
    FUZZ_CHECK(SameTexture(DecodeTextureBitmap(read->data(), read->size()), texture));
    FUZZ_CHECK(SameRgb(DecodeRgbBitmap(read->data(), read->size()), rgb));
    return 0;
}
