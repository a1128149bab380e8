#pragma once

#include <wx/frame.h>

namespace reef {

class AquariumView;

// The one top-level window: photographs the desktop before anything of the program is shown,
// then covers the primary monitor, borderless and above other windows, with the aquarium view as
// its only child. Escape closes it.
class CMainFrame : public wxFrame {
public:
    CMainFrame();

    // Creates the window, takes the snapshot, creates the view, shows the frame over the whole
    // screen and starts the scene.
    void CreateAndShow();

    AquariumView* View() const { return m_view; }

    // Ends the program with status 0 as the menu's "Exit" does, saving what the media dialogs
    // hold; also while a modal dialog or message box runs its own loop.
    [[noreturn]] void EndProgram();

private:
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnSetFocus(wxFocusEvent& event);

    AquariumView* m_view = nullptr;  // owned by the window hierarchy
};

}  // namespace reef
