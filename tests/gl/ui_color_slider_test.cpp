#include "gl_test_support.h"
#include "ui/color_slider.h"
#include "ui_render.h"

namespace reef {
namespace {

using test::CountColor;
using test::PixelAt;

class ColorSliderTest : public test::ControlTest {
protected:
    ColorSlider* Make(int style = kSliderHorizontal) {
        auto* slider =
            new ColorSlider(m_frame, 701, 50, 0, 100, wxPoint(0, 0), wxSize(200, 30), style);
        slider->Bind(wxEVT_SLIDER,
                     [this](wxCommandEvent& event) { m_events.push_back(event.GetInt()); });
        return slider;
    }
    void Mouse(wxWindow* window, wxEventType type, int x, int y) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        window->GetEventHandler()->ProcessEvent(event);
    }
    std::vector<int> m_events;
};

// In a 200 x 30 slider from 0 to 100 the thumb of 50 is {95, 5, 11, 20}, the channel
// {14, 13, 172, 4}, the end marks {1, 1, 7, 7} and {192, 1, 7, 7}.
TEST_F(ColorSliderTest, ThumbChannelAndEndMarksInTheirColours) {
    ColorSlider* slider = Make();
    const wxImage& image = Render(*slider);
    EXPECT_EQ(PixelAt(image, 100, 15), kSliderThumbColor);
    EXPECT_EQ(PixelAt(image, 100, 8), kSliderThumbColor);
    EXPECT_EQ(CountColor(image, kSliderAccentColor, 95, 5, 11, 20), 0) << "no checkerboard";
    // The channel frame runs one pixel inside the channel, along its top and bottom rows.
    EXPECT_GT(CountColor(image, kSliderAccentColor, 15, 14, 70, 1), 60);
    EXPECT_GT(CountColor(image, kSliderAccentColor, 15, 15, 70, 1), 60);
    EXPECT_EQ(PixelAt(image, 4, 4), kSliderStartMarkColor);
    EXPECT_EQ(PixelAt(image, 195, 4), kSliderAccentColor);
    EXPECT_EQ(PixelAt(image, 195, 20), PixelAt(image, 4, 20)) << "nothing at the bottom corners";
}

TEST_F(ColorSliderTest, DraggedThumbIsACheckerboardAndFollowsThePointer) {
    ColorSlider* slider = Make();
    Mouse(slider, wxEVT_LEFT_DOWN, 186, 15);
    EXPECT_TRUE(slider->IsDragging());
    EXPECT_EQ(slider->GetValue(), 100);
    const wxImage& image = Render(*slider);
    EXPECT_GT(CountColor(image, kSliderThumbColor, 182, 10, 9, 10), 20);
    EXPECT_GT(CountColor(image, kSliderAccentColor, 182, 10, 9, 10), 20);

    Mouse(slider, wxEVT_MOTION, -50, 15);
    Mouse(slider, wxEVT_LEFT_UP, -50, 15);
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(m_events, (std::vector<int>{100, 0}));
    Mouse(slider, wxEVT_MOTION, 100, 15);
    EXPECT_EQ(slider->GetValue(), 0) << "moves without the button do nothing";
}

TEST_F(ColorSliderTest, KeysMoveItAndSetValueIsQuiet) {
    ColorSlider* slider = Make();
    for (int key : {WXK_RIGHT, WXK_PAGEDOWN, WXK_END, WXK_RIGHT, WXK_HOME, WXK_LEFT}) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = key;
        slider->GetEventHandler()->ProcessEvent(event);
    }
    EXPECT_EQ(m_events, (std::vector<int>{51, 71, 100, 0}));  // no event at either limit
    slider->SetValue(500);
    EXPECT_EQ(slider->GetValue(), 100);
    EXPECT_EQ(m_events.size(), 4u);
}

TEST_F(ColorSliderTest, VerticalSliderHasItsMarksDownTheLeftSide) {
    auto* slider =
        new ColorSlider(m_frame, 702, 0, 0, 10, wxPoint(0, 0), wxSize(30, 200), kSliderVertical);
    const wxImage& image = Render(*slider);
    EXPECT_EQ(PixelAt(image, 4, 4), kSliderStartMarkColor);
    EXPECT_EQ(PixelAt(image, 4, 195), kSliderAccentColor);
    EXPECT_EQ(PixelAt(image, 15, 14), kSliderThumbColor) << "thumb of the minimum at the top";
}

// A notch of the wheel moves a twentieth of the range, up for a turn away from the user;
// touchpads' fractions of a notch add up.
TEST_F(ColorSliderTest, TheWheelStepsTheValue) {
    ColorSlider* slider = Make();  // 0..100 at 50
    auto turn = [&](int rotation) {
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.m_wheelRotation = rotation;
        wheel.m_wheelDelta = 120;
        slider->GetEventHandler()->ProcessEvent(wheel);
    };
    turn(120);
    EXPECT_EQ(slider->GetValue(), 55);
    turn(60);
    EXPECT_EQ(slider->GetValue(), 55);
    turn(60);
    EXPECT_EQ(slider->GetValue(), 60);
    turn(-240);
    EXPECT_EQ(slider->GetValue(), 50);
    for (int i = 0; i < 30; ++i) {
        turn(-120);
    }
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(m_events, (std::vector<int>{55, 60, 50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0}));
}

}  // namespace
}  // namespace reef
