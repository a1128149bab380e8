#pragma once

#include <wx/popupwin.h>

#include <string>
#include <vector>

class wxDC;

namespace reef {

// What the menu shows for one item.
struct PopupMenuItem {
    int icon = 0;          // icon resource while the item is not selected
    int selectedIcon = 0;  // icon resource while it is selected
    std::string text;
};

// The tank's right-click menu: items of 140 x 48 pixels, each drawn with an icon strip and its
// text. Opens at a screen point (placed so that it stays on screen), follows the pointer,
// and sends the chosen item's command to its owner as a menu event; a click outside or Escape
// closes it without a command. The owner keeps running while it is open.
//
// Either mouse button chooses, but the release of the click that opened the menu is not a
// choice: it counts only when the pointer was dragged from the opening press onto an item.
// A later press and release on an item chooses it.
//
// Create it with new: once closed, by a choice or not, the menu destroys itself.
class OwnerDrawMenu : public wxPopupTransientWindow {
public:
    static constexpr int kItemWidth = 140;
    static constexpr int kItemHeight = 48;
    // Width of the icon strip at an item's left edge.
    static constexpr int kIconStripWidth = 25;
    // Gap between the icon strip and the text.
    static constexpr int kTextIndent = 8;

    explicit OwnerDrawMenu(wxWindow* owner);

    void Append(int command, const PopupMenuItem& item);

    // Opens the menu with its top-left corner at `screenPoint`, or flipped left or up where it
    // would leave the screen.
    void OpenAt(const wxPoint& screenPoint);

    // Size of one item.
    static wxSize MeasureItem();

    // Draws one item into `dc` within `rect`.
    static void DrawItem(wxDC& dc, const wxRect& rect, bool selected, const PopupMenuItem* item);

private:
    struct Entry {
        int command;
        PopupMenuItem item;
    };

    void OnDismiss() override;

    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnButtonDown(wxMouseEvent& event);
    void OnButtonUp(wxMouseEvent& event);
    static int OnGtkKey(struct _GtkWidget* widget, struct _GdkEventKey* event, void* self);
    void MoveSelection(int step);
    void Choose(int index);
    void Close();
    void FitFont();
    int ItemAt(const wxPoint& point) const;

    wxWindow* m_owner;
    std::vector<Entry> m_entries;
    int m_selected = -1;
    wxPoint m_openedAt;        // screen point the menu was opened at
    bool m_pressSeen = false;  // a button was pressed inside the open menu
    bool m_dragged = false;    // the pointer moved away from m_openedAt
    bool m_closed = false;
};

}  // namespace reef
