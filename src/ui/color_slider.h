#pragma once

#include <wx/control.h>

#include "ui/slider_geometry.h"

class wxDC;

namespace reef {

// A slider drawn by the program: a green-framed channel, a red round thumb (a red and green
// checkerboard while dragged or focused), tick marks when asked for, and a white and a green
// mark at its two ends. Dragging, clicking the channel (the thumb jumps there), the arrow keys,
// Page Up/Down and the mouse wheel (a twentieth of the range a notch) move it; each change by the
// user sends a wxEVT_SLIDER command event with the new value in GetInt().
class ColorSlider : public wxControl {
public:
    // `style` is a combination of SliderStyle bits.
    ColorSlider(wxWindow* parent, wxWindowID id, int value, int minValue, int maxValue,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                int style = kSliderHorizontal);

    int GetValue() const { return m_value; }
    // Clamped to the range; sends no event.
    void SetValue(int value);
    void SetRange(int minValue, int maxValue);
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    // Tick marks every `frequency` values from the minimum (0: only at the two ends); shown only
    // with kSliderTicks.
    void SetTickFreq(int frequency);
    bool IsDragging() const { return m_dragging; }

    void DrawTo(wxDC& dc) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnFocus(wxFocusEvent& event);
    void MoveByUser(int value);
    SliderGeometry Geometry() const;
    wxSize DoGetBestSize() const override;
    void DrawTicks(wxDC& dc, const SliderGeometry& geometry) const;

    int m_value;
    int m_min;
    int m_max;
    int m_style;
    int m_tickFreq = 0;
    bool m_dragging = false;
    int m_wheelRotation = 0;  // of the wheel turned since the last whole notch
};

}  // namespace reef
