#include "view/aquarium_view.h"

#include <unistd.h>

#include <cstdio>

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/dcclient.h>

#include "media/ambient_loop.h"
#include "media/ambient_sound.h"
#include "media/custom_background_dialog.h"
#include "media/custom_music_dialog.h"
#include "media/sound_hand_over.h"
#include "platform/desktop_sight.h"
#include "platform/window_state.h"
#include "resources/embedded_resources.h"
#include "resources/extraction.h"
#include "scene/ripple_grid.h"
#include "settings/aquarium_settings.h"

namespace reef {

namespace {

// The time between two ticks while nobody can see the tank: the longest a frame waits once the
// tank can be seen again, and the longest the ambient sound waits to come back after the user's
// music stops meanwhile.
constexpr std::int64_t kUnseenTickMicroseconds = 100000;

}  // namespace

AquariumView::PixelFormat AquariumView::ChoosePixelFormat() {
    // RGBA, double buffered, 8 bits a colour channel; GLX takes the depth size as a minimum, so
    // ask for 32 bits first and settle for the deepest buffer the display has.
    for (int depth : {32, 24, 16}) {
        PixelFormat format;
        format.attributes.PlatformDefaults().RGBA().DoubleBuffer().MinRGBA(8, 8, 8, 0).Depth(depth);
        format.attributes.EndList();
        if (wxGLCanvas::IsDisplaySupported(format.attributes)) {
            format.found = true;
            return format;
        }
    }
    PixelFormat fallback;
    fallback.attributes.PlatformDefaults().Defaults().EndList();
    return fallback;
}

AquariumView::AquariumView(wxWindow* parent) : AquariumView(parent, ChoosePixelFormat()) {}

AquariumView::AquariumView(wxWindow* parent, const PixelFormat& format)
    : wxGLCanvas(parent, format.attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_pixelFormatFound(format.found),
      m_timer(),
      m_ambientLoop(std::make_unique<AmbientLoop>()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &AquariumView::OnPaint, this);
    Bind(wxEVT_SIZE, &AquariumView::OnSize, this);
    Bind(wxEVT_ERASE_BACKGROUND, &AquariumView::OnEraseBackground, this);
    BindInput();
    ApplyCursorRule();
}

AquariumView::~AquariumView() {
    Teardown();
}

wxSize AquariumView::DevicePixelSize(wxSize logical) const {
    double scale = GetContentScaleFactor();
    return wxSize(static_cast<int>(logical.x * scale + 0.5),
                  static_cast<int>(logical.y * scale + 0.5));
}

void AquariumView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    RenderFrame();
}

void AquariumView::OnEraseBackground(wxEraseEvent&) {
    // Nothing to erase: every frame clears and redraws the whole view.
}

void AquariumView::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (!m_context) {
        return;
    }
    wxSize size = DevicePixelSize(GetClientSize());
    int w = size.x;
    int h = size.y == 0 ? 1 : size.y;
    SetCurrent(*m_context);
    // Every frame sets its own projection and viewport; these hold until the next frame.
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(w) / h, 0.1, 400.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The grids follow the view's own size; each restarts with a drop in its corner.
    for (auto& grid : m_pRipple) {
        if (grid) {
            grid->Resize(w, h);
            grid->AddDrop(0, 0);
        }
    }
}

void AquariumView::OnTimer() {
    // The frame timer never queues ticks behind a slow frame, so a tick is always one fresh
    // frame and no backlog has to be thrown away afterwards. While nobody can see a frame, none
    // is rendered (and the fish wait where they are), and the ticks slow down to a few a second
    // that only look whether the tank is seen again and hand the sound over, which goes on. The
    // desktop's answer is a plain read and comes first; the window's state costs a round trip
    // to the server.
    const bool seen = (!m_sight || m_sight->Seen()) && IsTopLevelOnScreen(this);
    m_timer.SetPeriod(seen ? kFramePeriodMicroseconds : kUnseenTickMicroseconds);
    if (seen) {
        RenderFrame();
    }
    HandOverSound();
}

void AquariumView::HandOverSound() {
    reef::HandOverSound(ProcessSoundFlags(), *m_ambientLoop, [this] {
        StartAmbientSound(*m_ambientLoop, EmbeddedResources(), GetSystemFolder(),
                          g_settings.nVolume);
    });
}

void AquariumView::Teardown() {
    if (m_context) {
        // The program ends: what the media dialogs hold is saved, closed or not, so an edit made
        // with a dialog still open is not lost.
        if (m_pMusicDlg != nullptr) {
            m_pMusicDlg->SaveMusicSettings();
        }
        if (m_pBackgroundDlg != nullptr) {
            m_pBackgroundDlg->SaveBackgroundSettings();
        }
        // The dialog's pictures are textures of this context.
        delete m_pBackgroundDlg;
        m_pBackgroundDlg = nullptr;
        SetCurrent(*m_context);
        if (m_texDesktop != 0) {
            glDeleteTextures(1, &m_texDesktop);
            m_texDesktop = 0;
        }
        glDeleteTextures(static_cast<GLsizei>(m_texFish.size()), m_texFish.data());
        m_texFish.fill(0);
        // Destroying the context also releases it from the thread when it is current.
        m_context.reset();
    }
    m_timer.Stop();
    m_sight.reset();
    m_ambientLoop->Stop();
}

void AquariumView::ExitProgram() {
    Teardown();
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace reef
