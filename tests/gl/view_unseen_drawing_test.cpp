#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "gl_image.h"
#include "gl_test_support.h"
#include "scene/background_plane.h"
#include "settings/aquarium_settings.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

test::Image Draw(AquariumView& view, UnseenDrawing unseen) {
    view.DrawFrame(unseen);
    return test::ReadBack(view.ScreenWidth(), view.ScreenHeight());
}

// Puts a busy picture (fine stripes and sharp edges in every colour) in place of the desktop
// texture bound now, so the ripples show in the frames, and puts the old one back when done.
class BusyPicture {
public:
    BusyPicture() {
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &m_width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &m_height);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &m_texture);
        m_saved.resize(static_cast<std::size_t>(m_width) * m_height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, m_saved.data());
        std::vector<unsigned char> busy(m_saved.size());
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                unsigned char* p = &busy[(static_cast<std::size_t>(y) * m_width + x) * 3];
                p[0] = static_cast<unsigned char>((x * 37 + y * 11) ^ (x * y));
                p[1] = static_cast<unsigned char>(((x / 3 + y / 5) % 2) * 200 + x % 50);
                p[2] = static_cast<unsigned char>(y * 3 + (x % 7) * 30);
            }
        }
        Upload(busy);
    }
    ~BusyPicture() { Upload(m_saved); }
    BusyPicture(const BusyPicture&) = delete;
    BusyPicture& operator=(const BusyPicture&) = delete;

    bool Replaced() const { return m_width > 0 && m_height > 0; }

private:
    void Upload(const std::vector<unsigned char>& rgb) {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(m_texture));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE,
                        rgb.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    GLint m_width = 0;
    GLint m_height = 0;
    GLint m_texture = 0;
    std::vector<unsigned char> m_saved;
};

// Sets every fish down across the background plane's depth, each a little nearer or farther,
// spread over the view, so their bodies cut through the plane.
void PutFishAcrossThePlane(AquariumView& view) {
    int slot = 0;
    for (Fish& fish : view.FishForTest().fish) {
        fish.position.x = -45.0f + static_cast<float>(slot % 10) * 10.0f;
        fish.position.y = -28.0f + static_cast<float>(slot / 10) * 14.0f;
        fish.position.z = kBackgroundPlaneZ + static_cast<float>(slot % 5 - 2) * 0.75f;
        ++slot;
    }
}

// The program's frames leave out the ripple grids behind the first one, the fog at density 0,
// the colour clear under the background plane, blending (one, zero) and the plane's depth
// writes, and draw the plane before the fish with no depth test. Each frame here is drawn both
// ways from the same state, with a full tank, and the two read-backs must be the same byte for
// byte. Without the plane the colour clear must stay: the back buffer still holds the frame
// drawn before.
TEST(UnseenDrawing, LeavingItOutChangesNoPixel) {
    struct Case {
        int fogLevel;
        int background;
        int frames;
        bool fishAcrossThePlane;
        const char* what;
    };
    const Case cases[] = {
        {25, 0, 200, false, "fog of density 0, grids 1 to 9, colour clear, blending, depth writes"},
        {0, 0, 100, false, "the densest fog drawn, the rest left out"},
        {25, 1, 20, false, "no background plane: the colour clear is kept"},
        {25, 0, 40, true, "fish cut through the plane: its depth decides, ties included"},
    };
    AquariumView& view = test::View();
    view.SetCurrent(*view.Context());
    const AquariumSettings saved = g_settings;
    g_settings.nShowTerra = 1;
    // 50 fish: four of each kind with a skin, three of each of the others.
    for (int kind = 0; kind < 15; ++kind) {
        g_settings.nFishCount[static_cast<std::size_t>(kind)] = kind < 5 ? 4 : 3;
    }
    // A frame with the plane leaves the desktop texture bound.
    g_settings.nBackground = 0;
    view.DrawFrame();
    BusyPicture picture;
    ASSERT_TRUE(picture.Replaced());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_settings.nFogLevel = c.fogLevel;
        g_settings.nBackground = c.background;
        if (c.fishAcrossThePlane) {
            PutFishAcrossThePlane(view);
        }
        int moving = 0;
        test::Image previous;
        for (int frame = 0; frame < c.frames; ++frame) {
            auto start = view.SaveFrameState();
            if (frame == 0) {
                // As before a context's first fish: the plane is lit with the normal the fish
                // leave, not with the one it finds.
                glNormal3f(0.0f, 0.0f, 1.0f);
            }
            test::Image lean = Draw(view, UnseenDrawing::kSkip);
            EXPECT_EQ(glIsEnabled(GL_FOG) == GL_TRUE, c.fogLevel != 25);
            // What the frame turned off for itself is on again for whatever comes next.
            GLboolean depthWrites = GL_FALSE;
            glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
            EXPECT_TRUE(glIsEnabled(GL_BLEND) == GL_TRUE && depthWrites == GL_TRUE);
            view.RestoreFrameState(*start);
            test::Image full = Draw(view, UnseenDrawing::kDraw);
            if (lean.rgb != full.rgb) {
                std::size_t differing = 0;
                for (std::size_t k = 0; k < lean.rgb.size(); ++k) {
                    differing += lean.rgb[k] != full.rgb[k];
                }
                ADD_FAILURE() << "frame " << frame << ": " << differing << " bytes differ";
                test::SaveOnFailure(lean, "unseen_left_out");
                test::SaveOnFailure(full, "unseen_drawn");
                break;
            }
            // The frames are worth comparing: fish swim and the picture ripples.
            moving += !previous.rgb.empty() && previous.rgb != lean.rgb;
            previous = std::move(lean);
        }
        EXPECT_GE(moving, c.frames / 2);
    }
    g_settings = saved;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace reef
