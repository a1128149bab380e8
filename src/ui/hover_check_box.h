#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

#include "ui/check_box_layout.h"
#include "ui/ui_types.h"

class wxDC;

namespace reef {

// A check box drawn by the program: a round indicator (or a pair of icons) beside word-wrapped
// text, a highlighted rounded background while the pointer is over it, embossed text when
// disabled. A click toggles it and then posts a wxEVT_CHECKBOX command event (its id, the new
// state in GetInt()) that travels up to the parent, so the parent may still change the state.
class HoverCheckBox : public wxControl {
public:
    // `textStyle` is a combination of CheckBoxTextStyle bits.
    HoverCheckBox(wxWindow* parent, wxWindowID id, const wxString& label,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  int textStyle = kCheckTextLeftAligned);

    // 1 = checked, 0 = unchecked; 2 (indeterminate) counts as checked.
    void SetCheck(int state, bool redraw = true);
    int GetCheck() const { return m_nCheck; }
    void SetColors(ColorRef checked, ColorRef unchecked);
    // Icons from the program's resources in place of the round indicator, drawn kCheckIconSize
    // pixels square or as large as a smaller box allows (ui/check_box_layout.h), at the pixels
    // of the device drawn on (sharp at any scale); an icon that is
    // missing leaves the round indicator in use.
    void SetIcons(int checkedIconId, int uncheckedIconId);
    bool IsHovering() const { return m_bHover; }

    // Draws the whole control into `dc` at its client size, in its current state.
    void DrawTo(wxDC& dc) const;

    // The user's click: toggle, repaint, tell the parent.
    void Click();

    // Makes `label`, the box's text standing beside it as a control of its own, part of the
    // box: a click on it toggles the box and the pointer over it lights the box up, as with a
    // check box's own text.
    void TakeClicksOf(wxWindow* label);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void SetHover(bool hover);
    wxSize DoGetBestSize() const override;
    bool HasIcons() const { return m_hIconChecked.IsOk() && m_hIconUnchecked.IsOk(); }
    void DrawIndicator(wxDC& dc, const wxRect& square, bool pressed) const;
    void DrawText(wxDC& dc, const wxRect& room, bool pressed) const;

    int m_nCheck = 0;
    bool m_bHover = false;
    bool m_bPressed = false;
    int m_nSize = kCheckIndicatorSize;
    ColorRef m_crChecked = 0x00FF00;
    ColorRef m_crUnchecked = 0x007F00;
    wxBitmap m_hIconChecked;
    wxBitmap m_hIconUnchecked;
    int m_nOrigStyle;
    wxWindow* m_pressedLabel = nullptr;  // the label the left button went down on
};

}  // namespace reef
