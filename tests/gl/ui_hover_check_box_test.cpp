#include <wx/settings.h>

#include <algorithm>

#include "gl_test_support.h"
#include "resources/icons.h"
#include "ui/hover_check_box.h"
#include "ui/wx_colour.h"
#include "ui_render.h"

namespace reef {
namespace {

using test::CountColor;
using test::PixelAt;

ColorRef System(wxSystemColour which) {
    return ToColorRef(wxSystemSettings::GetColour(which));
}

void Mouse(wxWindow* window, wxEventType type, int x, int y, bool leftDown = false) {
    wxMouseEvent event(type);
    event.SetEventObject(window);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = leftDown;
    window->GetEventHandler()->ProcessEvent(event);
}

class HoverCheckBoxTest : public test::ControlTest {
protected:
    HoverCheckBox* Make(int textStyle = kCheckTextLeftAligned) {
        auto* box = new HoverCheckBox(m_frame, 501, "IIII HHHH", wxPoint(10, 10), wxSize(120, 24),
                                      textStyle);
        box->SetColors(0x00FF00, 0x000000);  // the order boxes' green and black
        return box;
    }
};

// The 15-pixel indicator of a 120 x 24 box is {3, 3, 15, 15}; its centre is (10, 10).
TEST_F(HoverCheckBoxTest, RoundIndicatorShowsStateAndDisabledShadow) {
    HoverCheckBox* box = Make();
    EXPECT_EQ(PixelAt(Render(*box), 10, 10), 0x000000u);
    box->SetCheck(1);
    EXPECT_EQ(PixelAt(Render(*box), 10, 10), 0x00FF00u);
    box->SetCheck(2);  // indeterminate counts as checked
    EXPECT_EQ(box->GetCheck(), 1);
    box->Disable();
    EXPECT_EQ(PixelAt(Render(*box), 10, 10), System(wxSYS_COLOUR_BTNSHADOW));
}

TEST_F(HoverCheckBoxTest, LeftTextPutsTheIndicatorAtTheRightEdge) {
    HoverCheckBox* box = Make(kCheckTextLeft);
    box->SetCheck(1);
    const wxImage& image = Render(*box);
    EXPECT_EQ(PixelAt(image, 120 - 3 - 8, 10), 0x00FF00u);
    EXPECT_EQ(CountColor(image, 0x00FF00, 0, 0, 60, 24), 0);
}

TEST_F(HoverCheckBoxTest, TextIsPlainWhenEnabledAndEmbossedWhenDisabled) {
    HoverCheckBox* box = Make();
    const ColorRef text = System(wxSYS_COLOUR_BTNTEXT);
    const ColorRef shadow = System(wxSYS_COLOUR_BTNSHADOW);
    ASSERT_NE(text, shadow);
    const wxImage& enabled = Render(*box);
    EXPECT_GT(CountColor(enabled, text, 21, 0), 10);
    box->Disable();
    const wxImage& disabled = Render(*box);
    EXPECT_EQ(CountColor(disabled, text, 21, 0), 0);
    EXPECT_GT(CountColor(disabled, shadow, 21, 0), 10);
}

TEST_F(HoverCheckBoxTest, ATrailingBlankDoesNotWrapOntoAnEmptyLine) {
    // The music dialog's "Random " box, narrower than its word: the word overruns the room on
    // its one line, as without the blank, instead of rising to make way for an empty second.
    auto* box = new HoverCheckBox(m_frame, 502, "Random", wxPoint(10, 10), wxSize(50, 13));
    const wxImage plain = Render(*box);
    box->SetLabel("Random ");
    const wxImage& blank = Render(*box);
    ASSERT_EQ(plain.GetSize(), blank.GetSize());
    EXPECT_TRUE(std::equal(plain.GetData(), plain.GetData() + 3 * 50 * 13, blank.GetData()));
}

TEST_F(HoverCheckBoxTest, HoverDrawsTheHighlightedOutlinedBackground) {
    HoverCheckBox* box = Make();
    const ColorRef face = System(wxSYS_COLOUR_BTNFACE);
    EXPECT_EQ(PixelAt(Render(*box), 60, 1), face);
    EXPECT_EQ(PixelAt(m_last, 60, 0), face);
    Mouse(box, wxEVT_MOTION, 40, 12);
    EXPECT_TRUE(box->IsHovering());
    const wxImage& hover = Render(*box);
    EXPECT_EQ(PixelAt(hover, 60, 1), System(wxSYS_COLOUR_BTNHIGHLIGHT));
    EXPECT_LT(hover.GetGreen(60, 0), 80) << "black outline";
    Mouse(box, wxEVT_LEAVE_WINDOW, 200, 12);
    EXPECT_FALSE(box->IsHovering());
}

TEST_F(HoverCheckBoxTest, IconsReplaceTheRoundIndicator) {
    HoverCheckBox* box = Make();
    box->SetIcons(184, 183);
    const wxImage on = LoadIconBitmap(184).ConvertToImage();
    const wxImage off = LoadIconBitmap(183).ConvertToImage();
    ASSERT_TRUE(on.IsOk() && off.IsOk());
    ASSERT_EQ(on.GetWidth(), 16);
    // The icon stands at the indicator's left edge (x = 3) and at the top of the control.
    const wxImage unchecked = Render(*box);
    box->SetCheck(1);
    const wxImage checked = Render(*box);
    int compared = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (on.GetAlpha(x, y) == 255 && off.GetAlpha(x, y) == 255) {
                EXPECT_EQ(PixelAt(checked, 3 + x, y), PixelAt(on, x, y)) << x << "," << y;
                EXPECT_EQ(PixelAt(unchecked, 3 + x, y), PixelAt(off, x, y)) << x << "," << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 50);
    box->Disable();
    const wxImage& grey = Render(*box);
    EXPECT_NE(PixelAt(grey, 3 + 8, 2), PixelAt(on, 8, 2)) << "greyed when disabled";
}

TEST_F(HoverCheckBoxTest, ClickTogglesAndTellsTheParentWhoMayUndoIt) {
    HoverCheckBox* box = Make();
    int notified = 0;
    int seenState = -1;
    // An order box: the parent keeps a checked box checked.
    m_frame->Bind(wxEVT_CHECKBOX, [&](wxCommandEvent& event) {
        ++notified;
        seenState = event.GetInt();
        box->SetCheck(1);
    });
    Mouse(box, wxEVT_LEFT_DOWN, 40, 12, true);
    Mouse(box, wxEVT_LEFT_UP, 40, 12);
    EXPECT_EQ(box->GetCheck(), 1);
    EXPECT_EQ(notified, 0) << "posted, not sent";
    test::ProcessPendingEvents();
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(seenState, 1);

    Mouse(box, wxEVT_LEFT_DOWN, 40, 12, true);
    Mouse(box, wxEVT_LEFT_UP, 40, 12);
    EXPECT_EQ(box->GetCheck(), 0);
    test::ProcessPendingEvents();
    EXPECT_EQ(seenState, 0);
    EXPECT_EQ(box->GetCheck(), 1) << "the parent checked it again";

    // Released outside: no click. Disabled: no click.
    Mouse(box, wxEVT_LEFT_DOWN, 40, 12, true);
    Mouse(box, wxEVT_LEFT_UP, 300, 12);
    box->Disable();
    Mouse(box, wxEVT_LEFT_DOWN, 40, 12, true);
    Mouse(box, wxEVT_LEFT_UP, 40, 12);
    test::ProcessPendingEvents();
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(box->GetCheck(), 1);
}

}  // namespace
}  // namespace reef
