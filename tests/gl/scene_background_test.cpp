#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gl_image.h"
#include "gl_test_support.h"
#include "platform/random.h"
#include "scene/background_pass.h"
#include "scene/custom_background.h"
#include "scene/lighting.h"
#include "scene/ripple_grid.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using test::DrawAndRead;
using test::Image;
using test::ReadBack;
using test::SaveOnFailure;

constexpr int kTextureSide = 256;

// A picture whose colour tells where it was sampled: red grows with s, green with t, and blue is
// constant so that no part of it looks like the black clear colour.
unsigned int MakeGradientTexture() {
    std::vector<std::uint8_t> rgb(kTextureSide * kTextureSide * 3);
    for (int y = 0; y < kTextureSide; ++y) {
        for (int x = 0; x < kTextureSide; ++x) {
            std::uint8_t* p = &rgb[(y * kTextureSide + x) * 3];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 200;
        }
    }
    unsigned int texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kTextureSide, kTextureSide, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data());
    return texture;
}

class Background : public ::testing::Test {
protected:
    void SetUp() override {
        test::View().SetCurrent(*test::View().Context());
        m_texture = MakeGradientTexture();
        CustomBackground() = {true, m_texture};
    }
    void TearDown() override {
        CustomBackground() = {};
        glDeleteTextures(1, &m_texture);
    }
    unsigned int m_texture = 0;
};

TEST_F(Background, ThePictureCoversTheWholeView) {
    AquariumView& view = test::View();
    ASSERT_EQ(view.ScreenWidth(), 1680);
    Image image = DrawAndRead(view);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), m_texture) << "the custom picture stays bound";

    const int w = image.width;
    const int h = image.height;
    const int probes[][2] = {{0, 0},
                             {w - 1, 0},
                             {0, h - 1},
                             {w - 1, h - 1},
                             {w / 2, 0},
                             {w / 2, h - 1},
                             {0, h / 2},
                             {w - 1, h / 2},
                             {w / 2, h / 2},
                             {w / 4, h / 4},
                             {3 * w / 4, 3 * h / 4}};
    for (const auto& probe : probes) {
        const std::uint8_t* p = image.At(probe[0], probe[1]);
        // Blue 200 under half light and no fog, never the clear colour.
        EXPECT_GT(p[2], 60) << "pixel " << probe[0] << "," << probe[1];
    }
    // The picture is upright and spans the view: red grows to the right, green upwards.
    EXPECT_LT(image.At(20, h / 2)[0], image.At(w - 20, h / 2)[0]);
    EXPECT_LT(image.At(w / 2, 20)[1], image.At(w / 2, h - 20)[1]);
    SaveOnFailure(image, "background_cover");
}

// Grids whose waves have had time to spread: right after start-up nothing moves yet.
RippleGrids RunningGrids() {
    RippleGrids grids;
    for (auto& grid : grids) {
        grid = std::make_unique<RippleGrid>();
        grid->SetShape(64, 64, 1024.0f, 8);
        grid->Resize(1680, 1050);
    }
    for (int frame = 0; frame < 200; ++frame) {
        for (auto& grid : grids) {
            grid->AddDrop(Rand() % 1680, Rand() % 1050);
            grid->Step();
        }
    }
    return grids;
}

Image PassAndRead(const BackgroundInputs& inputs, RippleGrids& grids) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    UpdateLight(50);
    BackgroundPass(inputs, grids);
    glFinish();
    return ReadBack(1680, 1050);
}

TEST_F(Background, SuccessiveFramesDifferOnlyBySmallDisplacements) {
    test::View().DrawFrame();  // the frame's projection, camera and fog
    RippleGrids grids = RunningGrids();
    BackgroundInputs inputs;
    inputs.customBackground = true;
    inputs.customTexture = m_texture;
    inputs.aspectClass = 2;
    Image first = PassAndRead(inputs, grids);
    Image second = PassAndRead(inputs, grids);
    int changed = 0;
    int largest = 0;
    for (std::size_t k = 0; k < first.rgb.size(); ++k) {
        int d = std::abs(first.rgb[k] - second.rgb[k]);
        changed += d != 0;
        largest = std::max(largest, d);
    }
    // The waves move every frame, but one step moves a texture coordinate by a few thousandths
    // at most: a level or two of the 256-level gradient.
    EXPECT_GT(changed, 1000);
    EXPECT_LE(largest, 4);
    SaveOnFailure(second, "background_second_frame");
}

}  // namespace
}  // namespace reef
