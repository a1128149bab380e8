#pragma once

#include <functional>
#include <vector>

#include <wx/listctrl.h>

namespace reef {

// The music playlist: a report-mode list (single selection, grid lines) whose rows are written
// in blue on tan, the row being played on green. Only the rows are coloured: the area below the
// last row keeps the control's own background colour. The playing row is read from `playingRow`
// (a function giving the row index, or -1 for none); rows are recoloured when it or the number
// of rows changes, checked whenever the program is idle, or at once by RefreshRowColors().
//
// The selection paints its row in its own colours, so the playing row also carries a mark at
// its start, a triangle, which stays visible when it is selected; a row whose file could not be
// played is written in grey and marked with a red cross.
class PlaylistCtrl : public wxListCtrl {
public:
    using PlayingRowSource = std::function<int()>;

    PlaylistCtrl(wxWindow* parent, wxWindowID id, PlayingRowSource playingRow,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long extraStyle = 0);

    void RefreshRowColors();
    // By row: true for a row whose file could not be played. Recolours when it changed.
    void SetUnplayableRows(const std::vector<bool>& rows);
    bool RowUnplayable(int row) const;

    // The mark images in the control's image list.
    enum { kPlayingImage = 0, kUnplayableImage = 1 };

private:
    void OnIdle(wxIdleEvent& event);

    PlayingRowSource m_playingRow;
    std::vector<bool> m_unplayable;
    int m_coloredPlayingRow = -2;  // -2: nothing coloured yet
    int m_coloredRowCount = -1;
};

}  // namespace reef
