#include "ui/hyperlink.h"

#include <wx/dcbuffer.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include "platform/message.h"
#include "ui/hyperlink_logic.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

bool LaunchBrowser(const wxString& url) {
    // A failure is told in the link's own message alone: wxWidgets would log its own error
    // ("Failed to open URL ... (error 11: ...)") in a second box.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(url);
}

void ReportFailure(const wxString& text) {
    wxBell();
    wxMessageBox(text, kAppTitle, wxOK | wxICON_EXCLAMATION);
}

}  // namespace

HyperLink::HyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& url,
                     const wxPoint& pos, const wxSize& size, long style)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      m_crHover(ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT))),
      m_url(url.empty() ? label : url),
      m_opener(LaunchBrowser),
      m_reporter(ReportFailure) {
    SetLabel(label.empty() ? m_url : label);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_font = parent->GetFont();
    m_font.SetUnderlined(m_bUnderline);
    SetFont(m_font);
    if (m_bAdjustToFit) {
        FitToText(size, style);
    }
    SetCursor(wxCursor(wxCURSOR_HAND));
    SetToolTip(m_url);
    Bind(wxEVT_PAINT, &HyperLink::OnPaint, this);
    Bind(wxEVT_MOTION, &HyperLink::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &HyperLink::OnLeave, this);
    Bind(wxEVT_LEFT_UP, &HyperLink::OnLeftUp, this);
}

wxSize HyperLink::DoGetBestSize() const {
    return GetTextExtent(GetLabel());
}

void HyperLink::FitToText(const wxSize& given, long style) {
    const wxRect old = GetRect();
    const wxSize text = GetTextExtent(GetLabel());
    if (given.x <= 0 || given.y <= 0) {
        // No size of its own to stay anchored in.
        SetSize(text);
        return;
    }
    LinkAnchor horizontal = LinkAnchor::kStart;
    if (style & wxALIGN_CENTRE_HORIZONTAL) {
        horizontal = LinkAnchor::kCenter;
    } else if (style & wxALIGN_RIGHT) {
        horizontal = LinkAnchor::kEnd;
    }
    const LinkAnchor vertical =
        (style & wxALIGN_CENTRE_VERTICAL) ? LinkAnchor::kCenter : LinkAnchor::kStart;
    SetSize(AnchoredPosition(old.x, old.width, text.x, horizontal),
            AnchoredPosition(old.y, old.height, text.y, vertical), text.x, text.y);
}

ColorRef HyperLink::CurrentColor() const {
    return LinkTextColor(m_bHover, m_bVisited, m_crHover);
}

int HyperLink::Open() {
    const int result = m_opener(m_url) ? kLinkOpened : kLinkNoAssociation;
    if (result > 32) {
        m_bVisited = true;
        Refresh();
    } else {
        m_reporter(wxString::FromUTF8(LinkFailureText(result)));
    }
    return result;
}

void HyperLink::SetHover(bool hover) {
    if (m_bHover != hover) {
        m_bHover = hover;
        Refresh();
        Update();
    }
}

void HyperLink::OnMotion(wxMouseEvent& event) {
    SetHover(GetClientRect().Contains(event.GetPosition()));
}

void HyperLink::OnLeave(wxMouseEvent&) {
    SetHover(false);
}

void HyperLink::OnLeftUp(wxMouseEvent&) {
    Open();
}

void HyperLink::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    DrawTo(dc);
}

void HyperLink::DrawTo(wxDC& dc) const {
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetFont(m_font);
    dc.SetTextForeground(ToWxColour(CurrentColor()));
    dc.DrawText(GetLabel(), 0, 0);
}

}  // namespace reef
