#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bmp_builder.h"
#include "media/picture_header.h"
#include "test_env.h"

namespace reef {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ScratchDir;

void Put32(Bytes& out, std::uint32_t v) {
    for (int shift : {24, 16, 8, 0}) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}
void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
void Append(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// Signature, IHDR and, when `whole`, a data chunk and IEND. CRCs are not checked by the header
// reader, so they are left zero.
Bytes Png(std::uint32_t width, std::uint32_t height, bool whole = true) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Put32(png, 13);
    Append(png, "IHDR");
    Put32(png, width);
    Put32(png, height);
    png.insert(png.end(), {8, 2, 0, 0, 0});
    Put32(png, 0);
    Put32(png, 4);
    Append(png, "IDAT");
    Put32(png, 0xdeadbeef);
    Put32(png, 0);
    if (whole) {
        Put32(png, 0);
        Append(png, "IEND");
        Put32(png, 0);
    }
    return png;
}

// SOI, an optional EXIF block with an orientation tag, the frame header, a scan and EOI.
Bytes Jpeg(int width, int height, int orientation, bool bigEndian, bool whole = true) {
    Bytes jpeg = {0xFF, 0xD8};
    if (orientation != 0) {
        Bytes tiff;
        auto u16 = [&](std::uint32_t v) {
            if (bigEndian) {
                Put16(tiff, v);
            } else {
                tiff.push_back(static_cast<std::uint8_t>(v));
                tiff.push_back(static_cast<std::uint8_t>(v >> 8));
            }
        };
        auto u32 = [&](std::uint32_t v) {
            if (bigEndian) {
                u16(v >> 16);
                u16(v & 0xFFFF);
            } else {
                u16(v & 0xFFFF);
                u16(v >> 16);
            }
        };
        Append(tiff, bigEndian ? "MM" : "II");
        u16(42);
        u32(8);
        u16(2);  // two entries: a width tag, then the orientation
        u16(0x0100), u16(4), u32(1), u32(640);
        u16(0x0112), u16(3), u32(1), u16(static_cast<std::uint32_t>(orientation)), u16(0);
        u32(0);
        jpeg.insert(jpeg.end(), {0xFF, 0xE1});
        Put16(jpeg, static_cast<std::uint32_t>(2 + 6 + tiff.size()));
        jpeg.insert(jpeg.end(), {'E', 'x', 'i', 'f', 0, 0});
        jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
    }
    jpeg.insert(jpeg.end(), {0xFF, 0xC2, 0, 11, 8});  // progressive frame, one component
    Put16(jpeg, static_cast<std::uint32_t>(height));
    Put16(jpeg, static_cast<std::uint32_t>(width));
    jpeg.insert(jpeg.end(), {1, 1, 0x11, 0});
    jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0});
    jpeg.insert(jpeg.end(), {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56});  // stuffed byte, RST0
    if (whole) {
        jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    }
    return jpeg;
}

Bytes Bmp(int width, int height) {
    test::BmpBuilder builder;
    builder.width = width;
    builder.height = height;
    return builder.Build([](int, int, int) { return std::uint8_t{7}; });
}

class PictureHeaderTest : public ::testing::Test {
protected:
    std::optional<PictureHeader> Read(const Bytes& bytes) {
        const std::string path = m_dir / "picture";
        test::WriteText(path, std::string(bytes.begin(), bytes.end()));
        return ReadPictureHeader(path);
    }
    ScratchDir m_dir;
};

TEST_F(PictureHeaderTest, SizesAndOrientationOfEachFormat) {
    auto png = Read(Png(30000, 30000));  // a bomb's header reads fine; the limit refuses it
    ASSERT_TRUE(png);
    EXPECT_EQ(png->format, PictureFormat::kPng);
    EXPECT_EQ(png->width, 30000);
    EXPECT_FALSE(WithinPixelLimit(png->width, png->height));

    for (bool bigEndian : {true, false}) {
        auto jpeg = Read(Jpeg(6000, 4000, 6, bigEndian));
        ASSERT_TRUE(jpeg) << bigEndian;
        EXPECT_EQ(jpeg->format, PictureFormat::kJpeg);
        EXPECT_EQ(jpeg->width, 6000);
        EXPECT_EQ(jpeg->height, 4000);
        EXPECT_EQ(jpeg->orientation, 6);
    }
    EXPECT_EQ(Read(Jpeg(10, 10, 0, true))->orientation, 1) << "no EXIF";
    EXPECT_EQ(Read(Jpeg(10, 10, 9, true))->orientation, 1) << "out of range";

    Bytes bmp = Bmp(5, 3);
    auto header = Read(bmp);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->format, PictureFormat::kBmp);
    EXPECT_EQ(header->width, 5);
    test::BmpBuilder::Patch32(bmp, 22, static_cast<std::uint32_t>(-3));  // rows top-down
    EXPECT_EQ(Read(bmp)->height, 3);
}

TEST_F(PictureHeaderTest, FilesThatAreCutShortLieOrAreNoPicturesAreRefused) {
    Bytes bmpTall = Bmp(5, 3);
    test::BmpBuilder::Patch32(bmpTall, 22, 3000);  // rows that the file does not hold
    Bytes bmpOffset = Bmp(5, 3);
    test::BmpBuilder::Patch32(bmpOffset, 10, 1u << 30);
    Bytes bmpDepth = Bmp(5, 3);
    test::BmpBuilder::Patch16(bmpDepth, 28, 7);
    Bytes bmpHuge = Bmp(5, 3);  // sides whose row bytes times height overflow 64 bits
    test::BmpBuilder::Patch32(bmpHuge, 18, 0x7FFF0000);
    test::BmpBuilder::Patch32(bmpHuge, 22, 0x7FFF0000);
    test::BmpBuilder::Patch16(bmpHuge, 28, 32);
    Bytes bmpShortPalette = Bmp(5, 3);
    test::BmpBuilder::Patch16(bmpShortPalette, 28, 8);
    test::BmpBuilder::Patch32(bmpShortPalette, 46, 3);
    Bytes bmpRunLength = Bmp(5, 3);
    test::BmpBuilder::Patch32(bmpRunLength, 30, 1);
    // Found by fuzzing: an 8-bit run-length bitmap with one palette entry and a stream cut
    // short, on which the system's bitmap decoder corrupted memory and the program crashed.
    const Bytes bmpRunLengthCrash = {
        0x42, 0x4d, 0x4e, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
        0x28, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x18,
        0x08, 0x00, 0x01, 0x00, 0x00, 0x00, 0x33, 0x00, 0x00, 0xfd, 0x2c, 0x1d, 0xdc, 0xf7,
        0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2f, 0x33,
        0x00, 0x00, 0x00, 0x28, 0x00, 0x4e, 0x47, 0x00, 0x50, 0x4e, 0x47, 0x00};
    Bytes jpegNoFrame = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 0xFF, 0xD9};
    Bytes jpegOverrun = Jpeg(10, 10, 0, true);
    jpegOverrun[5] = 0xF0;  // frame length past the end
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"text named .jpg", {'h', 'e', 'l', 'l', 'o', '\n', ' ', ' ', ' '}},
        {"jpeg without its end", Jpeg(10, 10, 6, true, false)},
        {"jpeg without a frame", jpegNoFrame},
        {"jpeg segment past the end", jpegOverrun},
        {"jpeg of height 0", Jpeg(10, 0, 0, true)},
        {"png without IEND", Png(10, 10, false)},
        {"png of width 0", Png(0, 10)},
        {"png side beyond int", Png(0x80000000u, 1)},
        {"bitmap taller than its file", bmpTall},
        {"bitmap data offset past the end", bmpOffset},
        {"bitmap of 7 bits a pixel", bmpDepth},
        {"run-length bitmap", bmpRunLength},
        {"bitmap of 2^31 by 2^31 pixels", bmpHuge},
        {"8-bit bitmap with a palette of 3 colours", bmpShortPalette},
        {"run-length bitmap that crashed the decoder", bmpRunLengthCrash},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Read(c.bytes)) << c.name;
    }
    EXPECT_FALSE(ReadPictureHeader(m_dir / "missing.png"));
    EXPECT_FALSE(ReadPictureHeader(m_dir.path())) << "a directory";
}

TEST(PixelLimit, AtMostOneHundredMegapixels) {
    constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    const struct {
        std::int64_t width, height;
        bool within;
    } cases[] = {
        {10000, 10000, true},      {10000, 10001, false}, {1, 100000000, true},
        {100000001, 1, false},     {0, 5, false},         {5, -1, false},
        {kIntMax, kIntMax, false},  // no overflow on the product
        {6000, 4000, true},         // a 24-megapixel photo
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithinPixelLimit(c.width, c.height), c.within) << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace reef
