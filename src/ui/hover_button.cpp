#include "ui/hover_button.h"

#include <gtk/gtk.h>
#include <wx/tooltip.h>

namespace reef {

HoverButton::HoverButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, Look look, long style)
    // GTK gives a button without a border no relief: it looks flat until it is hovered.
    : wxButton(parent, id, label, pos, size, style | (look == kFlat ? wxBORDER_NONE : 0)) {
    Bind(wxEVT_LEFT_DCLICK, &HoverButton::OnLeftDoubleClick, this);
}

void HoverButton::SetTooltipText(const wxString& text, bool activate) {
    m_tooltipText = text;
    m_tooltipActive = m_tooltipActive || activate;
    // GTK shows a window's tip over its whole area and wraps long tips itself, so an inactive
    // tip is simply one not yet handed to the window.
    if (!m_tooltipActive) {
        return;
    }
    if (wxToolTip* tip = GetToolTip()) {
        tip->SetTip(text);
    } else {
        SetToolTip(new wxToolTip(text));
    }
}

void HoverButton::RunWithoutTooltip(const std::function<void()>& modal) {
    GtkWidget* widget = GetHandle();
    const bool hadTip = GetToolTip() != nullptr;
    if (hadTip) {
        UnsetToolTip();
        // GTK looks again at the widget under the pointer, which has no tip now: a shown tip
        // goes at once.
        gtk_widget_trigger_tooltip_query(widget);
    }
    modal();
    if (hadTip) {
        SetToolTip(new wxToolTip(m_tooltipText));
        gtk_widget_trigger_tooltip_query(widget);
    }
}

void HoverButton::OnLeftDoubleClick(wxMouseEvent& event) {
    // GTK's button takes the second press itself and emits its click; handlers of the press
    // see it as a plain left-button press too.
    wxMouseEvent press(event);
    press.SetEventType(wxEVT_LEFT_DOWN);
    GetEventHandler()->ProcessEvent(press);
    event.Skip();
}

}  // namespace reef
