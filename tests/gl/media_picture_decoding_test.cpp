// The slideshow's pictures as users have them: every format decodes at its size with its
// colours, photos come out upright and no larger than the screen, and every broken or hostile
// file is refused with the program's message, adds no row and logs nothing.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/image.h>
#include <wx/log.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/test_env.h"
#include "gl_test_support.h"
#include "media/gl_picture_textures.h"
#include "media/picture_decoder.h"
#include "media/slideshow.h"
#include "platform/message.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using test::ScratchDir;

// ImageMagick writes the fixtures.
void Magick(const std::string& arguments) {
    const std::string command = "convert " + arguments + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string Slurp(const std::string& path) {
    return test::ReadText(path);
}

void PutBig32(std::string& out, std::uint32_t v) {
    for (int shift : {24, 16, 8, 0}) {
        out.push_back(static_cast<char>(v >> shift));
    }
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    std::string body = type + data;
    png += body;
    PutBig32(png, static_cast<std::uint32_t>(
                      crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// A valid one-bit grey PNG of 30000 x 30000 pixels, all black, in about 100 KB: decoded it
// would take 2.7 GB of RGB.
std::string DecompressionBomb() {
    constexpr std::uint32_t kSide = 30000;
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    PutBig32(ihdr, kSide);
    PutBig32(ihdr, kSide);
    ihdr += std::string("\x01\x00\x00\x00\x00", 5);  // 1 bit, grey
    PutChunk(png, "IHDR", ihdr);

    z_stream z{};
    deflateInit(&z, 9);
    const std::vector<Bytef> row(1 + kSide / 8, 0);  // filter byte, then the packed pixels
    std::string idat;
    std::vector<Bytef> out(1 << 16);
    for (std::uint32_t y = 0; y <= kSide; ++y) {
        const bool last = y == kSide;
        z.next_in = const_cast<Bytef*>(row.data());
        z.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            idat.append(reinterpret_cast<char*>(out.data()), out.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", "");
    return png;
}

// ImageMagick writes bitmaps with the version 5 header; the version 4 header is the same less
// its last 16 bytes.
void MakeVersion4Bitmap(const std::string& v5, const std::string& v4) {
    std::string bmp = Slurp(v5);
    ASSERT_EQ(static_cast<unsigned char>(bmp[14]), 124);
    bmp.erase(14 + 108, 16);
    bmp[14] = 108;
    bmp[10] = static_cast<char>(static_cast<unsigned char>(bmp[10]) - 16);
    test::WriteText(v4, bmp);
}

// The JPEG file `jpeg` with an EXIF block that holds only the orientation tag, right after its
// start marker. (ImageMagick's -orient writes no tag into a JPEG that had no EXIF block.)
void AddOrientation(const std::string& jpeg, int orientation) {
    std::string tiff = std::string("MM\0*", 4);
    PutBig32(tiff, 8);
    tiff += std::string("\0\1\1\x12\0\3\0\0\0\1\0", 11);
    tiff += static_cast<char>(orientation);
    tiff += std::string("\0\0\0\0\0\0", 6);
    const std::string block = std::string("Exif\0\0", 6) + tiff;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>((block.size() + 2) >> 8);
    segment += static_cast<char>((block.size() + 2) & 0xFF);
    std::string bytes = Slurp(jpeg);
    bytes.insert(2, segment + block);
    test::WriteText(jpeg, bytes);
}

struct Rgb {
    int r, g, b;
};

::testing::AssertionResult Near(const wxImage& image, int x, int y, Rgb want, int tolerance) {
    const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
    if (std::abs(r - want.r) <= tolerance && std::abs(g - want.g) <= tolerance &&
        std::abs(b - want.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel " << x << "," << y << " is " << r << "," << g << "," << b << ", want "
           << want.r << "," << want.g << "," << want.b;
}

TEST(PictureDecoding, EveryFormatUsersHaveAtItsSizeAndColour) {
    ScratchDir dir;
    // Left half one colour, right half another, so a mirrored or shifted decode shows.
    const std::string halves =
        "-size 64x48 xc:'rgb(200,40,120)' -fill 'rgb(30,160,60)' -draw 'rectangle 32,0 63,47' ";
    const std::string grey = "-size 64x48 xc:'gray(100)' ";
    const struct {
        const char* file;
        std::string arguments;
        Rgb left, right;
        int tolerance;
    } cases[] = {
        {"baseline.jpg", halves + "-quality 95", {200, 40, 120}, {30, 160, 60}, 10},
        {"progressive.jpg",
         halves + "-quality 95 -interlace JPEG",
         {200, 40, 120},
         {30, 160, 60},
         10},
        {"cmyk.jpg", halves + "-quality 95 -colorspace CMYK", {200, 40, 120}, {30, 160, 60}, 16},
        {"grey.jpg", grey + "-colorspace Gray -quality 95", {100, 100, 100}, {100, 100, 100}, 3},
        {"deep.png", halves + "-depth 16 PNG48:", {200, 40, 120}, {30, 160, 60}, 0},
        {"alpha.png",
         halves + "-alpha set -channel A -evaluate set 50% +channel PNG32:",
         {200, 40, 120},
         {30, 160, 60},
         0},
        {"palette.png", halves + "PNG8:", {200, 40, 120}, {30, 160, 60}, 0},
        {"grey.png", grey + "-colorspace Gray PNG8:", {100, 100, 100}, {100, 100, 100}, 0},
        {"v3.bmp", halves + "BMP3:", {200, 40, 120}, {30, 160, 60}, 0},
        {"v5.bmp", halves + "BMP:", {200, 40, 120}, {30, 160, 60}, 0},
    };
    for (const auto& c : cases) {
        const std::string path = dir / c.file;
        std::string arguments = c.arguments;
        // The output name follows a trailing "FORMAT:" directly.
        arguments += arguments.back() == ':' ? "" : " ";
        Magick(arguments + "'" + path + "'");
        const wxImage image = DecodePicture(path, 1680, 1050);
        ASSERT_TRUE(image.IsOk()) << c.file;
        EXPECT_EQ(image.GetSize(), wxSize(64, 48)) << c.file;
        EXPECT_TRUE(Near(image, 8, 24, c.left, c.tolerance)) << c.file;
        EXPECT_TRUE(Near(image, 56, 24, c.right, c.tolerance)) << c.file;
    }
    const std::string v4 = dir / "v4.bmp";
    MakeVersion4Bitmap(dir / "v5.bmp", v4);
    const wxImage image = DecodePicture(v4, 1680, 1050);
    ASSERT_TRUE(image.IsOk());
    EXPECT_TRUE(Near(image, 56, 24, {30, 160, 60}, 0));
    EXPECT_TRUE(DecodePicture(dir / "alpha.png", 1680, 1050).HasAlpha());
    EXPECT_EQ(DecodePicture(dir / "alpha.png", 1680, 1050).GetAlpha(4, 4), 128);
}

TEST(PictureDecoding, PhotosComeOutUprightAsTheirOrientationSays) {
    ScratchDir dir;
    const std::string source = dir / "source.png";
    // 40 x 20 with a blue square in the top-left corner and a green one at the bottom right.
    Magick(
        "-size 40x20 xc:'rgb(200,40,40)' -fill 'rgb(40,40,200)' -draw 'rectangle 0,0 9,9' "
        "-fill 'rgb(40,200,40)' -draw 'rectangle 30,10 39,19' '" +
        source + "'");
    const std::string plain = dir / "plain.jpg";
    Magick("'" + source + "' -quality 98 '" + plain + "'");
    // What each orientation asks to be done to the stored picture for it to show upright.
    const char* turns[] = {"",           "-flop",      "-rotate 180", "-flip",
                           "-transpose", "-rotate 90", "-transverse", "-rotate 270"};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string photo = dir / ("photo" + std::to_string(orientation) + ".jpg");
        const std::string upright = dir / ("upright" + std::to_string(orientation) + ".png");
        test::WriteText(photo, Slurp(plain));
        AddOrientation(photo, orientation);
        Magick("'" + plain + "' " + turns[orientation - 1] + " '" + upright + "'");
        const wxImage decoded = DecodePicture(photo, 1680, 1050);
        const wxImage expected(wxString(upright), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(decoded.IsOk()) << orientation;
        ASSERT_EQ(decoded.GetSize(), expected.GetSize()) << orientation;
        for (auto [x, y] : {std::pair{3, 3}, std::pair{decoded.GetWidth() - 4, 3},
                            std::pair{3, decoded.GetHeight() - 4},
                            std::pair{decoded.GetWidth() - 4, decoded.GetHeight() - 4}}) {
            EXPECT_TRUE(
                Near(decoded, x, y,
                     {expected.GetRed(x, y), expected.GetGreen(x, y), expected.GetBlue(x, y)}, 12))
                << "orientation " << orientation;
        }
    }
}

TEST(PictureDecoding, LargePicturesComeDownToTheScreenOnEachAxis) {
    ScratchDir dir;
    const std::string photo = dir / "photo.jpg";
    const std::string turned = dir / "turned.jpg";
    const std::string small = dir / "small.png";
    Magick("-size 4000x3000 gradient:red-blue -quality 90 '" + photo + "'");
    test::WriteText(turned, Slurp(photo));
    AddOrientation(turned, 6);
    Magick("-size 600x1400 xc:white '" + small + "'");
    EXPECT_EQ(DecodePicture(photo, 1680, 1050).GetSize(), wxSize(1680, 1050));
    // Upright it is 3000 x 4000: decoded at a quarter, within 1680 x 1050 when turned.
    EXPECT_EQ(DecodePicture(turned, 1680, 1050).GetSize(), wxSize(750, 1000));
    EXPECT_EQ(DecodePicture(small, 1680, 1050).GetSize(), wxSize(600, 1050));
}

std::vector<std::string> g_messages;
void Capture(const std::string& text, const std::string&) {
    g_messages.push_back(text);
}

// Counts whatever reaches wxLog, which would otherwise pop up windows.
class CountingLog : public wxLog {
public:
    int count = 0;

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++count; }
};

TEST(PictureDecoding, BrokenAndHostileFilesAreRefusedQuietly) {
    ScratchDir dir;
    const std::string whole = dir / "whole.jpg";
    const std::string png = dir / "whole.png";
    Magick("-size 300x200 plasma:fractal -quality 90 '" + whole + "'");
    Magick("-size 300x200 plasma:fractal '" + png + "'");
    const std::string jpegBytes = Slurp(whole);
    const std::string pngBytes = Slurp(png);
    Magick("-size 40x30 xc:red BMP3:'" + std::string(dir / "lying.bmp") + "'");
    std::string lying = Slurp(dir / "lying.bmp");
    lying[22] = static_cast<char>(0x30);  // height 30 -> 12336 rows: far more than the file
    lying[23] = static_cast<char>(0x30);

    const struct {
        const char* name;
        std::string bytes;  // written unless it is a directory or missing
    } files[] = {
        {"empty.png", ""},
        {"truncated.jpg", jpegBytes.substr(0, jpegBytes.size() / 2)},
        {"truncated.png", pngBytes.substr(0, pngBytes.size() / 2)},
        {"text.jpg", "not a picture at all\n"},
        {"lying.bmp", lying},
        {"bomb.png", DecompressionBomb()},
    };
    std::vector<std::string> paths;
    for (const auto& f : files) {
        paths.push_back(dir / f.name);
        test::WriteText(paths.back(), f.bytes);
    }
    EXPECT_LT(Slurp(dir / "bomb.png").size(), 1u << 20);
    paths.push_back(dir / "missing.jpg");
    ::mkdir((dir / "folder.jpg").c_str(), 0700);
    paths.push_back(dir / "folder.jpg");
    if (::geteuid() != 0) {  // permissions do not bind the superuser
        const std::string locked = dir / "locked.jpg";
        test::WriteText(locked, jpegBytes);
        ::chmod(locked.c_str(), 0);
        paths.push_back(locked);
    }

    AquariumView& view = test::View();
    GlPictureTextures textures(view, *view.Context(), 1680, 1050);
    g_messages.clear();
    SetMessageHandler(Capture);
    auto* log = new CountingLog;
    wxLog* previous = wxLog::SetActiveTarget(log);
    {
        Slideshow show(textures);
        EXPECT_TRUE(show.AddBackgroundImage(whole)) << "the whole files load";
        EXPECT_TRUE(show.AddBackgroundImage(png));
        for (const auto& path : paths) {
            EXPECT_FALSE(show.AddBackgroundImage(path)) << path;
        }
        EXPECT_EQ(show.Count(), 2);
    }
    wxLog::SetActiveTarget(previous);
    EXPECT_EQ(log->count, 0) << "nothing may reach the log";
    delete log;
    SetMessageHandler(nullptr);
    ASSERT_EQ(g_messages.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(g_messages[i], "(" + paths[i] + ")image loading error.");
    }
}

TEST(PictureTexture, SoilMakesAMipmappedTextureAtTheNearestPowersOfTwo) {
    ScratchDir dir;
    const std::string path = dir / "wide.png";
    Magick("-size 300x100 xc:'rgb(250,10,10)' '" + path + "'");
    AquariumView& view = test::View();
    GlPictureTextures textures(view, *view.Context(), 1680, 1050);
    const unsigned int texture = textures.Create(path);
    ASSERT_NE(texture, 0u);
    EXPECT_TRUE(glIsTexture(texture));
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, minFilter = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(width, 256) << "300 is nearer 256 than 512";
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    // The NTSC-safe range keeps red at 235 at most and green above 16; DXT's 5 and 6 bits a
    // channel round them by up to 8.
    std::vector<std::uint8_t> texels(512 * 128 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_NEAR(texels[0], 235, 8);
    EXPECT_NEAR(texels[1], 16, 8);
    textures.Release(texture);
    EXPECT_FALSE(glIsTexture(texture));
}

}  // namespace
}  // namespace reef
