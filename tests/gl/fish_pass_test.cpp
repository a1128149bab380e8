#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gl_image.h"
#include "gl_test_support.h"
#include "settings/aquarium_settings.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

std::vector<std::uint8_t> DrawAndRead(AquariumView& view) {
    return test::DrawAndRead(view).rgb;
}

// Pixels whose colour differs from the colour at (0, 0).
int PixelsUnlikeTheCorner(const std::vector<std::uint8_t>& rgb) {
    int count = 0;
    for (std::size_t k = 0; k < rgb.size(); k += 3) {
        count += rgb[k] != rgb[0] || rgb[k + 1] != rgb[1] || rgb[k + 2] != rgb[2];
    }
    return count;
}

// With the background plane left out the empty tank is the clear colour everywhere, so every
// other pixel belongs to a fish.
TEST(FishPass, EveryKindInUseShowsFishInTheFrame) {
    AquariumView& view = test::View();
    view.SetCurrent(*view.Context());
    const AquariumSettings saved = g_settings;
    g_settings.nBackground = 1;

    g_settings.nFishCount.fill(0);
    const std::vector<std::uint8_t> empty = DrawAndRead(view);
    EXPECT_EQ(PixelsUnlikeTheCorner(empty), 0) << "the empty tank is not uniform";

    g_settings.nFishCount.fill(3);  // 45 fish, three of every kind
    const std::vector<std::uint8_t> full = DrawAndRead(view);
    g_settings = saved;

    int fishPixels = 0;
    for (std::size_t k = 0; k < full.size(); k += 3) {
        fishPixels +=
            full[k] != empty[k] || full[k + 1] != empty[k + 1] || full[k + 2] != empty[k + 2];
    }
    // A fish 60 to 80 units from the eye covers a few hundred pixels of the 1680 x 1050 view.
    EXPECT_GT(fishPixels, 45 * 100);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace reef
