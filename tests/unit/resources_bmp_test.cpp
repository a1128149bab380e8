#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "bmp_builder.h"
#include "resources/bmp_format.h"
#include "resources/texture_fit.h"
#include "support/snapshot_rgb.h"
#include "test_env.h"

namespace reef {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::BmpBuilder;

std::uint8_t Channel(int x, int y, int c) {
    return static_cast<std::uint8_t>(16 * x + 4 * y + c);
}

std::uint32_t Read32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(BitmapHeaders, SnapshotOfA1680x1050ScreenAt32Bits) {
    Bytes h = EncodeBitmapHeaders(1680, 1050, 32, BmpRowBytes(32, 1680));
    ASSERT_EQ(h.size(), 54u);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(Read32(h, 2), 7056054u);  // file size
    EXPECT_EQ(Read32(h, 6), 0u);        // reserved
    EXPECT_EQ(Read32(h, 10), 54u);      // pixel offset
    EXPECT_EQ(Read32(h, 14), 40u);      // info header size
    EXPECT_EQ(Read32(h, 18), 1680u);
    EXPECT_EQ(Read32(h, 22), 1050u);      // positive: bottom-up
    EXPECT_EQ(h[26] | (h[27] << 8), 1);   // planes
    EXPECT_EQ(h[28] | (h[29] << 8), 32);  // bits per pixel
    EXPECT_EQ(Read32(h, 30), 0u);         // no compression
    EXPECT_EQ(Read32(h, 34), 7056000u);   // image size
    for (std::size_t at = 38; at < 54; at += 4) {
        EXPECT_EQ(Read32(h, at), 0u) << at;  // resolutions, colours used and important
    }
}

TEST(BitmapRows, ArePaddedToFourBytes) {
    struct {
        int bits, width;
        std::size_t bytes;
    } cases[] = {{24, 1, 4}, {24, 3, 12}, {24, 5, 16}, {8, 1, 4}, {8, 5, 8}, {32, 3, 12}};
    for (auto c : cases) {
        EXPECT_EQ(BmpRowBytes(c.bits, c.width), c.bytes) << c.bits << "x" << c.width;
    }
}

TEST(TextureBitmap, Reads24And32BitRowsAsStored) {
    for (int bits : {24, 32}) {
        BmpBuilder b;
        b.width = 3;
        b.bitsPerPixel = bits;
        Bytes file = b.Build(Channel);
        auto bmp = DecodeTextureBitmap(file.data(), file.size());
        ASSERT_TRUE(bmp) << bits;
        EXPECT_EQ(bmp->width, 3);
        EXPECT_EQ(bmp->height, 2);
        EXPECT_EQ(bmp->bitsPerPixel, bits);
        EXPECT_EQ(bmp->pixels, Bytes(file.begin() + 54, file.end()));
    }
}

TEST(TextureBitmap, ExpandsEightBitImagesThroughAShortPalette) {
    // 16 palette entries: the rows start right after them, not after 256.
    BmpBuilder b;
    b.width = 5;
    b.bitsPerPixel = 8;
    b.coloursUsed = 16;
    for (int i = 0; i < 16; ++i) {
        b.palette.insert(b.palette.end(),
                         {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(100 + i),
                          static_cast<std::uint8_t>(200 + i), 0});
    }
    Bytes file =
        b.Build([](int x, int y, int) { return static_cast<std::uint8_t>((x + 5 * y) % 16); });
    auto bmp = DecodeTextureBitmap(file.data(), file.size());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->bitsPerPixel, 24);
    ASSERT_EQ(bmp->pixels.size(), 2 * BmpRowBytes(24, 5));
    const std::uint8_t* row1 = bmp->pixels.data() + BmpRowBytes(24, 5);
    // Pixel (2, 1) has index 7: blue 7, green 107, red 207.
    EXPECT_EQ(row1[6], 7);
    EXPECT_EQ(row1[7], 107);
    EXPECT_EQ(row1[8], 207);
}

TEST(TextureBitmap, HeadersThatLieGiveNothing) {
    BmpBuilder b;
    b.width = 4;
    b.height = 4;
    const Bytes good = b.Build(Channel);
    ASSERT_TRUE(DecodeTextureBitmap(good.data(), good.size()));

    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"not BM", [](Bytes& f) { f[0] = 'X'; }},
        {"truncated pixels", [](Bytes& f) { f.resize(f.size() - 1); }},
        {"header only", [](Bytes& f) { f.resize(54); }},
        {"shorter than a header", [](Bytes& f) { f.resize(20); }},
        {"empty", [](Bytes& f) { f.clear(); }},
        {"zero width", [](Bytes& f) { BmpBuilder::Patch32(f, 18, 0); }},
        {"negative height",
         [](Bytes& f) { BmpBuilder::Patch32(f, 22, static_cast<std::uint32_t>(-4)); }},
        {"huge width", [](Bytes& f) { BmpBuilder::Patch32(f, 18, 0x7FFFFFFF); }},
        {"16 bits", [](Bytes& f) { BmpBuilder::Patch16(f, 28, 16); }},
        {"1 bit", [](Bytes& f) { BmpBuilder::Patch16(f, 28, 1); }},
        {"run-length encoded", [](Bytes& f) { BmpBuilder::Patch32(f, 30, 1); }},
        {"info header past the end", [](Bytes& f) { BmpBuilder::Patch32(f, 14, 0xFFFFFFF0u); }},
        {"info header too small", [](Bytes& f) { BmpBuilder::Patch32(f, 14, 12); }},
        {"8 bits, palette beyond the file",
         [](Bytes& f) {
             BmpBuilder::Patch16(f, 28, 8);
             BmpBuilder::Patch32(f, 46, 256);
         }},
        {"8 bits, palette count absurd",
         [](Bytes& f) {
             BmpBuilder::Patch16(f, 28, 8);
             BmpBuilder::Patch32(f, 46, 0x40000000);
         }},
    };
    for (const Case& c : cases) {
        Bytes file = good;
        c.damage(file);
        EXPECT_FALSE(DecodeTextureBitmap(file.data(), file.size())) << c.what;
        EXPECT_FALSE(FindBgrRows(file.data(), file.size())) << c.what;
    }
    EXPECT_FALSE(DecodeTextureBitmap(nullptr, 0));
}

TEST(BgrRows, FoundWhereThePixelOffsetPointsWithPaddedRows) {
    struct {
        int bits;
        std::size_t gap;  // bytes between the headers and the rows
    } cases[] = {{24, 0}, {32, 0}, {24, 8}};
    for (const auto& c : cases) {
        BmpBuilder b;
        b.width = 3;
        b.bitsPerPixel = c.bits;
        b.palette.assign(c.gap, 0xEE);  // stands between the headers and the rows
        Bytes file = b.Build(Channel);
        auto rows = FindBgrRows(file.data(), file.size());
        ASSERT_TRUE(rows) << c.bits;
        EXPECT_EQ(rows->width, 3);
        EXPECT_EQ(rows->height, 2);
        EXPECT_EQ(rows->bitsPerPixel, c.bits);
        EXPECT_EQ(rows->offset, 54 + c.gap);
        // Pixel (2, 1) in row 1 from the bottom; 24-bit rows of 3 pixels are padded to 12 bytes.
        const std::size_t rowBytes = 12;  // 9 bytes padded to 12 at 24 bits; 12 at 32
        const std::uint8_t* p = &file[rows->offset + rowBytes + 2 * (c.bits / 8)];
        EXPECT_EQ(p[0], Channel(2, 1, 0));
        EXPECT_EQ(p[2], Channel(2, 1, 2));
    }
    // A pixel offset that points past the end of the file.
    BmpBuilder b;
    Bytes file = b.Build(Channel);
    BmpBuilder::Patch32(file, 10, static_cast<std::uint32_t>(file.size()));
    EXPECT_FALSE(FindBgrRows(file.data(), file.size()));
    // Rows cut short by the end of the file.
    file = b.Build(Channel);
    file.pop_back();
    EXPECT_FALSE(FindBgrRows(file.data(), file.size()));
    // 8-bit files are not snapshots.
    b.bitsPerPixel = 8;
    b.palette.assign(1024, 0);
    file = b.Build(Channel);
    EXPECT_FALSE(FindBgrRows(file.data(), file.size()));
}

TEST(BitmapFile, ReadsOnlyRegularFilesAndOnlyWhatTheHeadersCanNeed) {
    test::ScratchDir dir;
    BmpBuilder b;
    b.width = 4;
    b.height = 3;
    const Bytes good = b.Build(Channel);
    auto writeFile = [&](const std::string& name, const Bytes& bytes) {
        test::WriteText(dir / name, std::string(bytes.begin(), bytes.end()));
        return dir / name;
    };
    EXPECT_EQ(ReadBitmapFile(writeFile("good.bmp", good)), good);
    Bytes cut(good.begin(), good.begin() + 30);
    EXPECT_EQ(ReadBitmapFile(writeFile("cut.bmp", cut)), cut);

    // Megabytes after the image are not read; what is read still decodes the same.
    Bytes padded = good;
    padded.resize(good.size() + (4 << 20), 0xAB);
    auto read = ReadBitmapFile(writeFile("padded.bmp", padded));
    ASSERT_TRUE(read);
    EXPECT_LT(read->size(), good.size() + 2048);
    auto fromFile = DecodeRgbBitmap(read->data(), read->size());
    auto fromMemory = DecodeRgbBitmap(padded.data(), padded.size());
    ASSERT_TRUE(fromFile && fromMemory);
    EXPECT_EQ(fromFile->rgb, fromMemory->rgb);
    // A header claiming far more than the file holds reads the file and no further.
    Bytes huge = good;
    BmpBuilder::Patch32(huge, 18, 30000);
    BmpBuilder::Patch32(huge, 22, 30000);
    EXPECT_EQ(ReadBitmapFile(writeFile("huge.bmp", huge)), huge);

    // Things that are not regular files: nothing, at once. Without the checks /dev/zero would
    // be read for ever and opening a FIFO would wait for a writer.
    ASSERT_EQ(symlink("/dev/zero", (dir / "zero.bmp").c_str()), 0);
    EXPECT_FALSE(ReadBitmapFile(dir / "zero.bmp"));
    ASSERT_EQ(mkfifo((dir / "fifo.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(ReadBitmapFile(dir / "fifo.bmp"));
    EXPECT_FALSE(ReadBitmapFile(dir.path()));
    EXPECT_FALSE(ReadBitmapFile(dir / "missing.bmp"));
}

TEST(TextureFit, PowerOfTwoSidesCappedAt512) {
    struct {
        int size, maxTexture, side;
    } cases[] = {
        {64, 8192, 64},                       // already a power of two
        {100, 8192, 128},                     // rounded up
        {60, 8192, 64},   {1000, 8192, 512},  // capped at 512
        {300, 8192, 512}, {1000, 256, 256},   // capped by the implementation
        {1, 8192, 2},                         // a side of 1 becomes 2
        {2, 8192, 2},     {513, 8192, 512},
    };
    for (auto c : cases) {
        EXPECT_EQ(FitTextureSide(c.size, c.maxTexture), c.side)
            << c.size << " max " << c.maxTexture;
    }
}

}  // namespace
}  // namespace reef
