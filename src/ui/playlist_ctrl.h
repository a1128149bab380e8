#pragma once

#include <functional>

#include <wx/listctrl.h>

namespace reef {

// The music playlist: a report-mode list (single selection, grid lines) whose rows are written
// in blue on tan, the row being played on green. Only the rows are coloured: the area below the
// last row keeps the control's own background colour. The playing row is read from `playingRow`
// (a function giving the row index, or -1 for none); rows are recoloured when it or the number
// of rows changes, checked whenever the program is idle, or at once by RefreshRowColors().
class PlaylistCtrl : public wxListCtrl {
public:
    using PlayingRowSource = std::function<int()>;

    PlaylistCtrl(wxWindow* parent, wxWindowID id, PlayingRowSource playingRow,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long extraStyle = 0);

    void RefreshRowColors();

    // Rows for which `available` answers false are written in grey. Call RefreshRowColors()
    // when the answers change.
    void SetRowAvailability(std::function<bool(int)> available) {
        m_rowAvailable = std::move(available);
    }

private:
    void OnIdle(wxIdleEvent& event);

    PlayingRowSource m_playingRow;
    std::function<bool(int)> m_rowAvailable;
    int m_coloredPlayingRow = -2;  // -2: nothing coloured yet
    int m_coloredRowCount = -1;
};

}  // namespace reef
