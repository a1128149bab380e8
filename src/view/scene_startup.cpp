// Scene start-up: everything the frame loop relies on, in a fixed order.
#include <GL/gl.h>

#include <string>

#include "fish/fish_kinds.h"
#include "fish/fish_placement.h"
#include "fish/fish_tank.h"
#include "media/custom_background_dialog.h"
#include "media/custom_music_dialog.h"
#include "media/gl_picture_textures.h"
#include "media/music_player.h"
#include "platform/desktop_sight.h"
#include "platform/folders.h"
#include "platform/message.h"
#include "platform/screen.h"
#include "platform/swap_control.h"
#include "resources/extraction.h"
#include "resources/scramble.h"
#include "resources/textures.h"
#include "scene/background_plane.h"
#include "scene/ripple_grid.h"
#include "settings/aquarium_settings.h"
#include "view/aquarium_view.h"
#include "view/screen_tables.h"

namespace reef {

void AquariumView::SetUpGlState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Light 1 is given while the model-view matrix is the identity, so it stays a point light at
    // this eye-space position for the whole run. Light 0 is never used.
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[4] = {1000.0f, -1000.0f, 1000.0f, 1.0f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_AMBIENT, white);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);

    // The current colour drives the ambient and diffuse material. Blending is on with the
    // default function (one, zero), so it has no visible effect; textures modulate the lit
    // colour.
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
}

void AquariumView::LoadTextures(const std::string& resourceFolder) {
    // No snapshot of this run, or one that cannot be read, leaves the view without a desktop
    // texture.
    LoadSnapshotTexture(m_desktopSnapshot, &m_texDesktop);

    for (int kind = 0; kind < static_cast<int>(m_texFish.size()); ++kind) {
        std::string name = "fish" + std::to_string(kind);
        // A kind without an embedded skin gets a texture name with no image.
        const std::string folder =
            ExtractResource(static_cast<std::uint16_t>(kFishSkinResourceBase + kind),
                            resourceFolder, name)
                .value_or(resourceFolder);
        LoadBmpTexture(UnscrambledFilePath(folder, name), &m_texFish[kind]);
        DeleteFile(ScrambledFilePath(folder, name));
        DeleteFile(UnscrambledFilePath(folder, name));
    }
}

void AquariumView::CreateRippleGrids() {
    // One after the other: each grid's shape takes the next random numbers.
    for (auto& grid : m_pRipple) {
        grid = std::make_unique<RippleGrid>();
        grid->Init();
        grid->Resize(m_nScreenWidth, m_nScreenHeight);
    }
}

void AquariumView::CreateDialogs() {
    // Modeless and hidden until the menu shows them, the music dialog first. Each has an owner,
    // so a window manager keeps it above the tank, which stays on top of every other window.
    wxWindow* frame = wxGetTopLevelParent(this);
    m_pMusicDlg = new CustomMusicDialog(frame, std::make_unique<MusicPlayer>());
    // The background dialog loads its saved pictures now, into this context, each brought to
    // the shape of the plane it is drawn on.
    const PlaneHalfSize plane =
        BackgroundHalfSize(AspectClassForScreen(m_nScreenWidth, m_nScreenHeight), m_nScreenWidth,
                           m_nScreenHeight, IsAspectClassListed(m_nScreenWidth, m_nScreenHeight));
    const PixelSize pictureSize =
        PlanePictureSize(m_nScreenWidth, m_nScreenHeight, plane.width / plane.height);
    m_pBackgroundDlg = new CustomBackgroundDialog(
        this, std::make_unique<GlPictureTextures>(*this, *m_context, pictureSize));
}

void AquariumView::StartScene() {
    if (m_context) {
        return;
    }
    RunSceneStartup();
    // Without a context there is nothing to render; the view stays black until it is closed.
    if (m_context) {
        m_sight = std::make_unique<DesktopSight>(this);
        m_timer.Start(kFramePeriodMicroseconds, [this] { OnTimer(); });
    }
    m_nAspectClass = AspectClassForScreen(m_nScreenWidth, m_nScreenHeight);
}

void AquariumView::RunSceneStartup() {
    if (!m_pixelFormatFound) {
        ShowMessage("ChoosePixelFormat failed", kAppTitle);
        return;
    }
    // Without attributes wxWidgets makes a legacy context, which is a compatibility context.
    auto context = std::make_unique<wxGLContext>(this);
    if (!context->IsOK() || !SetCurrent(*context)) {
        ShowMessage("SetPixelFormat failed", kAppTitle);
        return;
    }
    m_context = std::move(context);
    // Where the driver offers it, swaps wait for the display; the frame timer paces the loop
    // either way, so a driver without swap control needs nothing else.
    WaitForDisplayOnSwap();

    SetUpGlState();
    const std::string resourceFolder = GetSystemFolder();

    wxRect screen = PrimaryScreenDeviceRect();
    m_nScreenWidth = screen.width;
    m_nScreenHeight = screen.height;
    m_tank = TankBoxForScreen(m_nScreenWidth, m_nScreenHeight);

    if (!TempFolder()) {
        ShowMessage("Error Find TempPath.", "ERROR");
        return;
    }
    LoadTextures(resourceFolder);
    LoadAquariumSettings();

    // One floor vertex per world unit of the tank's width and depth, truncated.
    m_sandFloor.Build(static_cast<int>(m_tank.maxX - m_tank.minX), static_cast<int>(-m_tank.minZ),
                      1);
    // The free swimmers are set down on the floor just built. The records' own start values
    // were drawn when the view was constructed, before any of the start-up's random numbers.
    PlaceFish(m_fishTank, m_tank, SandFloorHeights(m_sandFloor));

    CreateRippleGrids();

    // Exponential white fog; the density is replaced by every frame. Start and end have no
    // effect in exponential mode.
    const GLfloat fogColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, -10.0f);
    glFogf(GL_FOG_END, 100.0f);
    glEnable(GL_FOG);

    CreateDialogs();
}

}  // namespace reef
