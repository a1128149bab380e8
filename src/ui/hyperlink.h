#pragma once

#include <functional>

#include <wx/control.h>
#include <wx/font.h>

#include "ui/ui_types.h"

class wxDC;

namespace reef {

// A line of link text that opens its address in the desktop's default browser when clicked.
// Blue until visited, then purple for the life of the control, the highlight colour while the
// pointer is over it; underlined; a hand cursor and a tooltip showing the address. The control
// is sized to its text, keeping its place according to the wxALIGN_* bits of `style`
// (wxALIGN_CENTRE_HORIZONTAL, wxALIGN_RIGHT, wxALIGN_CENTRE_VERTICAL).
class HyperLink : public wxControl {
public:
    // Opens an address; true when a browser was started.
    using Opener = std::function<bool(const wxString& url)>;
    // Tells the user that a link could not be opened (the whole message text).
    using FailureReporter = std::function<void(const wxString& text)>;

    // An empty `url` takes `label`; an empty `label` shows the url.
    HyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& url,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = 0);

    const wxString& GetURL() const { return m_url; }
    bool IsVisited() const { return m_bVisited; }
    bool IsHovering() const { return m_bHover; }
    ColorRef CurrentColor() const;

    // Replace how links are opened and failures shown (the defaults: wxLaunchDefaultBrowser with
    // the toolkit's own error messages silenced, and a beep with an exclamation message box).
    void SetOpener(Opener opener) { m_opener = std::move(opener); }
    void SetFailureReporter(FailureReporter reporter) { m_reporter = std::move(reporter); }

    // What a click does: open the address; success marks the link visited, failure is reported.
    // Returns the open result (above 32 is success).
    int Open();

    void DrawTo(wxDC& dc) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void SetHover(bool hover);
    void FitToText(const wxSize& given, long style);
    wxSize DoGetBestSize() const override;

    // The highlight colour of the desktop theme when the control was made.
    ColorRef m_crHover;
    bool m_bHover = false;
    bool m_bVisited = false;
    bool m_bUnderline = true;
    bool m_bAdjustToFit = true;
    wxString m_url;
    wxFont m_font;
    Opener m_opener;
    FailureReporter m_reporter;
};

}  // namespace reef
