#include "resources/bmp_format.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// How many bytes of a bitmap file the two decoders can look at, from its first `size` bytes
// (the 54 header bytes). A header that no decoder accepts needs no more than itself.
std::uint64_t BitmapBytesNeeded(const std::uint8_t* head, std::size_t size) {
    constexpr std::uint64_t kHeaders = kFileHeaderSize + kInfoHeaderSize;
    // ReadHeaders looks at the first 54 bytes only; the check against the file's length, which
    // is not known yet, is left to the decoders.
    auto h =
        size < kHeaders ? std::nullopt : ReadHeaders(head, std::numeric_limits<std::size_t>::max());
    if (!h) {
        return kHeaders;
    }
    const std::uint64_t image =
        static_cast<std::uint64_t>(BmpRowBytes(h->bitsPerPixel, h->width)) * h->height;
    // The texture reader's rows follow the info header and at most 256 palette entries; the
    // snapshot reader's follow the pixel offset.
    const std::uint64_t afterInfo = kFileHeaderSize + std::uint64_t{h->infoSize} + 256 * 4 + image;
    const std::uint64_t afterOffset = std::uint64_t{h->pixelOffset} + image;
    return afterInfo > afterOffset ? afterInfo : afterOffset;
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

std::optional<std::vector<std::uint8_t>> ReadBitmapFile(const std::string& path) {
    // O_NONBLOCK: a FIFO standing at the path must not hold the program up in open().
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    auto readUpTo = [&](std::uint64_t total) {
        while (ok && bytes.size() < total) {
            std::uint8_t buffer[65536];
            std::uint64_t want = total - bytes.size();
            ssize_t got = read(fd, buffer, want < sizeof buffer ? want : sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                ok = got == 0;
                return;
            }
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
    };
    if (ok) {
        const std::uint64_t fileSize = static_cast<std::uint64_t>(info.st_size);
        readUpTo(std::min<std::uint64_t>(fileSize, kFileHeaderSize + kInfoHeaderSize));
        readUpTo(std::min(fileSize, BitmapBytesNeeded(bytes.data(), bytes.size())));
    }
    close(fd);
    if (!ok) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace reef
