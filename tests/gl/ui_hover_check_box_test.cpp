#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include <algorithm>
#include <utility>

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
    wxImage on = LoadIconBitmap(184).ConvertToImage();
    wxImage off = LoadIconBitmap(183).ConvertToImage();
    ASSERT_TRUE(on.IsOk() && off.IsOk());
    ASSERT_EQ(on.GetWidth(), 64) << "drawn large, brought down to the box's pixels";
    on.Rescale(16, 16, wxIMAGE_QUALITY_HIGH);
    off.Rescale(16, 16, wxIMAGE_QUALITY_HIGH);
    // With room for it, the icon is 16 pixels square; it stands at the indicator's left edge
    // (x = 3) and at the top of the control.
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

// Draws `box` as a device of `scale` physical pixels to one would: the image has the physical
// pixels.
wxImage RenderAtScale(const HoverCheckBox& box, double scale) {
    const wxSize size = box.GetClientSize();
    wxBitmap bitmap;
    bitmap.CreateWithDIPSize(size, scale, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        box.DrawTo(dc);
    }
    return bitmap.ConvertToImage();
}

// The bounding box of the pixels `match` picks.
wxRect Extent(const wxImage& image, bool (*match)(int r, int g, int b)) {
    wxRect extent;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (match(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y))) {
                extent = extent.IsEmpty() ? wxRect(x, y, 1, 1) : extent.Union(wxRect(x, y, 1, 1));
            }
        }
    }
    return extent;
}

// Sum of squared steps between neighbouring pixels, per physical pixel of scale: a drawing's
// edges keep it whatever the scale when drawn at the device's own pixels, and lose about half
// of it when a smaller picture is enlarged.
double EdgeEnergy(const wxImage& image, double scale) {
    double sum = 0;
    auto grey = [&](int x, int y) {
        return image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y);
    };
    for (int y = 0; y + 1 < image.GetHeight(); ++y) {
        for (int x = 0; x + 1 < image.GetWidth(); ++x) {
            const double dx = grey(x + 1, y) - grey(x, y);
            const double dy = grey(x, y + 1) - grey(x, y);
            sum += dx * dx + dy * dy;
        }
    }
    return sum / scale;
}

// The dialogs' text-less boxes at their sizes under the tests' font: the on/off icon in 14 x 17
// (9 x 10 dialog units) and the order circles in 15 x 14 (10 x 9). Each indicator is round in
// its box (not cut by its edges), twice as many pixels across at scale 2, and as sharp there as
// at scale 1.
TEST_F(HoverCheckBoxTest, DialogBoxesShowTheirIndicatorsWholeAndSharpAtScaleOneAndTwo) {
    auto* onOff = new HoverCheckBox(m_frame, 503, "", wxPoint(10, 40), wxSize(14, 17));
    onOff->SetIcons(184, 183);
    onOff->SetCheck(1);
    auto* order = new HoverCheckBox(m_frame, 504, "", wxPoint(40, 40), wxSize(15, 14));
    order->SetColors(0x00FF00, 0x000000);
    order->SetCheck(1);
    // The icon's green button, and the order box's pure green fill.
    auto iconGreen = +[](int r, int g, int b) { return g > r + 50 && g > b + 50; };
    auto fillGreen = +[](int r, int g, int b) { return r < 60 && g > 200 && b < 60; };
    const struct {
        HoverCheckBox* box;
        bool (*match)(int, int, int);
        int across;  // pixels across at scale 1, at least
    } boxes[] = {{onOff, iconGreen, 12}, {order, fillGreen, 9}};
    for (const auto& b : boxes) {
        const wxImage one = RenderAtScale(*b.box, 1.0);
        const wxImage two = RenderAtScale(*b.box, 2.0);
        ASSERT_EQ(two.GetWidth(), 2 * one.GetWidth());
        for (const auto& [image, scale] : {std::pair{&one, 1}, std::pair{&two, 2}}) {
            m_last = *image;
            const wxRect extent = Extent(*image, b.match);
            EXPECT_GE(extent.width, b.across * scale) << b.box->GetId() << " at " << scale;
            // Cut by the box's edges, a circle is wider than high or the other way round.
            EXPECT_NEAR(extent.width, extent.height, scale) << "round, not cut: " << scale;
        }
        EXPECT_GT(EdgeEnergy(two, 2.0), 0.7 * EdgeEnergy(one, 1.0))
            << b.box->GetId() << " is blurred at scale 2";
    }
}

// A click on a box's text, a control of its own beside the box, toggles the box; the pointer
// over the text lights the box up.
TEST_F(HoverCheckBoxTest, AClickOnItsLabelTogglesTheBox) {
    HoverCheckBox* box = Make();
    auto* label = new wxStaticText(m_frame, wxID_ANY, "Use your own image", wxPoint(140, 10),
                                   wxSize(120, 16));
    box->TakeClicksOf(label);
    int seenState = -1;
    m_frame->Bind(wxEVT_CHECKBOX, [&](wxCommandEvent& event) { seenState = event.GetInt(); });
    Mouse(label, wxEVT_ENTER_WINDOW, 5, 5);
    EXPECT_TRUE(box->IsHovering());
    Mouse(label, wxEVT_LEFT_DOWN, 5, 5, true);
    Mouse(label, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(box->GetCheck(), 1);
    test::ProcessPendingEvents();
    EXPECT_EQ(seenState, 1);
    // A fast second click counts too.
    Mouse(label, wxEVT_LEFT_DCLICK, 5, 5, true);
    Mouse(label, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(box->GetCheck(), 0);
    // Released off the label, or on it after pressing elsewhere: nothing.
    Mouse(label, wxEVT_LEFT_DOWN, 5, 5, true);
    Mouse(label, wxEVT_LEFT_UP, 300, 5);
    Mouse(label, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(box->GetCheck(), 0);
    Mouse(label, wxEVT_LEAVE_WINDOW, 300, 5);
    EXPECT_FALSE(box->IsHovering());
    box->Disable();
    Mouse(label, wxEVT_LEFT_DOWN, 5, 5, true);
    Mouse(label, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(box->GetCheck(), 0) << "disabled";
}

}  // namespace
}  // namespace reef
