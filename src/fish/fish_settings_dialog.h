#pragma once

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include "fish/fish_population.h"

class wxStaticText;

namespace reef {

class HoverButton;

// The modal Fish Settings dialog: the picture sheet of the 15 kinds with each kind's count on
// it, a click selects a kind, and Add, Delete, Random and Clear change the counts (also by
// double clicks and by the buttons' first letters in either case). Every 500 ms the counts are
// written to the settings file and handed to the running tank. Closing keeps the last save; OK
// and the close box save once more. Enter presses the focused button, or OK when no button has
// the focus.
class FishSettingsDialog : public wxDialog {
public:
    // Control ids.
    enum {
        ID_OK = 1,
        ID_CANCEL = 2,
        ID_TOTAL = 1001,
        ID_ADD = 1007,
        ID_DELETE = 1008,
        ID_RANDOM = 1009,
        ID_CLEAR = 1010,
        ID_LINK = 1037,
    };
    static constexpr int kSaveTimerId = 1;
    static constexpr int kSavePeriodMs = 500;

    // Loads the counts from the settings file and starts the save timer.
    explicit FishSettingsDialog(wxWindow* parent);
    ~FishSettingsDialog() override;

    const FishPopulation& Population() const { return m_population; }

private:
    void CreateControls();
    void Perform(FishPopulation::Action action);
    void Redraw(const std::vector<FishPopulation::Rect>& dirty);
    void RefreshTotal();
    void Save();
    void PressFocusedOrDefault();

    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnTimer(wxTimerEvent& event);

    FishPopulation m_population;
    wxBitmap m_sheet;
    wxStaticText* m_total = nullptr;
    wxTimer m_timer;
};

}  // namespace reef
