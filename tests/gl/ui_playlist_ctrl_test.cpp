#include <wx/app.h>

#include "gl_test_support.h"
#include "ui/playlist_colors.h"
#include "ui/playlist_ctrl.h"
#include "ui/wx_colour.h"
#include "ui_render.h"

namespace reef {
namespace {

class PlaylistCtrlTest : public test::ControlTest {};

TEST_F(PlaylistCtrlTest, PlayingRowIsGreenAndFollowsThePlayer) {
    int playing = 1;
    auto* list = new PlaylistCtrl(
        m_frame, 801, [&playing] { return playing; }, wxPoint(0, 0), wxSize(300, 150));
    EXPECT_TRUE(list->InReportView());
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    list->AppendColumn("Song");
    for (const char* name : {"a.mp3", "b.wav", "c.mpeg"}) {
        list->InsertItem(list->GetItemCount(), name);
    }
    list->RefreshRowColors();
    auto background = [&](int row) { return ToColorRef(list->GetItemBackgroundColour(row)); };
    EXPECT_EQ(background(0), kPlaylistRowColor);
    EXPECT_EQ(background(1), kPlaylistPlayingRowColor);
    EXPECT_EQ(background(2), kPlaylistRowColor);
    EXPECT_EQ(ToColorRef(list->GetItemTextColour(2)), kPlaylistTextColor);
    // Only the rows are coloured: below them the list keeps the window colour.
    EXPECT_NE(ToColorRef(list->GetBackgroundColour()), kPlaylistRowColor);

    // The player moves on; the list recolours itself when the program is idle.
    playing = 2;
    wxTheApp->ProcessIdle();
    EXPECT_EQ(background(1), kPlaylistRowColor);
    EXPECT_EQ(background(2), kPlaylistPlayingRowColor);

    // A row added later gets the row colour too.
    list->InsertItem(3, "d.mp3");
    wxTheApp->ProcessIdle();
    EXPECT_EQ(background(3), kPlaylistRowColor);
    EXPECT_EQ(ToColorRef(list->GetItemTextColour(3)), kPlaylistTextColor);
}

}  // namespace
}  // namespace reef
