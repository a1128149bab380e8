#include "resources/bmp_format.h"

#include <sys/stat.h>

#include <cstdio>
#include <limits>

namespace reef {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// No texture or snapshot is anywhere near this; it keeps size arithmetic far from overflow.
constexpr std::int64_t kMaxDimension = 1 << 15;

std::uint32_t U16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(U32(p));
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The fields of the two headers that the readers need, after the checks they share.
struct Headers {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

std::optional<Headers> ReadHeaders(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize) {
        return std::nullopt;
    }
    if (U16(data) != 0x4D42) {  // "BM"
        return std::nullopt;
    }
    const std::uint8_t* info = data + kFileHeaderSize;
    Headers h;
    h.pixelOffset = U32(data + 10);
    h.infoSize = U32(info);
    std::int64_t width = I32(info + 4);
    std::int64_t height = I32(info + 8);
    h.bitsPerPixel = static_cast<int>(U16(info + 14));
    h.compression = U32(info + 16);
    h.coloursUsed = U32(info + 32);
    if (h.infoSize < kInfoHeaderSize || h.infoSize > size - kFileHeaderSize || width <= 0 ||
        height <= 0 || width > kMaxDimension || height > kMaxDimension) {
        return std::nullopt;
    }
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height);
    return h;
}

bool Fits(std::size_t offset, std::size_t length, std::size_t size) {
    return offset <= size && length <= size - offset;
}

}  // namespace

std::size_t BmpRowBytes(int bitsPerPixel, int width) {
    return ((static_cast<std::size_t>(bitsPerPixel) * static_cast<std::size_t>(width) + 31) / 32) *
           4;
}

std::optional<TextureBitmap> DecodeTextureBitmap(const std::uint8_t* data, std::size_t size) {
    auto h = ReadHeaders(data, size);
    if (!h) {
        return std::nullopt;
    }
    // BI_RGB, or BI_BITFIELDS for 32 bits, where the masks do not change the byte layout we
    // read; run-length encoded files are not images this loader can read.
    bool plain = h->compression == 0 || (h->compression == 3 && h->bitsPerPixel == 32);
    if (!plain || (h->bitsPerPixel != 8 && h->bitsPerPixel != 24 && h->bitsPerPixel != 32)) {
        return std::nullopt;
    }
    // Newer info headers are longer than 40 bytes; the rows start after the whole header.
    std::size_t cursor = kFileHeaderSize + h->infoSize;
    std::size_t rowBytes = BmpRowBytes(h->bitsPerPixel, h->width);
    std::size_t imageBytes = rowBytes * static_cast<std::size_t>(h->height);

    TextureBitmap bitmap;
    bitmap.width = h->width;
    bitmap.height = h->height;
    if (h->bitsPerPixel != 8) {
        if (!Fits(cursor, imageBytes, size)) {
            return std::nullopt;
        }
        bitmap.bitsPerPixel = h->bitsPerPixel;
        bitmap.pixels.assign(data + cursor, data + cursor + imageBytes);
        return bitmap;
    }

    std::size_t paletteEntries = h->coloursUsed == 0 ? 256 : h->coloursUsed;
    if (paletteEntries > 256 || !Fits(cursor, paletteEntries * 4, size)) {
        return std::nullopt;
    }
    const std::uint8_t* palette = data + cursor;
    cursor += paletteEntries * 4;
    if (!Fits(cursor, imageBytes, size)) {
        return std::nullopt;
    }
    const std::uint8_t* rows = data + cursor;
    std::size_t outRowBytes = BmpRowBytes(24, h->width);
    bitmap.bitsPerPixel = 24;
    bitmap.pixels.assign(outRowBytes * static_cast<std::size_t>(h->height), 0);
    for (int y = 0; y < h->height; ++y) {
        const std::uint8_t* in = rows + static_cast<std::size_t>(y) * rowBytes;
        std::uint8_t* out = bitmap.pixels.data() + static_cast<std::size_t>(y) * outRowBytes;
        for (int x = 0; x < h->width; ++x) {
            std::size_t index = in[x];
            // An index past a short palette has no colour; it reads as black.
            if (index < paletteEntries) {
                out[3 * x + 0] = palette[4 * index + 0];
                out[3 * x + 1] = palette[4 * index + 1];
                out[3 * x + 2] = palette[4 * index + 2];
            }
        }
    }
    return bitmap;
}

std::optional<BgrRows> FindBgrRows(const std::uint8_t* data, std::size_t size) {
    auto h = ReadHeaders(data, size);
    if (!h || h->compression != 0 || (h->bitsPerPixel != 24 && h->bitsPerPixel != 32)) {
        return std::nullopt;
    }
    std::size_t rowBytes = BmpRowBytes(h->bitsPerPixel, h->width);
    std::size_t imageBytes = rowBytes * static_cast<std::size_t>(h->height);
    if (h->pixelOffset < kFileHeaderSize + kInfoHeaderSize ||
        !Fits(h->pixelOffset, imageBytes, size)) {
        return std::nullopt;
    }
    return BgrRows{h->width, h->height, h->bitsPerPixel, h->pixelOffset};
}

std::vector<std::uint8_t> EncodeBitmapHeaders(int width, int height, int bitsPerPixel,
                                              std::size_t rowBytes) {
    std::uint64_t imageSize = static_cast<std::uint64_t>(height) * rowBytes;
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize);
    Put16(out, 0x4D42);
    Put32(out, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + imageSize));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, 0);  // no compression
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    // One allocation of a regular file's size, not a doubling buffer.
    struct stat info {};
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace reef
