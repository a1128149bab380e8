#include "ui/color_slider.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "ui/wx_colour.h"

namespace reef {

namespace {

wxRect ToWxRect(const UiRect& rect) {
    return wxRect(rect.x, rect.y, rect.width, rect.height);
}

// The pressed thumb: the red and green checkerboard inside the ellipse of `rect`, transparent
// outside it. Built pixel by pixel because a pattern brush is smoothed to one mixed colour by
// some cairo back ends.
wxBitmap CheckeredThumb(const UiRect& rect) {
    wxImage image(rect.width, rect.height);
    image.InitAlpha();
    const wxColour set = ToWxColour(kSliderAccentColor);
    const wxColour clear = ToWxColour(kSliderThumbColor);
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const wxColour& c = SliderCheckerBit(rect.x + x, rect.y + y) ? set : clear;
            image.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
            image.SetAlpha(x, y, InsideEllipse(rect, rect.x + x, rect.y + y) ? 255 : 0);
        }
    }
    return wxBitmap(image);
}

}  // namespace

ColorSlider::ColorSlider(wxWindow* parent, wxWindowID id, int value, int minValue, int maxValue,
                         const wxPoint& pos, const wxSize& size, int style)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_value(value),
      m_min(minValue),
      m_max(std::max(minValue, maxValue)),
      m_style(style) {
    m_value = std::clamp(value, m_min, m_max);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &ColorSlider::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ColorSlider::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &ColorSlider::OnLeftDown, this);
    Bind(wxEVT_MOTION, &ColorSlider::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &ColorSlider::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ColorSlider::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &ColorSlider::OnKeyDown, this);
    Bind(wxEVT_MOUSEWHEEL, &ColorSlider::OnWheel, this);
    Bind(wxEVT_SET_FOCUS, &ColorSlider::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ColorSlider::OnFocus, this);
}

void ColorSlider::SetValue(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value != m_value) {
        m_value = value;
        Refresh();
    }
}

void ColorSlider::SetRange(int minValue, int maxValue) {
    m_min = minValue;
    m_max = std::max(minValue, maxValue);
    m_value = std::clamp(m_value, m_min, m_max);
    Refresh();
}

void ColorSlider::SetTickFreq(int frequency) {
    m_tickFreq = std::max(0, frequency);
    Refresh();
}

SliderGeometry ColorSlider::Geometry() const {
    const wxSize size = GetClientSize();
    return SliderGeometry(size.x, size.y, m_style, m_min, m_max);
}

wxSize ColorSlider::DoGetBestSize() const {
    const int cross = kSliderThumbThickness + 4 + ((m_style & kSliderTicks) ? 6 : 0);
    return (m_style & kSliderVertical) ? wxSize(cross, 100) : wxSize(100, cross);
}

void ColorSlider::MoveByUser(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value == m_value) {
        return;
    }
    m_value = value;
    Refresh();
    wxCommandEvent event(wxEVT_SLIDER, GetId());
    event.SetEventObject(this);
    event.SetInt(m_value);
    ProcessWindowEvent(event);
}

void ColorSlider::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    m_dragging = true;
    if (!HasCapture()) {
        CaptureMouse();
    }
    MoveByUser(Geometry().ValueAt(event.GetX(), event.GetY()));
    Refresh();
}

void ColorSlider::OnMotion(wxMouseEvent& event) {
    if (m_dragging) {
        MoveByUser(Geometry().ValueAt(event.GetX(), event.GetY()));
    }
}

void ColorSlider::OnWheel(wxMouseEvent& event) {
    // A notch turned away from the user (or a push to the right) raises the value by a twentieth
    // of the range. Touchpads scroll in fractions of a notch, which add up.
    if (event.GetWheelDelta() <= 0) {
        return;
    }
    m_wheelRotation += event.GetWheelRotation();
    const int notches = m_wheelRotation / event.GetWheelDelta();
    m_wheelRotation -= notches * event.GetWheelDelta();
    if (notches != 0) {
        MoveByUser(m_value + notches * std::max(1, (m_max - m_min) / 20));
    }
}

void ColorSlider::OnLeftUp(wxMouseEvent&) {
    if (HasCapture()) {
        ReleaseMouse();
    }
    m_dragging = false;
    Refresh();
}

void ColorSlider::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_dragging = false;
    Refresh();
}

void ColorSlider::OnKeyDown(wxKeyEvent& event) {
    const int page = std::max(1, (m_max - m_min) / 5);
    switch (event.GetKeyCode()) {
        case WXK_LEFT:
        case WXK_UP:
            MoveByUser(m_value - 1);
            break;
        case WXK_RIGHT:
        case WXK_DOWN:
            MoveByUser(m_value + 1);
            break;
        case WXK_PAGEUP:
            MoveByUser(m_value - page);
            break;
        case WXK_PAGEDOWN:
            MoveByUser(m_value + page);
            break;
        case WXK_HOME:
            MoveByUser(m_min);
            break;
        case WXK_END:
            MoveByUser(m_max);
            break;
        default:
            event.Skip();
    }
}

void ColorSlider::OnFocus(wxFocusEvent& event) {
    Refresh();
    event.Skip();
}

void ColorSlider::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawTo(dc);
}

void ColorSlider::DrawTicks(wxDC& dc, const SliderGeometry& geometry) const {
    const wxColour ink = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    dc.SetPen(wxPen(ink));
    dc.SetBrush(wxBrush(ink));
    auto tick = [&](int value) { dc.DrawRectangle(ToWxRect(geometry.Tick(value))); };
    if (m_tickFreq > 0) {
        for (int value = m_min; value < m_max; value += m_tickFreq) {
            tick(value);
        }
    } else {
        tick(m_min);
    }
    tick(m_max);
}

void ColorSlider::DrawTo(wxDC& dc) const {
    const wxSize size = GetClientSize();
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetPen(wxPen(face));
    dc.SetBrush(wxBrush(face));
    dc.DrawRectangle(0, 0, size.x, size.y);

    const SliderGeometry geometry = Geometry();
    if (m_style & kSliderTicks) {
        DrawTicks(dc, geometry);
    }
    const wxColour red = ToWxColour(kSliderThumbColor);
    const wxColour green = ToWxColour(kSliderAccentColor);

    // The channel is only its frame, one pixel inside the channel rectangle.
    dc.SetPen(wxPen(green));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(ToWxRect(geometry.Channel()).Deflate(1));

    // The thumb shows the checkerboard while it is pressed or has the keyboard focus.
    const UiRect thumb = geometry.Thumb(m_value);
    if (m_dragging || HasFocus()) {
        dc.DrawBitmap(CheckeredThumb(thumb), thumb.x, thumb.y, true);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
    } else {
        dc.SetBrush(wxBrush(red));
    }
    dc.SetPen(wxPen(green));
    dc.DrawEllipse(ToWxRect(thumb));

    dc.SetPen(wxPen(red));
    dc.SetBrush(wxBrush(ToWxColour(kSliderStartMarkColor)));
    dc.DrawEllipse(ToWxRect(geometry.StartMark()));
    dc.SetBrush(wxBrush(green));
    dc.DrawEllipse(ToWxRect(geometry.EndMark()));
}

}  // namespace reef
