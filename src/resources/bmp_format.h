#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reef {

// Bytes in one stored bitmap row: rows are padded to a multiple of 4 bytes.
std::size_t BmpRowBytes(int bitsPerPixel, int width);

// A bitmap ready for the plain texture loader: bottom-up rows in the file's channel order
// (blue, green, red[, alpha]), each row padded to 4 bytes. 8-bit images come out expanded
// through their palette, so bitsPerPixel is 24 or 32.
struct TextureBitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint8_t> pixels;
};

// Reads an uncompressed 8-, 24- or 32-bit bitmap file. The pixel rows follow the info header
// (and, for 8 bits, its palette of colours-used entries, 256 when that field is 0); the file
// header's pixel offset is not consulted. Nothing for a file that is not such a bitmap or whose
// header promises more than the file holds.
std::optional<TextureBitmap> DecodeTextureBitmap(const std::uint8_t* data, std::size_t size);

// Where the pixels of an uncompressed 24- or 32-bit bitmap file lie, as they are stored: rows
// bottom-up from `offset` (the file header's pixel offset), blue, green, red (and one unused
// byte at 32 bits) a pixel, each row padded to 4 bytes. The snapshot loader hands these rows to
// OpenGL as they stand, without a copy.
struct BgrRows {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 24 or 32
    std::size_t offset = 0;
};

// Finds the rows of an uncompressed 24- or 32-bit bitmap file, honouring the pixel offset of its
// file header and checking that all rows lie inside the file. Nothing for any other file.
std::optional<BgrRows> FindBgrRows(const std::uint8_t* data, std::size_t size);

// The 54 header bytes of an uncompressed bitmap file with no colour table: file header ("BM",
// file size 54 + image size, pixel offset 54), then a 40-byte info header with the given size
// and depth, a positive height (bottom-up rows) and image size = height * row bytes.
std::vector<std::uint8_t> EncodeBitmapHeaders(int width, int height, int bitsPerPixel,
                                              std::size_t rowBytes);

// The bytes of the bitmap file at `path` that the decoders above can look at, as far as its
// headers say (never the gigabytes a damaged or hostile header can claim beyond the file), or
// the whole file when it is shorter. Nothing when the path is not a regular file (a pipe, a device
// such as /dev/zero, a folder) or cannot be read. Never blocks on a pipe.
std::optional<std::vector<std::uint8_t>> ReadBitmapFile(const std::string& path);

}  // namespace reef
