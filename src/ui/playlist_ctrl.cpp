#include "ui/playlist_ctrl.h"

#include <wx/image.h>
#include <wx/imaglist.h>

#include <algorithm>
#include <cmath>

#include "ui/playlist_colors.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

// How far (x, y) lies inside the mark, in pixels; negative outside. The playing mark is a
// triangle pointing right, the other a cross.
double Inside(PlaylistRowMark mark, double size, double x, double y) {
    // The distance from (x, y) to the line through (ax, ay) and (bx, by), positive on its left.
    auto side = [&](double ax, double ay, double bx, double by) {
        const double dx = bx - ax, dy = by - ay;
        return ((x - ax) * dy - (y - ay) * dx) / std::hypot(dx, dy);
    };
    const double s = size;
    if (mark == PlaylistRowMark::kPlaying) {
        const double ax = 0.25 * s, ay = 0.15 * s, bx = 0.25 * s, by = 0.85 * s, cx = 0.85 * s,
                     cy = 0.5 * s;
        return std::min({side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay)});
    }
    const double u = x - 0.5 * s, v = y - 0.5 * s, half = 0.3 * s, thick = 0.09 * s;
    const double box = half - std::max(std::fabs(u), std::fabs(v));
    const double bar = thick - std::min(std::fabs(u - v), std::fabs(u + v)) / std::sqrt(2.0);
    return std::min(box, bar);
}

// A row mark, `size` pixels square, in its colour with a white rim, so that it shows on the
// row's tan, the playing row's green and the selection's blue alike. Each pixel is sampled
// 4 x 4 times, which smooths the edges.
wxBitmap MarkBitmap(PlaylistRowMark mark, int size) {
    wxImage image(size, size);
    image.InitAlpha();
    const wxColour colour =
        mark == PlaylistRowMark::kPlaying ? wxColour(0, 100, 0) : wxColour(210, 0, 0);
    constexpr double kRim = 1.2;  // pixels
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int inner = 0, outer = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double depth = Inside(mark, size, x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
                    inner += depth >= 0 ? 1 : 0;
                    outer += depth >= -kRim ? 1 : 0;
                }
            }
            // The colour over white, as much as the shape covers of the pixel.
            auto mix = [&](int c) {
                return static_cast<unsigned char>(255 + (c - 255) * inner / 16);
            };
            image.SetRGB(x, y, mix(colour.Red()), mix(colour.Green()), mix(colour.Blue()));
            image.SetAlpha(x, y, static_cast<unsigned char>(outer * 255 / 16));
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
