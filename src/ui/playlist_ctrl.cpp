#include "ui/playlist_ctrl.h"

#include "ui/playlist_colors.h"
#include "ui/wx_colour.h"

namespace reef {

PlaylistCtrl::PlaylistCtrl(wxWindow* parent, wxWindowID id, PlayingRowSource playingRow,
                           const wxPoint& pos, const wxSize& size, long extraStyle)
    : wxListCtrl(parent, id, pos, size,
                 wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES | extraStyle),
      m_playingRow(std::move(playingRow)) {
    Bind(wxEVT_IDLE, &PlaylistCtrl::OnIdle, this);
}

void PlaylistCtrl::RefreshRowColors() {
    const int playing = m_playingRow ? m_playingRow() : -1;
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        PlaylistRowColors colors = PlaylistRowColorsFor(row, playing);
        if (m_rowAvailable && !m_rowAvailable(row)) {
            colors.text = kPlaylistUnavailableTextColor;
        }
        SetItemTextColour(row, ToWxColour(colors.text));
        SetItemBackgroundColour(row, ToWxColour(colors.background));
    }
    m_coloredPlayingRow = playing;
    m_coloredRowCount = count;
}

void PlaylistCtrl::OnIdle(wxIdleEvent& event) {
    const int playing = m_playingRow ? m_playingRow() : -1;
    if (playing != m_coloredPlayingRow || GetItemCount() != m_coloredRowCount) {
        RefreshRowColors();
    }
    event.Skip();
}

}  // namespace reef
