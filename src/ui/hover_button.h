#pragma once

#include <wx/button.h>

#include <functional>

namespace reef {

// A push button with a tooltip of its own. A fast second click counts as a click: the double
// click is handled as one more press.
class HoverButton : public wxButton {
public:
    enum Look {
        kStandard,  // the desktop's usual raised button
        kFlat,      // no frame until the pointer is over it
    };

    HoverButton(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                Look look = kStandard, long style = 0);

    // Sets the tooltip's text. The tooltip is created inactive on the first call and becomes
    // active once a call asks for it; an active tooltip stays active and only takes the text.
    void SetTooltipText(const wxString& text, bool activate = true);

    // Runs `modal` (a dialog the button opens) with the tooltip taken away, then gives it back.
    // A tip left showing when a modal dialog takes the pointer was never told the pointer left,
    // and stayed on screen long after the dialog closed; given back, the tip shows again only
    // where the pointer really is.
    void RunWithoutTooltip(const std::function<void()>& modal);

    const wxString& TooltipText() const { return m_tooltipText; }
    bool TooltipActive() const { return m_tooltipActive; }

private:
    void OnLeftDoubleClick(wxMouseEvent& event);

    wxString m_tooltipText;
    bool m_tooltipActive = false;
};

}  // namespace reef
