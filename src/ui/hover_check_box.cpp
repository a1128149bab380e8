#include "ui/hover_check_box.h"

#include <algorithm>
#include <vector>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "resources/icons.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

wxRect ToWxRect(const UiRect& rect) {
    return wxRect(rect.x, rect.y, rect.width, rect.height);
}

// Breaks `text` into lines no wider than `width` at blanks (a single long word keeps its line,
// and blanks after a word stay on its line: they never start an empty one).
wxString WrapWords(const wxDC& dc, const wxString& text, int width) {
    wxString result;
    wxString line;
    for (const wxString& word : wxSplit(text, ' ', '\0')) {
        const wxString candidate = line.empty() ? word : line + ' ' + word;
        if (!line.empty() && !word.empty() && dc.GetTextExtent(candidate).x > width) {
            result += line + '\n';
            line = word;
        } else {
            line = candidate;
        }
    }
    return result + line;
}

// `icon` (drawn large, see tools/make_icons.sh) at `side` x `side` pixels of a device with
// `scale` physical pixels to one: averaged down to the device's own pixels, never enlarged, so
// it is as sharp at scale 2 as at 1 and fits any box. The last few sizes are kept.
wxBitmap IconAt(const wxBitmap& icon, int side, double scale) {
    const int pixels = std::max(1, static_cast<int>(side * scale + 0.5));
    struct Made {
        const void* source;  // the icon's shared data, which stays alive in the icon cache
        int pixels;
        wxBitmap bitmap;
    };
    static auto* made = new std::vector<Made>();  // bitmaps must not outlive the toolkit
    for (const Made& m : *made) {
        if (m.source == icon.GetRefData() && m.pixels == pixels) {
            return m.bitmap;
        }
    }
    wxImage image = icon.ConvertToImage();
    if (image.GetWidth() != pixels || image.GetHeight() != pixels) {
        image.Rescale(pixels, pixels, wxIMAGE_QUALITY_HIGH);
    }
    wxBitmap bitmap(image, -1, scale);
    if (made->size() >= 16) {
        made->erase(made->begin());
    }
    made->push_back({icon.GetRefData(), pixels, bitmap});
    return bitmap;
}

}  // namespace

HoverCheckBox::HoverCheckBox(wxWindow* parent, wxWindowID id, const wxString& label,
                             const wxPoint& pos, const wxSize& size, int textStyle)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      m_nOrigStyle(textStyle) {
    SetLabel(label);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &HoverCheckBox::OnPaint, this);
    Bind(wxEVT_MOTION, &HoverCheckBox::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &HoverCheckBox::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &HoverCheckBox::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &HoverCheckBox::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &HoverCheckBox::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &HoverCheckBox::OnCaptureLost, this);
    Bind(wxEVT_KEY_UP, &HoverCheckBox::OnKeyUp, this);
}

void HoverCheckBox::SetCheck(int state, bool redraw) {
    m_nCheck = (state == 1 || state == 2) ? 1 : 0;
    if (redraw) {
        Refresh();
    }
}

void HoverCheckBox::SetColors(ColorRef checked, ColorRef unchecked) {
    m_crChecked = checked;
    m_crUnchecked = unchecked;
    Refresh();
}

void HoverCheckBox::SetIcons(int checkedIconId, int uncheckedIconId) {
    m_hIconChecked = LoadIconBitmap(checkedIconId);
    m_hIconUnchecked = LoadIconBitmap(uncheckedIconId);
    Refresh();
}

void HoverCheckBox::Click() {
    m_nCheck = m_nCheck ? 0 : 1;
    Refresh();
    wxCommandEvent event(wxEVT_CHECKBOX, GetId());
    event.SetEventObject(this);
    event.SetInt(m_nCheck);
    // Posted, not sent: the parent sees the new state after this click is fully handled.
    wxPostEvent(this, event);
}

void HoverCheckBox::TakeClicksOf(wxWindow* label) {
    auto press = [this, label](wxMouseEvent&) { m_pressedLabel = IsEnabled() ? label : nullptr; };
    label->Bind(wxEVT_LEFT_DOWN, press);
    label->Bind(wxEVT_LEFT_DCLICK, press);  // a fast second click is a click too
    label->Bind(wxEVT_LEFT_UP, [this, label](wxMouseEvent& event) {
        const bool pressedHere = m_pressedLabel == label;
        m_pressedLabel = nullptr;
        if (pressedHere && IsEnabled() && label->GetClientRect().Contains(event.GetPosition())) {
            SetFocus();
            Click();
        }
    });
    label->Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
        SetHover(!event.LeftIsDown());
        event.Skip();
    });
    label->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
        SetHover(false);
        event.Skip();
    });
}

void HoverCheckBox::SetHover(bool hover) {
    if (m_bHover != hover) {
        m_bHover = hover;
        Refresh();
    }
}

void HoverCheckBox::OnMotion(wxMouseEvent& event) {
    if (!GetClientRect().Contains(event.GetPosition())) {
        SetHover(false);
    } else if (!m_bHover && !event.LeftIsDown()) {
        // A drag that started elsewhere does not light the box up.
        SetHover(true);
    }
}

void HoverCheckBox::OnLeave(wxMouseEvent&) {
    SetHover(false);
}

void HoverCheckBox::OnLeftDown(wxMouseEvent&) {
    if (!IsEnabled()) {
        return;
    }
    SetFocus();
    m_bPressed = true;
    m_bHover = true;
    if (!HasCapture()) {
        CaptureMouse();
    }
    Refresh();
}

void HoverCheckBox::OnLeftUp(wxMouseEvent& event) {
    if (!m_bPressed) {
        return;
    }
    m_bPressed = false;
    if (HasCapture()) {
        ReleaseMouse();
    }
    Refresh();
    if (GetClientRect().Contains(event.GetPosition())) {
        Click();
    }
}

void HoverCheckBox::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_bPressed = false;
    Refresh();
}

void HoverCheckBox::OnKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_SPACE && IsEnabled()) {
        Click();
    } else {
        event.Skip();
    }
}

wxSize HoverCheckBox::DoGetBestSize() const {
    const int side = HasIcons() ? kCheckIconSize : m_nSize;
    const wxSize text = GetTextExtent(GetLabel());
    return wxSize(6 + side + kCheckTextGap + text.x + 2, 6 + std::max(side, text.y) + 2);
}

void HoverCheckBox::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawTo(dc);
}

void HoverCheckBox::DrawTo(wxDC& dc) const {
    const wxSize size = GetClientSize();
    if (m_bHover) {
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
        dc.DrawRoundedRectangle(0, 0, size.x, size.y, 2);  // corner ellipse 4 x 4
    } else {
        const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
        dc.SetPen(wxPen(face));
        dc.SetBrush(wxBrush(face));
        dc.DrawRectangle(0, 0, size.x, size.y);
    }
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    const int side = HasIcons() ? kCheckIconSize : m_nSize;
    const CheckBoxLayout layout = LayOutCheckBox(size.x, size.y, side, m_nOrigStyle);
    if (HasFocus()) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT), 1, wxPENSTYLE_DOT));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(ToWxRect(layout.focus));
    }
    const bool pressed = m_bPressed && m_bHover;
    DrawIndicator(dc, ToWxRect(layout.indicator), pressed);
    DrawText(dc, ToWxRect(layout.text), pressed);
}

void HoverCheckBox::DrawIndicator(wxDC& dc, const wxRect& square, bool pressed) const {
    const wxPoint shift = pressed ? wxPoint(1, 1) : wxPoint(0, 0);
    if (HasIcons()) {
        const wxBitmap icon = IconAt(m_nCheck ? m_hIconChecked : m_hIconUnchecked, square.width,
                                     dc.GetContentScaleFactor());
        // Icons stand at the top of the control rather than centred beside the text.
        const wxPoint at = wxPoint(square.x, 0) + shift;
        dc.DrawBitmap(IsEnabled() ? icon : icon.ConvertToDisabled(), at, true);
        return;
    }
    const ColorRef fill =
        CheckIndicatorFill(IsEnabled(), m_nCheck != 0, m_crChecked, m_crUnchecked,
                           ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    wxRect circle = square;
    circle.Offset(shift);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(ToWxColour(fill)));
    dc.DrawEllipse(circle);
    dc.SetPen(wxPen(ToWxColour(m_crUnchecked)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawEllipse(circle.Deflate(1));
}

void HoverCheckBox::DrawText(wxDC& dc, const wxRect& room, bool pressed) const {
    int align = wxALIGN_LEFT;
    if (m_nOrigStyle & kCheckTextCenter) {
        align = wxALIGN_CENTER_HORIZONTAL;
    } else if (m_nOrigStyle & kCheckTextRight) {
        align = wxALIGN_RIGHT;
    }
    align |= wxALIGN_CENTER_VERTICAL;
    dc.SetFont(GetFont());
    const wxString text = WrapWords(dc, GetLabel(), room.width);
    wxRect at = room;
    if (pressed) {
        at.Offset(1, 1);
    }
    if (IsEnabled()) {
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        dc.DrawLabel(text, at, align);
        return;
    }
    // Disabled text is embossed: a light copy one pixel down and right under a shadow copy.
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    wxRect light = at;
    light.Offset(1, 1);
    dc.DrawLabel(text, light, align);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    dc.DrawLabel(text, at, align);
}

}  // namespace reef
