#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fish/invert_ellipse.h"

namespace reef {
namespace {

struct Image {
    int width, height;
    std::vector<std::uint8_t> rgb;
    Image(int w, int h) : width(w), height(h), rgb(w * h * 3, 10) {}
    bool Inverted(int x, int y) const { return rgb[(y * width + x) * 3] == 245; }
};

TEST(InvertEllipse, InvertsTheInscribedEllipseOnly) {
    Image image(20, 10);
    InvertEllipse(image.rgb.data(), 20, 10, 0, 0, 20, 10);
    const struct {
        int x, y;
        bool inverted;
        const char* why;
    } cases[] = {
        {10, 5, true, "centre"},
        {0, 5, true, "left end of the long axis"},
        {19, 4, true, "right end"},
        {10, 0, true, "top of the short axis"},
        {0, 0, false, "top-left corner"},
        {19, 9, false, "bottom-right corner"},
        {2, 1, false, "outside near a corner"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(image.Inverted(c.x, c.y), c.inverted) << c.why;
    }
    // Every channel, and inverting twice restores the image.
    EXPECT_EQ(image.rgb[(5 * 20 + 10) * 3 + 2], 245);
    InvertEllipse(image.rgb.data(), 20, 10, 0, 0, 20, 10);
    EXPECT_EQ(image.rgb, Image(20, 10).rgb);
}

TEST(InvertEllipse, ClipsToTheImage) {
    // A cell hanging over the right and bottom edges, and one wholly outside.
    Image image(10, 10);
    InvertEllipse(image.rgb.data(), 10, 10, 5, 5, 10, 10);
    InvertEllipse(image.rgb.data(), 10, 10, 50, 50, 10, 10);
    EXPECT_TRUE(image.Inverted(9, 9));
    EXPECT_FALSE(image.Inverted(4, 4));
}

}  // namespace
}  // namespace reef
