#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gl_test_support.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

TEST(Frame, ProjectionCameraViewportLightAndFogAfterOneFrame) {
    AquariumView& view = test::View();
    ASSERT_EQ(view.ScreenWidth(), 1680);
    ASSERT_EQ(view.ScreenHeight(), 1050);
    view.RenderFrame();

    // glFrustum(-0.64, 0.64, -0.4, 0.4, 1, 1000): m[0] = 2n / (r - l), m[5] = 2n / (t - b),
    // m[10] = -(f + n) / (f - n), m[14] = -2fn / (f - n).
    GLdouble p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 1.0 / 0.64, 1e-5);
    EXPECT_NEAR(p[5], 1.0 / 0.4, 1e-5);
    EXPECT_NEAR(p[10], -1001.0 / 999.0, 1e-5);
    EXPECT_NEAR(p[14], -2000.0 / 999.0, 1e-5);
    EXPECT_NEAR(p[11], -1.0, 1e-9);

    // Looking from (0, 0, -10.5) down the -z axis, OpenGL's own viewing direction: the camera
    // only moves the world 10.5 units back toward +z.
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_NEAR(m[0], 1.0, 1e-6);
    EXPECT_NEAR(m[5], 1.0, 1e-6);
    EXPECT_NEAR(m[10], 1.0, 1e-6);
    EXPECT_NEAR(m[12], 0.0, 1e-6);
    EXPECT_NEAR(m[14], 10.5, 1e-5);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1680);
    EXPECT_EQ(viewport[3], 1050);

    // Light setting 50 and fog setting 25.
    GLfloat ambient[4], diffuse[4], position[4];
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT1, GL_POSITION, position);
    EXPECT_FLOAT_EQ(ambient[0], 0.5f);
    EXPECT_FLOAT_EQ(ambient[3], 1.0f);
    EXPECT_FLOAT_EQ(diffuse[2], 0.5f);
    EXPECT_FLOAT_EQ(position[0], 1000.0f);
    EXPECT_FLOAT_EQ(position[1], -1000.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));  // switched off at the end of the frame

    GLfloat density = -1;
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_FLOAT_EQ(density, 0.0f);
    GLint fogMode = 0;
    glGetIntegerv(GL_FOG_MODE, &fogMode);
    EXPECT_EQ(fogMode, GL_EXP);
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << "density 0 changes no pixel: fog stays off";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Frame, TheViewCoversTheScreen) {
    test::ProcessPendingEvents();
    wxSize size = test::View().GetClientSize();
    wxPoint origin = test::View().ClientToScreen(wxPoint(0, 0));
    EXPECT_EQ(origin, wxPoint(0, 0));
    EXPECT_GE(size.x, 1680);
    EXPECT_GE(size.y, 1050);
}

}  // namespace
}  // namespace reef
