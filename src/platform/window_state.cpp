#include "platform/window_state.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/toplevel.h>

namespace reef {

bool IsTopLevelOnScreen(const wxWindow* window) {
    const wxWindow* top = wxGetTopLevelParent(const_cast<wxWindow*>(window));
    if (top == nullptr || !top->IsShown()) {
        return false;
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(top->GetHandle());
    if (gdkWindow == nullptr) {
        return false;
    }
    const GdkWindowState hidden =
        static_cast<GdkWindowState>(GDK_WINDOW_STATE_WITHDRAWN | GDK_WINDOW_STATE_ICONIFIED);
    if ((gdk_window_get_state(gdkWindow) & hidden) != 0) {
        return false;
    }
    // GDK records neither an unmap from outside nor, with every window manager, an iconified
    // window, so the server is asked: viewable means mapped along with all its ancestors (a
    // window manager's frame around it included). One round trip.
    if (!GDK_IS_X11_WINDOW(gdkWindow)) {
        return true;
    }
    XWindowAttributes attributes{};
    return XGetWindowAttributes(GDK_WINDOW_XDISPLAY(gdkWindow), GDK_WINDOW_XID(gdkWindow),
                                &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

}  // namespace reef
