#include "ui/playlist_ctrl.h"

#include <wx/image.h>
#include <wx/imaglist.h>

#include <algorithm>
#include <cmath>

#include "ui/playlist_colors.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

// A row mark, `size` pixels square, smoothed by sampling each pixel 4 x 4 times: a dark green
// triangle pointing right (playing), or a red cross (could not be played).
wxBitmap MarkBitmap(PlaylistRowMark mark, int size) {
    wxImage image(size, size);
    image.InitAlpha();
    const double s = size;
    auto inside = [&](double x, double y) {
        if (mark == PlaylistRowMark::kPlaying) {
            // Left edge at 0.25, tip at (0.85, 0.5).
            const double u = (x / s - 0.25) / 0.6;
            return u >= 0 && std::fabs(y / s - 0.5) <= 0.35 * (1 - u);
        }
        const double u = x / s - 0.5, v = y / s - 0.5;
        const double half = 0.3, thick = 0.09;
        return std::fabs(u) <= half && std::fabs(v) <= half &&
               (std::fabs(u - v) <= thick * std::sqrt(2.0) ||
                std::fabs(u + v) <= thick * std::sqrt(2.0));
    };
    const wxColour colour =
        mark == PlaylistRowMark::kPlaying ? wxColour(0, 90, 0) : wxColour(200, 0, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
                }
            }
            image.SetRGB(x, y, colour.Red(), colour.Green(), colour.Blue());
            image.SetAlpha(x, y, static_cast<unsigned char>(hits * 255 / 16));
        }
    }
    return wxBitmap(image);
}

}  // namespace

PlaylistCtrl::PlaylistCtrl(wxWindow* parent, wxWindowID id, PlayingRowSource playingRow,
                           const wxPoint& pos, const wxSize& size, long extraStyle)
    : wxListCtrl(parent, id, pos, size,
                 wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES | extraStyle),
      m_playingRow(std::move(playingRow)) {
    // As high as a line of text, so the rows keep their height.
    const int side = std::max(8, GetCharHeight() - 2);
    auto* marks = new wxImageList(side, side, true, 2);
    marks->Add(MarkBitmap(PlaylistRowMark::kPlaying, side));
    marks->Add(MarkBitmap(PlaylistRowMark::kUnplayable, side));
    AssignImageList(marks, wxIMAGE_LIST_SMALL);
    Bind(wxEVT_IDLE, &PlaylistCtrl::OnIdle, this);
}

bool PlaylistCtrl::RowUnplayable(int row) const {
    return row >= 0 && row < static_cast<int>(m_unplayable.size()) &&
           m_unplayable[static_cast<std::size_t>(row)];
}

void PlaylistCtrl::SetUnplayableRows(const std::vector<bool>& rows) {
    if (rows != m_unplayable) {
        m_unplayable = rows;
        RefreshRowColors();
    }
}

void PlaylistCtrl::RefreshRowColors() {
    const int playing = m_playingRow ? m_playingRow() : -1;
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        const bool unplayable = RowUnplayable(row);
        const PlaylistRowColors colors = PlaylistRowColorsFor(row, playing, unplayable);
        SetItemTextColour(row, ToWxColour(colors.text));
        SetItemBackgroundColour(row, ToWxColour(colors.background));
        int image = -1;
        switch (PlaylistRowMarkFor(row, playing, unplayable)) {
            case PlaylistRowMark::kPlaying:
                image = kPlayingImage;
                break;
            case PlaylistRowMark::kUnplayable:
                image = kUnplayableImage;
                break;
            case PlaylistRowMark::kNone:
                break;
        }
        SetItemImage(row, image);
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
