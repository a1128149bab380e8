// One frame: advance every animation by one step and draw the whole tank, in a fixed order.
#include <GL/gl.h>
#include <GL/glu.h>

#include "scene/background_pass.h"
#include "scene/custom_background.h"
#include "scene/lighting.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

// Until the settings are read from the settings file, the frame uses their defaults.
constexpr int kDefaultLightLevel = 50;
constexpr int kDefaultFogLevel = 25;
// BACKGROUND and "Show Terra": the desktop picture is shown.
constexpr int kDefaultBackgroundChoice = 0;
constexpr int kDefaultShowTerrain = 1;

}  // namespace

void AquariumView::RenderFrame() {
    if (!m_context) {
        return;
    }
    SetCurrent(*m_context);
    DrawFrame();
    glFinish();
    SwapBuffers();
}

void AquariumView::DrawFrame() {
    const int w = m_nScreenWidth;
    const int h = m_nScreenHeight;

    Frustum f = FrustumForScreen(w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);

    // The camera never moves: from z = -10.5 down the negative z axis.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, -10.5, 0.0, 0.0, -500.0, 0.0, 1.0, 0.0);

    // The full screen size, whatever the window size.
    glViewport(0, 0, w, h);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    UpdateLight(kDefaultLightLevel);
    UpdateFog(kDefaultFogLevel);

    BackgroundInputs background;
    background.backgroundChoice = kDefaultBackgroundChoice;
    background.showTerrain = kDefaultShowTerrain;
    background.customBackground = CustomBackground().active;
    background.customTexture = CustomBackground().texture;
    background.desktopTexture = m_texDesktop;
    background.aspectClass = m_nAspectClass;
    background.listedScreen = IsAspectClassListed(w, h);
    background.screenWidth = w;
    background.screenHeight = h;
    if (m_pRipple.front()) {  // missing when the start-up stopped early
        BackgroundPass(background, m_pRipple);
    }

    glDisable(GL_LIGHTING);
}

}  // namespace reef
