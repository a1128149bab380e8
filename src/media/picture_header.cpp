#include "media/picture_header.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace reef {
namespace {

// Reads parts of a file by absolute offset; every read is bounds-checked against its size.
class FileReader {
public:
    explicit FileReader(const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return;
        }
        m_file.reset(std::fopen(path.c_str(), "rb"));
        m_size = static_cast<std::int64_t>(info.st_size);
    }
    bool IsOpen() const { return m_file != nullptr; }
    std::int64_t Size() const { return m_size; }

    bool Read(std::int64_t offset, void* out, std::size_t count) {
        if (offset < 0 || offset + static_cast<std::int64_t>(count) > m_size ||
            std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0) {
            return false;
        }
        return std::fread(out, 1, count, m_file.get()) == count;
    }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::int64_t m_size = 0;
};

std::uint32_t Big16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 8 | p[1];
}
std::uint32_t Big32(const std::uint8_t* p) {
    return Big16(p) << 16 | Big16(p + 2);
}
std::uint32_t Little16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}
std::uint32_t Little32(const std::uint8_t* p) {
    return Little16(p + 2) << 16 | Little16(p);
}

constexpr int kIntMax = std::numeric_limits<int>::max();

bool IsStartOfFrame(int marker) {
    // SOF0..SOF15, without DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// True when the two bytes FF D9 (end of image) occur at or after `from`. Searched backwards from
// the end, where a whole file has them, so a complete file costs one small read.
bool HasEndOfImageAfter(FileReader& file, std::int64_t from) {
    constexpr std::int64_t kChunk = 64 * 1024;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(kChunk) + 1);
    std::int64_t end = file.Size();
    while (end - from >= 2) {
        const std::int64_t start = std::max(from, end - kChunk);
        // One byte of overlap with the chunk after, so a marker across the seam is found.
        const std::int64_t stop = std::min(file.Size(), end + 1);
        const auto count = static_cast<std::size_t>(stop - start);
        if (!file.Read(start, buffer.data(), count)) {
            return false;
        }
        for (std::size_t i = count - 1; i > 0; --i) {
            if (buffer[i - 1] == 0xFF && buffer[i] == 0xD9) {
                return true;
            }
        }
        end = start;
    }
    return false;
}

std::optional<PictureHeader> ReadJpeg(FileReader& file) {
    PictureHeader header;
    header.format = PictureFormat::kJpeg;
    bool haveFrame = false;
    bool haveExif = false;
    std::int64_t at = 2;  // after the start-of-image marker
    for (;;) {
        std::uint8_t byte = 0;
        if (!file.Read(at++, &byte, 1) || byte != 0xFF) {
            return std::nullopt;  // markers follow each other directly
        }
        while (byte == 0xFF) {  // fill bytes
            if (!file.Read(at++, &byte, 1)) {
                return std::nullopt;
            }
        }
        const int marker = byte;
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            continue;  // no length follows these
        }
        if (marker == 0xD9 || marker == 0x00) {
            return std::nullopt;  // the end before any image data
        }
        std::uint8_t lengthBytes[2];
        if (!file.Read(at, lengthBytes, 2)) {
            return std::nullopt;
        }
        const std::uint32_t length = Big16(lengthBytes);  // counts itself
        if (length < 2 || at + length > file.Size()) {
            return std::nullopt;
        }
        if (IsStartOfFrame(marker)) {
            std::uint8_t frame[6];
            if (length < 8 || !file.Read(at + 2, frame, sizeof frame)) {
                return std::nullopt;
            }
            header.height = static_cast<int>(Big16(frame + 1));
            header.width = static_cast<int>(Big16(frame + 3));
            haveFrame = true;
        } else if (marker == 0xE1 && !haveExif && length > 8) {
            std::vector<std::uint8_t> segment(length - 2);
            if (!file.Read(at + 2, segment.data(), segment.size())) {
                return std::nullopt;
            }
            if (std::memcmp(segment.data(), "Exif\0\0", 6) == 0) {
                header.orientation = ExifOrientation(segment.data() + 6, segment.size() - 6);
                haveExif = true;
            }
        } else if (marker == 0xDA) {
            // A height of 0 would be given later by a DNL marker, which decoders rarely take.
            if (!haveFrame || header.width == 0 || header.height == 0 ||
                !HasEndOfImageAfter(file, at + length)) {
                return std::nullopt;
            }
            return header;
        }
        at += length;
    }
}

std::optional<PictureHeader> ReadPng(FileReader& file) {
    PictureHeader header;
    header.format = PictureFormat::kPng;
    std::uint8_t ihdr[8 + 13];
    if (!file.Read(8, ihdr, sizeof ihdr) || Big32(ihdr) != 13 ||
        std::memcmp(ihdr + 4, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = Big32(ihdr + 8);
    const std::uint32_t height = Big32(ihdr + 12);
    if (width == 0 || height == 0 || width > kIntMax || height > kIntMax) {
        return std::nullopt;
    }
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    // Every chunk must lie inside the file up to IEND: length, type, data, CRC.
    std::int64_t at = 8;
    for (;;) {
        std::uint8_t chunk[8];
        if (!file.Read(at, chunk, sizeof chunk)) {
            return std::nullopt;
        }
        const std::int64_t next = at + 12 + static_cast<std::int64_t>(Big32(chunk));
        if (next > file.Size()) {
            return std::nullopt;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            return header;
        }
        at = next;
    }
}

std::optional<PictureHeader> ReadBmp(FileReader& file) {
    PictureHeader header;
    header.format = PictureFormat::kBmp;
    std::uint8_t head[14 + 40] = {};
    if (!file.Read(0, head, 18)) {
        return std::nullopt;
    }
    const std::uint32_t dataOffset = Little32(head + 10);
    const std::uint32_t infoSize = Little32(head + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {  // the oldest header: 16-bit sides, never compressed
        if (!file.Read(0, head, 26)) {
            return std::nullopt;
        }
        width = Little16(head + 18);
        height = Little16(head + 20);
        bitsPerPixel = Little16(head + 24);
    } else if (infoSize >= 40 && infoSize <= 124) {  // 40, and the later ones that extend it
        if (!file.Read(0, head, sizeof head)) {
            return std::nullopt;
        }
        width = static_cast<std::int32_t>(Little32(head + 18));
        height = static_cast<std::int32_t>(Little32(head + 22));
        bitsPerPixel = Little16(head + 28);
        compression = Little32(head + 30);
    } else {
        return std::nullopt;
    }
    if (height < 0) {
        height = -height;  // rows stored top-down
    }
    const bool knownDepth = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 ||
                            bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    if (width <= 0 || height <= 0 || width > kIntMax || height > kIntMax || !knownDepth ||
        dataOffset < 14 + infoSize || dataOffset > file.Size()) {
        return std::nullopt;
    }
    // Uncompressed rows (plain or with colour masks) have a known size, which must fit the file.
    // Run-length rows (1, 2) are refused with every other kind: the system's decoder corrupts
    // its memory on damaged ones (a short palette and a stream that stops early are enough),
    // and a photo is never stored that way.
    if (compression != 0 && compression != 3 && compression != 6) {
        return std::nullopt;
    }
    // The same decoder looks pixel values up in the palette unchecked, so a palette shorter than
    // the depth's range lets a damaged file read past it; such files are refused as well.
    if (infoSize >= 40 && bitsPerPixel <= 8) {
        const std::uint32_t coloursUsed = Little32(head + 46);
        if (coloursUsed != 0 && coloursUsed < (1u << bitsPerPixel)) {
            return std::nullopt;
        }
    }
    // Divided rather than multiplied: sides near 2^31 would overflow the product.
    const std::int64_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    if (rowBytes > (file.Size() - dataOffset) / height) {
        return std::nullopt;
    }
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    return header;
}

}  // namespace

bool WithinPixelLimit(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPicturePixels &&
           height <= kMaxPicturePixels / width;
}

std::optional<PictureHeader> ReadPictureHeader(const std::string& path) {
    FileReader file(path);
    std::uint8_t magic[8];
    if (!file.IsOpen() || !file.Read(0, magic, sizeof magic)) {
        return std::nullopt;
    }
    if (magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
        return ReadJpeg(file);
    }
    if (std::memcmp(magic, "\x89PNG\r\n\x1a\n", 8) == 0) {
        return ReadPng(file);
    }
    if (magic[0] == 'B' && magic[1] == 'M') {
        return ReadBmp(file);
    }
    return std::nullopt;
}

int ExifOrientation(const std::uint8_t* tiff, std::size_t size) {
    if (size < 8) {
        return 1;
    }
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) {
        return 1;
    }
    auto u16 = [&](std::size_t at) { return little ? Little16(tiff + at) : Big16(tiff + at); };
    auto u32 = [&](std::size_t at) { return little ? Little32(tiff + at) : Big32(tiff + at); };
    if (u16(2) != 42) {
        return 1;
    }
    const std::size_t directory = u32(4);
    if (directory > size - 2) {
        return 1;
    }
    const std::size_t entries = u16(directory);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (entry + 12 > size) {
            break;
        }
        // Tag 0x0112, one SHORT, whose value sits in the first two bytes of the value field.
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3 && u32(entry + 4) == 1) {
            const int value = static_cast<int>(u16(entry + 8));
            return value >= 1 && value <= 8 ? value : 1;
        }
    }
    return 1;
}

}  // namespace reef
