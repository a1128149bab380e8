#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>

#include "media/music_dialog_logic.h"
#include "ui/file_chooser.h"

class wxListEvent;
class wxSlider;

namespace reef {

class ColorSlider;
class HoverCheckBox;
class MediaPlayer;
class PlaylistCtrl;

// The modeless Custom Music dialog: the user's playlist, its play mode, the On/Off switch that
// hands the sound over from the ambient loop to the playlist, and the music volume. It exists
// from start-up to the end of the program, hidden until the menu shows it, and its 200 ms timer
// drives the playlist whether it is shown or not. Closing it (Escape or the title bar) hides it
// and saves the playlist to section "Custom Settings" of the settings file.
//
// The decisions live in MusicDialogLogic; this window shows its state and forwards the user's
// actions to it.
class CustomMusicDialog : public wxDialog {
public:
    enum {
        ID_SLIDER_POSITION = 1006,
        ID_SLIDER_VOLUME = 1007,
        ID_ON_OFF = 1011,
        ID_LIST = 1016,
        ID_ADD = 1017,
        ID_REMOVE = 1018,
        ID_REMOVE_ALL = 1019,
        ID_PLAY = 1021,
        ID_STOP = 1022,
        ID_REPEAT_ONE = 1023,
        ID_REPEAT_ALL = 1024,
        ID_RANDOM = 1025,
        ID_PLAYER_PARENT = 1034,
    };
    static constexpr int kTimerId = 1;
    static constexpr int kTimerPeriodMs = 200;

    // Created hidden. `parent` keeps the dialog above the tank, which stays on top of other
    // windows. Reads the profile volume and the saved playlist, and starts it when it was on.
    CustomMusicDialog(wxWindow* parent, std::unique_ptr<MediaPlayer> player);
    ~CustomMusicDialog() override;

    const MusicDialogLogic& Logic() const { return m_logic; }

    // The user's actions, as the controls report them; public so that tests can drive them.
    void AddMusicFile(const wxString& path);
    void Command(int id);
    // A click on On/Off that left the box `checked`.
    void OnOnOffClicked(bool checked);
    // Saves section "Custom Settings": when the dialog closes, and when the program ends.
    void SaveMusicSettings();

private:
    void CreateControls();
    void ShowState();
    void ReadSelection();

    void OnButton(wxCommandEvent& event);
    void OnCheckBox(wxCommandEvent& event);
    void OnListActivated(wxListEvent& event);
    void OnVolume(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnTimer(wxTimerEvent& event);

    std::unique_ptr<MediaPlayer> m_player;
    MusicDialogLogic m_logic;
    unsigned m_shownRowsRevision = ~0u;
    unsigned m_shownSelectionClears = 0;
    AddFilesChooser m_chooser;

    PlaylistCtrl* m_list = nullptr;
    HoverCheckBox* m_onOff = nullptr;
    HoverCheckBox* m_modes[3] = {};
    ColorSlider* m_volume = nullptr;
    wxSlider* m_position = nullptr;
    wxTimer m_timer;
};

}  // namespace reef
