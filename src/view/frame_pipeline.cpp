// One frame: advance every animation by one step and draw the whole tank, in a fixed order.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fish/fish_frame.h"
#include "fish/fish_gl_sink.h"
#include "fish/fish_slots.h"
#include "platform/random.h"
#include "scene/background_pass.h"
#include "scene/custom_background.h"
#include "scene/lighting.h"
#include "scene/ripple_grid.h"
#include "settings/aquarium_settings.h"
#include "view/aquarium_view.h"
#include "view/screen_tables.h"

namespace reef {

void AquariumView::RenderFrame() {
    if (!m_context) {
        return;
    }
    SetCurrent(*m_context);
    DrawFrame();
    glFinish();
    SwapBuffers();
}

struct AquariumView::FrameState {
    FishTank fish;
    std::array<RippleGrid, kRippleGridCount> grids;
    bool hasGrids = false;
    std::uint32_t random = 1;
    BackgroundPassCounters counters;
};

std::shared_ptr<const AquariumView::FrameState> AquariumView::SaveFrameState() const {
    auto state = std::make_shared<FrameState>();
    state->fish = m_fishTank;
    state->hasGrids = m_pRipple.front() != nullptr;
    for (int g = 0; state->hasGrids && g < kRippleGridCount; ++g) {
        state->grids[static_cast<std::size_t>(g)] = *m_pRipple[static_cast<std::size_t>(g)];
    }
    state->random = ProcessRandom().State();
    state->counters = ProcessBackgroundCounters();
    return state;
}

void AquariumView::RestoreFrameState(const FrameState& state) {
    m_fishTank = state.fish;
    for (int g = 0; state.hasGrids && g < kRippleGridCount; ++g) {
        *m_pRipple[static_cast<std::size_t>(g)] = state.grids[static_cast<std::size_t>(g)];
    }
    ProcessRandom().SetState(state.random);
    ProcessBackgroundCounters() = state.counters;
}

void AquariumView::DrawFrame(UnseenDrawing unseen) {
    const int w = m_nScreenWidth;
    const int h = m_nScreenHeight;

    Frustum f = FrustumForScreen(w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);

    // The camera never moves: from z = -10.5 down the negative z axis.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, kCameraEyeZ, 0.0, 0.0, kCameraTargetZ, 0.0, 1.0, 0.0);

    BackgroundInputs background;
    background.backgroundChoice = g_settings.nBackground;
    background.showTerrain = g_settings.nShowTerra;
    background.customBackground = CustomBackground().active;
    background.customTexture = CustomBackground().texture;
    background.desktopTexture = m_texDesktop;
    background.aspectClass = m_nAspectClass;
    background.listedScreen = IsAspectClassListed(w, h);
    background.screenWidth = w;
    background.screenHeight = h;
    // Missing when the start-up stopped early.
    const bool planeDrawn = m_pRipple.front() != nullptr && DrawsBackgroundPlane(background);
    const bool skipUnseen = unseen == UnseenDrawing::kSkip;
    // The plane, when drawn, covers the whole viewport (see BackgroundHalfSize), so every pixel
    // there ends up with a fish's colour or the plane's, whatever the colour clear left. The
    // clear also reaches past the viewport, so it stays when the window is larger.
    const wxSize window = DevicePixelSize(GetClientSize());
    const bool planeCoversWindow = planeDrawn && window.x <= w && window.y <= h;

    // The full screen size, whatever the window size.
    glViewport(0, 0, w, h);
    if (planeDrawn && skipUnseen && !m_planeDepthFound) {
        m_planeDepthClear = DepthClearBehindPlane(background, *m_pRipple.front());
        m_planeDepthFound = true;
    }
    // The plane is drawn first, with no depth test, and the fish over it, tested against a depth
    // one step behind the plane's: a fish fragment shows exactly where it would have shown with
    // the plane drawn after the fish and tested against them, so the renderer neither reads nor
    // writes depth for the plane's pixels, most of the frame's.
    const bool planeFirst = planeDrawn && skipUnseen && m_planeDepthClear.has_value();
    if (planeFirst) {
        glClearDepth(*m_planeDepthClear);
    }
    glClear(planeCoversWindow && skipUnseen ? GL_DEPTH_BUFFER_BIT
                                            : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    // Blending stays on with the function (one, zero): a source times one plus a destination
    // times zero is the source itself, bit for bit, so the frame draws with blending off and
    // the renderer reads back no pixel it writes. Turned on again at the end of the frame.
    if (skipUnseen) {
        glDisable(GL_BLEND);
    }
    if (m_passProbe) {
        m_passProbe(FramePass::kClear);
    }

    UpdateLight(g_settings.nLightLevel);
    UpdateFog(g_settings.nFogLevel, unseen);

    // The plane is lit with the current normal, which is the last one the fish pass gave: drawn
    // first, it takes the one the frame before left.
    std::array<GLfloat, 3> normalBefore{};
    if (planeFirst) {
        glGetFloatv(GL_CURRENT_NORMAL, normalBefore.data());
        glDisable(GL_DEPTH_TEST);
        DrawBackgroundPlane(background, *m_pRipple.front());
        glEnable(GL_DEPTH_TEST);
    }
    if (m_passProbe) {
        m_passProbe(FramePass::kPlane);
    }

    // Fish pass: each fish in use is drawn at its position with its kind's skin; the draw runs
    // its behaviour and moves it, and the slot's rules follow right after it.
    const SlotAssignment slots = AssignSlots(g_settings.nFishCount.data(), kFishKinds);
    RunFishPass(m_fishTank, slots, [this](Fish& fish, int kind) {
        glPushMatrix();
        glTranslatef(fish.position.x, fish.position.y, fish.position.z);
        glBindTexture(GL_TEXTURE_2D, m_texFish[kind]);
        DrawTankFish(fish, kind, OpenGlFishSink());
        glPopMatrix();
    });
    if (m_passProbe) {
        m_passProbe(FramePass::kFish);
    }

    if (m_pRipple.front()) {
        int drawnGrids = skipUnseen ? 1 : kRippleGridCount;
        if (planeFirst) {
            // Every frame that draws a fish ends on the same model point, so the normal changes
            // only when the first fish is drawn; then the plane is drawn again in its usual place,
            // tested against the fish, with the normal it would have had.
            std::array<GLfloat, 3> normalAfter{};
            glGetFloatv(GL_CURRENT_NORMAL, normalAfter.data());
            drawnGrids =
                std::memcmp(normalAfter.data(), normalBefore.data(), sizeof normalAfter) == 0 ? 0
                                                                                              : 1;
        }
        // The plane tests depth against the fish but writes none: nothing reads the depth
        // buffer after it. The grids behind the first, drawn only to compare, need the first
        // one's depth.
        if (skipUnseen) {
            glDepthMask(GL_FALSE);
        }
        BackgroundPass(background, m_pRipple, drawnGrids);
        glDepthMask(GL_TRUE);
    }
    if (m_passProbe) {
        m_passProbe(FramePass::kBackground);
    }

    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
}

}  // namespace reef
