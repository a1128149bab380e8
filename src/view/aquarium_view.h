#pragma once

#include <wx/glcanvas.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "fish/fish_tank.h"
#include "platform/frame_timer.h"
#include "scene/background_plane.h"
#include "scene/sand_floor.h"
#include "scene/unseen_drawing.h"
#include "view/screen_tables.h"

namespace reef {

class CustomMusicDialog;
class DesktopSight;
class SoundLoop;
class CustomBackgroundDialog;

// Command ids of the popup menu; ID_MODE_IDLE is the idle value of the view's mode.
enum CommandId {
    ID_ADD_DELETE_FISH = 1034,
    ID_EXIT_AQUARIUM = 1042,
    ID_MODE_IDLE = 1043,
    ID_CUSTOM_MUSIC = 1050,
    ID_CUSTOM_BACKGROUND = 1052,
};

// The frame's one child: owns the OpenGL context, the whole scene and the frame loop. One timer
// tick renders one frame, and one frame is one step of every animation; while nobody can see the
// tank (the frame iconified or hidden, the session locked, the screen saver on or the display
// off, the tank covered whole) the ticks render nothing, and the scene stands still.
//
// Life cycle: constructed hidden by the frame; StartScene() once the frame is on screen (the
// context can only be made current on a realised window); then the frame timer ticks about 64
// times a second (see FrameTimer) until Teardown(), which the frame calls before it is destroyed.
class AquariumView : public wxGLCanvas {
public:
    // Picks the pixel format (RGBA, double buffer, 24 colour bits, the deepest depth buffer up to
    // 32 bits the display offers) and creates the window. When the display offers no such format
    // the window is created all the same and StartScene() reports it.
    explicit AquariumView(wxWindow* parent);
    ~AquariumView() override;

    AquariumView(const AquariumView&) = delete;
    AquariumView& operator=(const AquariumView&) = delete;

    // The desktop snapshot that this run wrote, which the scene start-up loads as the default
    // background; empty, as at construction, when none was written.
    void SetDesktopSnapshot(const std::string& path) { m_desktopSnapshot = path; }

    // Scene start-up: context, OpenGL state, tank box, textures and scene objects, then the
    // frame timer. Reports failures in the program's message boxes and stops early on them.
    void StartScene();

    // Renders and presents one frame. Does nothing until the scene has a context.
    void RenderFrame();

    // Stops the frame loop's timer, for callers that render frames themselves.
    void StopFrameTimer() { m_timer.Stop(); }

    // Advances and draws one frame into the back buffer without presenting it, so drawing
    // tests can read it back. Needs the view's context current. The program's frames leave out
    // what changes no pixel; `unseen` kDraw draws it as well.
    void DrawFrame(UnseenDrawing unseen = UnseenDrawing::kSkip);

    // The passes of a frame, in the order they are drawn: the clears, the background plane when
    // it is drawn before the fish, the fish, and the background pass (the rain over the ripple
    // grids, with the plane when it is drawn after the fish).
    enum class FramePass { kClear, kPlane, kFish, kBackground };
    // While set, called at the end of each pass of every frame drawn; the frame benchmark times
    // the passes with it. An empty function removes it.
    void SetPassProbe(std::function<void(FramePass)> probe) { m_passProbe = std::move(probe); }

    // Everything a frame advances: the fish, the ripple grids, the process's random generator
    // and background pass counters. Drawing tests save it and restore it to draw the same
    // frames twice.
    struct FrameState;
    std::shared_ptr<const FrameState> SaveFrameState() const;
    void RestoreFrameState(const FrameState& state);

    // Saves what the media dialogs hold, frees the GL objects, then the context, then stops the
    // timer. The first call does it all; later calls only stop the timer and the sound.
    void Teardown();

    // Ends the program at once with status 0, as the menu's "Exit" does: Teardown(), without
    // closing the frame. Other settings than the dialogs' are not written.
    [[noreturn]] void ExitProgram();

    // The last command of the popup menu; ID_MODE_IDLE hides the pointer over the tank.
    int Mode() const { return m_nCommand; }

    bool HasContext() const { return m_context != nullptr; }
    wxGLContext* Context() const { return m_context.get(); }
    // The fish records, for drawing tests that put fish where a case needs them.
    FishTank& FishForTest() { return m_fishTank; }
    int ScreenWidth() const { return m_nScreenWidth; }
    int ScreenHeight() const { return m_nScreenHeight; }
    const TankBox& Tank() const { return m_tank; }
    const SandFloorGrid& SandFloor() const { return m_sandFloor; }
    // Made hidden at start-up; none when the start-up stopped early.
    CustomBackgroundDialog* BackgroundDialog() const { return m_pBackgroundDlg; }

private:
    struct PixelFormat {
        wxGLAttributes attributes;
        bool found = false;
    };
    static PixelFormat ChoosePixelFormat();
    AquariumView(wxWindow* parent, const PixelFormat& format);

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnTimer();
    void HandOverSound();
    void OnEraseBackground(wxEraseEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnCommand(wxCommandEvent& event);
    void ApplyCursorRule();
    void BindInput();

    void RunSceneStartup();
    void SetUpGlState();
    void LoadTextures(const std::string& resourceFolder);
    void CreateRippleGrids();
    void CreateDialogs();
    wxSize DevicePixelSize(wxSize logical) const;

    bool m_pixelFormatFound = false;
    std::unique_ptr<wxGLContext> m_context;
    FrameTimer m_timer;
    // Follows the desktop from the start of the frame loop to Teardown().
    std::unique_ptr<DesktopSight> m_sight;

    int m_nScreenWidth = 1680;
    int m_nScreenHeight = 1050;
    int m_nAspectClass = 1;
    TankBox m_tank;
    int m_nCommand = ID_MODE_IDLE;

    std::string m_desktopSnapshot;
    unsigned int m_texDesktop = 0;
    std::array<unsigned int, 15> m_texFish{};

    // The 50 fish records, held by value: constructing the view constructs them in slot order,
    // which draws their start values (mouth period, behaviour counter) from the process
    // generator before the scene start-up draws anything. Start-up places them; every frame
    // draws and moves the slots in use.
    FishTank m_fishTank;
    // Built at start-up from the tank box; the fish start positions are picked on it.
    SandFloorGrid m_sandFloor;
    RippleGrids m_pRipple;
    // The depth clear value just behind the background plane, found at the first frame that
    // draws the plane; none when the renderer cannot hold it, and then the plane is drawn after
    // the fish.
    std::optional<double> m_planeDepthClear;
    bool m_planeDepthFound = false;
    std::function<void(FramePass)> m_passProbe;

    // The ambient sound, played while the user's own music is off.
    std::unique_ptr<SoundLoop> m_ambientLoop;
    // The modeless dialogs, created hidden at start-up; their parent, the frame, owns them.
    CustomMusicDialog* m_pMusicDlg = nullptr;
    // Owned by the view: deleted by Teardown() while the context that holds its textures lives.
    CustomBackgroundDialog* m_pBackgroundDlg = nullptr;
};

}  // namespace reef
