#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/screenshot_fit.h"

namespace reef {
namespace {

using Rgb = std::function<std::uint32_t(int x, int y)>;  // 0xRRGGBB

// A picture of `width` x `height` as red, green, blue rows, top down.
std::vector<std::uint8_t> Picture(int width, int height, const Rgb& colour) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
        }
    }
    return rgb;
}

// The fitted picture as 0xRRGGBB values, row by row, checking the unused byte on the way.
std::vector<std::uint32_t> Fitted(const ScreenshotFit& fit, const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint32_t> out;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(fit.Width()) * 4);
    for (int y = 0; y < fit.Height(); ++y) {
        fit.Row(rgb.data(), y, row.data());
        for (int x = 0; x < fit.Width(); ++x) {
            const std::uint8_t* p = &row[static_cast<std::size_t>(x) * 4];
            EXPECT_EQ(p[3], 0);
            out.push_back((p[2] << 16) | (p[1] << 8) | p[0]);
        }
    }
    return out;
}

struct FitCase {
    const char* what;
    int pictureWidth, pictureHeight, screenWidth, screenHeight;
    PixelRect monitor;
    PixelRect source;  // expected part of the picture
    Rgb picture;
    Rgb expected;  // at output pixel (x, y)
};

std::uint32_t Pattern(int x, int y) {
    return static_cast<std::uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 |
                                      ((x + y) & 0xFF));
}

std::uint32_t Checker(int x, int y) {
    return ((x + y) & 1) ? 0xFFFFFF : 0x000000;
}

// Left half red, right half green, each with a blue that tells rows apart.
std::uint32_t Halves(int x, int y, int half) {
    return (x < half ? 0xFF0000u : 0x00FF00u) | static_cast<std::uint32_t>(y & 0xFF);
}

TEST(ScreenshotFit, BringsThePictureToThePrimaryMonitor) {
    const FitCase cases[] = {
        // Scale 1: the picture is the screen, pixel for pixel.
        {"scale 1", 64, 48, 64, 48, {0, 0, 64, 48}, {0, 0, 64, 48}, Pattern, Pattern},
        // Scale 2: each X pixel is the average of a 2 x 2 block; a checkerboard of black and
        // white averages to mid grey (127.5 rounded up).
        {"scale 2",
         64,
         48,
         32,
         24,
         {0, 0, 32, 24},
         {0, 0, 64, 48},
         Checker,
         [](int, int) { return 0x808080u; }},
        // A second monitor: the primary one is the right half of a 2 x 1 layout.
        {"second monitor",
         128,
         48,
         128,
         48,
         {64, 0, 64, 48},
         {64, 0, 64, 48},
         [](int x, int y) { return Halves(x, y, 64); },
         [](int, int y) { return 0x00FF00u | static_cast<std::uint32_t>(y); }},
        // Two monitors at scale 2: the same, found in proportion.
        {"second monitor at scale 2",
         256,
         96,
         128,
         48,
         {64, 0, 64, 48},
         {128, 0, 128, 96},
         [](int x, int y) { return Halves(x, y, 128); },
         // Rows 2y and 2y + 1 average to blue 2y + 0.5, rounded up.
         [](int, int y) { return 0x00FF00u | static_cast<std::uint32_t>(2 * y + 1); }},
        // The primary monitor below and left of another one, so it starts at a row other than 0.
        {"monitor lower left",
         60,
         40,
         60,
         40,
         {0, 20, 30, 20},
         {0, 20, 30, 20},
         Pattern,
         [](int x, int y) { return Pattern(x, y + 20); }},
        // An odd size whose sides are not a whole multiple of the screen's: every picture
        // column and row is used, the corners stay the corners.
        {"odd size",
         7,
         5,
         3,
         2,
         {0, 0, 3, 2},
         {0, 0, 7, 5},
         [](int x, int y) { return (x == 6 && y == 4) ? 0xFFFFFFu : 0u; },
         // The bottom-right output pixel covers columns 4..6 and rows 2..4: one white of nine.
         [](int x, int y) { return (x == 2 && y == 1) ? 0x1C1C1Cu : 0u; }},
        // A picture smaller than the monitor: each picture pixel repeated, none invented.
        {"enlarged",
         2,
         2,
         4,
         4,
         {0, 0, 4, 4},
         {0, 0, 2, 2},
         Pattern,
         [](int x, int y) { return Pattern(x / 2, y / 2); }},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto fit = ScreenshotFit::Make(c.pictureWidth, c.pictureHeight, c.screenWidth,
                                       c.screenHeight, c.monitor);
        ASSERT_TRUE(fit.has_value());
        EXPECT_EQ(fit->Source().x, c.source.x);
        EXPECT_EQ(fit->Source().y, c.source.y);
        EXPECT_EQ(fit->Source().width, c.source.width);
        EXPECT_EQ(fit->Source().height, c.source.height);
        ASSERT_EQ(fit->Width(), c.monitor.width);
        ASSERT_EQ(fit->Height(), c.monitor.height);
        const auto out = Fitted(*fit, Picture(c.pictureWidth, c.pictureHeight, c.picture));
        int wrong = 0;
        for (int y = 0; y < fit->Height(); ++y) {
            for (int x = 0; x < fit->Width(); ++x) {
                const std::uint32_t got = out[static_cast<std::size_t>(y) * fit->Width() + x];
                if (got != c.expected(x, y) && ++wrong <= 3) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << got
                                  << " not " << c.expected(x, y);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ScreenshotFit, RefusesSizesThatDoNotMakeAPicture) {
    const struct {
        const char* what;
        int pictureWidth, pictureHeight, screenWidth, screenHeight;
        PixelRect monitor;
    } cases[] = {
        {"empty picture", 0, 1080, 1920, 1080, {0, 0, 1920, 1080}},
        {"no screen", 1920, 1080, 0, 0, {0, 0, 1920, 1080}},
        {"empty monitor", 1920, 1080, 1920, 1080, {0, 0, 0, 1080}},
        {"monitor past the right edge", 1920, 1080, 1920, 1080, {1, 0, 1920, 1080}},
        {"monitor above the screen", 1920, 1080, 1920, 1080, {0, -1, 1920, 1080}},
        {"monitor wider than the screen", 1920, 1080, 1920, 1080, {0, 0, 1921, 1080}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(ScreenshotFit::Make(c.pictureWidth, c.pictureHeight, c.screenWidth,
                                         c.screenHeight, c.monitor)
                         .has_value());
    }
}

}  // namespace
}  // namespace reef
