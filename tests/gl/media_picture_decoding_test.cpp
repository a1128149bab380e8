// The slideshow's pictures as users have them: every format decodes at its size with its
// colours, photos come out upright and fill the screen with their shape kept, as sharp and
// bright as the desktop snapshot, and every broken or hostile file is refused with the
// program's message, adds no row and logs nothing.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/image.h>
#include <wx/log.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../unit/test_env.h"
#include "gl_image.h"
#include "gl_test_support.h"
#include "media/gl_picture_textures.h"
#include "media/picture_decoder.h"
#include "media/slideshow.h"
#include "platform/message.h"
#include "resources/textures.h"
#include "scene/background_pass.h"
#include "scene/lighting.h"
#include "scene/ripple_grid.h"
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
        // A box of the picture's own shape: nothing is cropped.
        const wxImage image = DecodePicture(path, 64, 48);
        ASSERT_TRUE(image.IsOk()) << c.file;
        EXPECT_EQ(image.GetSize(), wxSize(64, 48)) << c.file;
        EXPECT_TRUE(Near(image, 8, 24, c.left, c.tolerance)) << c.file;
        EXPECT_TRUE(Near(image, 56, 24, c.right, c.tolerance)) << c.file;
    }
    const std::string v4 = dir / "v4.bmp";
    MakeVersion4Bitmap(dir / "v5.bmp", v4);
    const wxImage image = DecodePicture(v4, 64, 48);
    ASSERT_TRUE(image.IsOk());
    EXPECT_TRUE(Near(image, 56, 24, {30, 160, 60}, 0));
    EXPECT_TRUE(DecodePicture(dir / "alpha.png", 64, 48).HasAlpha());
    EXPECT_EQ(DecodePicture(dir / "alpha.png", 64, 48).GetAlpha(4, 4), 128);
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
        const wxImage expected(wxString(upright), wxBITMAP_TYPE_PNG);
        const wxImage decoded = DecodePicture(photo, expected.GetWidth(), expected.GetHeight());
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

TEST(PictureDecoding, PicturesFillTheBoxWithTheirShapeKept) {
    ScratchDir dir;
    const std::string photo = dir / "photo.jpg";
    const std::string turned = dir / "turned.jpg";
    const std::string small = dir / "small.png";
    const std::string wide = dir / "wide.png";
    // 4:3, with a 400-pixel band of its own colour at each side; the band is wider than what
    // the 16:10 crop cuts from a side of the 4:3 picture, but narrower than a third of it.
    Magick(
        "-size 4000x3000 xc:'rgb(40,40,200)' -fill 'rgb(200,40,40)' -draw 'rectangle 0,0 "
        "399,2999' -fill 'rgb(40,200,40)' -draw 'rectangle 3600,0 3999,2999' -quality 90 '" +
        photo + "'");
    test::WriteText(turned, Slurp(photo));
    AddOrientation(turned, 6);
    Magick("-size 600x1400 xc:white '" + small + "'");
    // 21:9, a panorama: the sides go.
    Magick(
        "-size 2100x900 xc:'rgb(200,40,40)' -fill 'rgb(40,40,200)' -draw 'rectangle 330,0 "
        "1769,899' '" +
        wide + "'");

    // Decoded at half its size, 2000 x 1500, cropped to 2000 x 1250 and averaged down: the
    // top and bottom go, the sides stay.
    const wxImage landscape = DecodePicture(photo, 1680, 1050);
    ASSERT_EQ(landscape.GetSize(), wxSize(1680, 1050));
    EXPECT_TRUE(Near(landscape, 20, 525, {200, 40, 40}, 12)) << "the left band stays";
    EXPECT_TRUE(Near(landscape, 1659, 525, {40, 200, 40}, 12)) << "the right band stays";
    // Upright it is 3000 x 4000: the sides of the upright picture are whole (the bands now run
    // across its top and bottom, which are cut away), and it is brought to the box.
    const wxImage portrait = DecodePicture(turned, 1680, 1050);
    ASSERT_EQ(portrait.GetSize(), wxSize(1680, 1050));
    EXPECT_TRUE(Near(portrait, 840, 5, {40, 40, 200}, 12)) << "the top band is cut away";
    EXPECT_TRUE(Near(portrait, 840, 1044, {40, 40, 200}, 12)) << "the bottom band is cut away";
    // A smaller picture is cropped to the shape but not enlarged.
    EXPECT_EQ(DecodePicture(small, 1680, 1050).GetSize(), wxSize(600, 375));
    // 2100 x 900 to 1440 x 900, centred: 330 pixels go from each side, the red with them.
    const wxImage panorama = DecodePicture(wide, 1680, 1050);
    ASSERT_EQ(panorama.GetSize(), wxSize(1440, 900));
    EXPECT_TRUE(Near(panorama, 1, 450, {40, 40, 200}, 0));
    EXPECT_TRUE(Near(panorama, 1438, 450, {40, 40, 200}, 0));
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
    GlPictureTextures textures(view, *view.Context(), PixelSize{1680, 1050});
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

TEST(PictureTexture, HoldsThePictureAsItIsLikeTheSnapshotsTexture) {
    ScratchDir dir;
    const std::string path = dir / "wide.png";
    // 1 pixel of white at each end of the middle row, the rest a red no darker than black.
    Magick(
        "-size 320x200 xc:'rgb(250,10,10)' -fill white -draw 'point 0,100' -draw 'point "
        "319,100' '" +
        path + "'");
    AquariumView& view = test::View();
    GlPictureTextures textures(view, *view.Context(), PixelSize{1680, 1050});
    const unsigned int texture = textures.Create(path);
    ASSERT_NE(texture, 0u);
    EXPECT_TRUE(glIsTexture(texture));
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint width = 0, height = 0, compressed = 1, minFilter = 0, wrapS = 0, wrapT = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    // The plane's shape, at the picture's own pixels: no power-of-two resize.
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(compressed, 0) << "no DXT blocks";
    EXPECT_EQ(minFilter, GL_LINEAR) << "no mipmaps";
    // The ripples sample past the edges: the edge pixels, never the black border colour.
    EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapT, GL_CLAMP_TO_EDGE);
    std::vector<std::uint8_t> texels(320 * 200 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    // Colours as in the file, not squeezed into 16..235; rows flipped for OpenGL.
    EXPECT_EQ(texels[0], 250);
    EXPECT_EQ(texels[1], 10);
    const std::size_t white = (99 * 320 + 0) * 4;  // file row 100 is texture row 99
    EXPECT_EQ(texels[white], 255);
    EXPECT_EQ(texels[white + 2], 255);
    textures.Release(texture);
    EXPECT_FALSE(glIsTexture(texture));
}

// The bright pixels (red above 128) of a read-back: how many, and how far they spread across
// and up (standard deviations of their x and y). The ripples move edges by a few pixels here
// and there; these sums over a whole shape barely notice.
struct Spread {
    double count = 0, across = 0, up = 0;
};
Spread BrightSpread(const test::Image& image) {
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y)[0] > 128) {
                n += 1;
                sx += x;
                sy += y;
                sxx += static_cast<double>(x) * x;
                syy += static_cast<double>(y) * y;
            }
        }
    }
    if (n == 0) {
        return {};
    }
    return {n, std::sqrt(sxx / n - (sx / n) * (sx / n)), std::sqrt(syy / n - (sy / n) * (sy / n))};
}

// A portrait photo behind the tank, drawn by the background pass under the view's own
// projection and light: its circle is round on screen, it fills the view, and its white is as
// bright as the desktop snapshot's white.
TEST(PictureOnScreen, APortraitFillsTheViewRoundAndAsBrightAsTheSnapshot) {
    ScratchDir dir;
    const std::string portrait = dir / "portrait.png";
    const std::string snapshot = dir / "topdesk.bmp";
    // 3:4, a white circle of diameter 300 in the middle of a blue field.
    Magick("-size 600x800 xc:'rgb(30,30,160)' -fill white -draw 'circle 300,400 450,400' '" +
           portrait + "'");
    Magick("-size 64x40 xc:white BMP3:'" + snapshot + "'");

    AquariumView& view = test::View();
    view.SetCurrent(*view.Context());
    ASSERT_EQ(view.ScreenWidth(), 1680);
    ASSERT_EQ(view.ScreenHeight(), 1050);
    GlPictureTextures textures(view, *view.Context(), PixelSize{1680, 1050});
    const unsigned int picture = textures.Create(portrait);
    ASSERT_NE(picture, 0u);
    unsigned int desktop = 0;
    ASSERT_TRUE(LoadSnapshotTexture(snapshot, &desktop));

    // The frame's projection, camera, light and fog, then the background pass alone through
    // calm grids: the tank's fish and the waves of earlier frames would bend the outline.
    view.DrawFrame();
    RippleGrids grids;
    for (auto& grid : grids) {
        grid = std::make_unique<RippleGrid>();
        grid->SetShape(64, 64, 1024.0f, 8);
        grid->Resize(1680, 1050);
    }
    BackgroundInputs inputs;
    inputs.customBackground = true;
    inputs.aspectClass = 2;  // 1680 x 1050
    auto draw = [&](unsigned int texture) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        UpdateLight(60);  // dimmer than the tank's half light, so white stays below full scale
        inputs.customTexture = texture;
        BackgroundPass(inputs, grids);
        glFinish();
        return test::ReadBack(1680, 1050);
    };
    const test::Image shown = draw(picture);
    const test::Image white = draw(desktop);

    // The middle 375 rows of the picture fill the 1050 rows of the view: 2.8 times, so the
    // circle is 840 pixels across (a little more: the plane reaches just past the view's
    // edges), and it spreads as far across as up. Stretched to the view's shape it was 2.4 times
    // wider than high.
    const Spread circle = BrightSpread(shown);
    const double diameter = 2.0 * std::sqrt(circle.count / 3.14159265);
    EXPECT_NEAR(diameter, 843, 25);
    EXPECT_NEAR(circle.across / circle.up, 1.0, 0.03) << "the circle is round";
    EXPECT_LT(shown.At(5, 525)[0], 100) << "the blue field reaches the left edge";
    EXPECT_LT(shown.At(1674, 525)[0], 100) << "and the right edge";
    // White 255 in both: the same level on screen, under the same light.
    const int pictureWhite = shown.At(840, 525)[0];
    const int desktopWhite = white.At(840, 525)[0];
    EXPECT_GT(desktopWhite, 100);
    EXPECT_LT(desktopWhite, 250) << "the light must leave room to see a difference";
    EXPECT_NEAR(pictureWhite, desktopWhite, 2);
    test::SaveOnFailure(shown, "portrait_on_screen");

    textures.Release(picture);
    glDeleteTextures(1, &desktop);
}

}  // namespace
}  // namespace reef
