#include "scene/popup_menu.h"

#include <gtk/gtk.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/settings.h>

#include <cstdlib>

#include "resources/icons.h"

namespace reef {
namespace {

const wxColour kSelectedFill(177, 185, 207);
const wxColour kIconStrip(219, 216, 209);
const wxColour kTextArea(249, 248, 247);

}  // namespace

OwnerDrawMenu::OwnerDrawMenu(wxWindow* owner)
    : wxPopupTransientWindow(owner, wxBORDER_NONE), m_owner(owner) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &OwnerDrawMenu::OnPaint, this);
    Bind(wxEVT_MOTION, &OwnerDrawMenu::OnMotion, this);
    Bind(wxEVT_LEAVE_WINDOW, &OwnerDrawMenu::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &OwnerDrawMenu::OnButtonDown, this);
    Bind(wxEVT_RIGHT_DOWN, &OwnerDrawMenu::OnButtonDown, this);
    Bind(wxEVT_LEFT_UP, &OwnerDrawMenu::OnButtonUp, this);
    Bind(wxEVT_RIGHT_UP, &OwnerDrawMenu::OnButtonUp, this);
    // While open, the menu holds GTK's grab, so keys arrive at its GTK window, which never
    // has the keyboard focus that wxWidgets' key events need: listen on the window itself.
    g_signal_connect(GetHandle(), "key-press-event", G_CALLBACK(&OwnerDrawMenu::OnGtkKey), this);
}

int OwnerDrawMenu::OnGtkKey(GtkWidget*, GdkEventKey* event, void* self) {
    auto* menu = static_cast<OwnerDrawMenu*>(self);
    switch (event->keyval) {
        case GDK_KEY_Escape:
            menu->Close();
            return TRUE;
        case GDK_KEY_Down:
            menu->MoveSelection(+1);
            return TRUE;
        case GDK_KEY_Up:
            menu->MoveSelection(-1);
            return TRUE;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            if (menu->m_selected >= 0) {
                menu->Choose(menu->m_selected);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

void OwnerDrawMenu::MoveSelection(int step) {
    int count = static_cast<int>(m_entries.size());
    if (count == 0) {
        return;
    }
    m_selected = m_selected < 0 ? (step > 0 ? 0 : count - 1) : (m_selected + step + count) % count;
    Refresh();
}

wxSize OwnerDrawMenu::MeasureItem() {
    return wxSize(kItemWidth, kItemHeight);
}

void OwnerDrawMenu::Append(int command, const PopupMenuItem& item) {
    m_entries.push_back({command, item});
    SetClientSize(kItemWidth, kItemHeight * static_cast<int>(m_entries.size()));
    FitFont();
}

void OwnerDrawMenu::FitFont() {
    // The items are 140 pixels wide, narrower than the desktop's usual font needs for the
    // longer texts: the font shrinks, down to 6 points, until every text fits.
    const int room = kItemWidth - kIconStripWidth - kTextIndent - 2;
    wxFont font = GetFont();
    for (double points = font.GetFractionalPointSize(); points >= 6.0; points -= 0.5) {
        font.SetFractionalPointSize(points);
        bool fits = true;
        for (const Entry& entry : m_entries) {
            int width = 0;
            GetTextExtent(wxString::FromUTF8(entry.item.text), &width, nullptr, nullptr, nullptr,
                          &font);
            fits = fits && width <= room;
        }
        if (fits) {
            break;
        }
    }
    SetFont(font);
}

void OwnerDrawMenu::OpenAt(const wxPoint& screenPoint) {
    wxSize size = GetSize();
    int displayIndex = wxDisplay::GetFromPoint(screenPoint);
    wxRect screen =
        wxDisplay(displayIndex == wxNOT_FOUND ? 0u : static_cast<unsigned>(displayIndex))
            .GetGeometry();
    wxPoint at = screenPoint;
    if (at.x + size.x > screen.GetRight() + 1) {
        at.x = std::max(screen.x, at.x - size.x);
    }
    if (at.y + size.y > screen.GetBottom() + 1) {
        at.y = std::max(screen.y, at.y - size.y);
    }
    m_openedAt = screenPoint;
    Move(at);
    Popup();
    SetFocus();
}

void OwnerDrawMenu::DrawItem(wxDC& dc, const wxRect& rect, bool selected,
                             const PopupMenuItem* item) {
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (item == nullptr) {
        return;
    }
    if (selected) {
        // A one-pixel black frame around a light blue fill, both filled rather than stroked so
        // that the frame's corners stay crisp.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxBLACK_BRUSH);
        dc.DrawRectangle(rect);
        dc.SetBrush(wxBrush(kSelectedFill));
        dc.DrawRectangle(wxRect(rect).Deflate(1));
    } else {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(kIconStrip));
        dc.DrawRectangle(rect.x, rect.y, kIconStripWidth, rect.height);
        dc.SetBrush(wxBrush(kTextArea));
        dc.DrawRectangle(rect.x + kIconStripWidth, rect.y, rect.width - kIconStripWidth,
                         rect.height);
    }

    // The selected icon sits one pixel up and left, which makes it look pressed.
    wxRect iconArea = wxRect(rect.x, rect.y, kIconStripWidth, rect.height).Deflate(3);
    if (selected) {
        iconArea.Offset(-1, -1);
    }
    wxBitmap icon = LoadIconBitmap(selected ? item->selectedIcon : item->icon);
    if (icon.IsOk()) {
        dc.DrawBitmap(icon, iconArea.GetTopLeft(), true);
    }

    wxRect textArea(rect.x + kIconStripWidth + kTextIndent, rect.y,
                    rect.width - kIconStripWidth - kTextIndent, rect.height);
    dc.DrawLabel(wxString::FromUTF8(item->text), textArea, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

void OwnerDrawMenu::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(*wxBLACK);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        wxRect rect(0, static_cast<int>(i) * kItemHeight, kItemWidth, kItemHeight);
        DrawItem(dc, rect, static_cast<int>(i) == m_selected, &m_entries[i].item);
    }
}

int OwnerDrawMenu::ItemAt(const wxPoint& point) const {
    if (point.x < 0 || point.x >= kItemWidth || point.y < 0) {
        return -1;
    }
    int index = point.y / kItemHeight;
    return index < static_cast<int>(m_entries.size()) ? index : -1;
}

void OwnerDrawMenu::OnMotion(wxMouseEvent& event) {
    // A hand's pointer trembles by a pixel or two during a click; only a move beyond the
    // desktop's drag threshold is a drag.
    const wxPoint moved = ClientToScreen(event.GetPosition()) - m_openedAt;
    m_dragged = m_dragged || std::abs(moved.x) > wxSystemSettings::GetMetric(wxSYS_DRAG_X) ||
                std::abs(moved.y) > wxSystemSettings::GetMetric(wxSYS_DRAG_Y);
    int index = ItemAt(event.GetPosition());
    if (index != m_selected) {
        m_selected = index;
        Refresh();
    }
}

void OwnerDrawMenu::OnLeave(wxMouseEvent&) {
    if (m_selected != -1) {
        m_selected = -1;
        Refresh();
    }
}

void OwnerDrawMenu::OnButtonDown(wxMouseEvent& event) {
    m_pressSeen = true;
    event.Skip();
}

void OwnerDrawMenu::OnButtonUp(wxMouseEvent& event) {
    // The menu opens with its first item under the pointer, so the release of the opening
    // click lands on it. Without a press seen here that release belongs to the opening click,
    // which chooses only by dragging onto an item.
    if (!m_pressSeen && !m_dragged) {
        return;
    }
    int index = ItemAt(event.GetPosition());
    if (index >= 0) {
        Choose(index);
    }
}

void OwnerDrawMenu::Close() {
    DismissAndNotify();
}

void OwnerDrawMenu::OnDismiss() {
    // Closed by a choice, Escape or a click outside: a menu lives only while it is open. The
    // destruction waits for the next idle time, after the events still on their way to it.
    if (!m_closed) {
        m_closed = true;
        Destroy();
    }
}

void OwnerDrawMenu::Choose(int index) {
    int command = m_entries[static_cast<std::size_t>(index)].command;
    Close();
    // Queued, so the command runs after the menu has closed, as a chosen menu item does.
    wxCommandEvent event(wxEVT_MENU, command);
    event.SetEventObject(m_owner);
    wxQueueEvent(m_owner, event.Clone());
}

}  // namespace reef
