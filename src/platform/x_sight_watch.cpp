#include "platform/x_sight_watch.h"

#include <wx/toplevel.h>

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace reef {

struct XSightWatch::State {
    Report report;
    GdkDisplay* gdkDisplay = nullptr;
    Display* display = nullptr;
    Window root = 0;
    Window top = 0;
    bool screenSaver = false;
    int screenSaverEventBase = 0;
    bool dpms = false;
    guint dpmsPoll = 0;
    bool filtering = false;

    void AskDisplayPower() const {
        CARD16 level = DPMSModeOn;
        BOOL enabled = False;
        gdk_x11_display_error_trap_push(gdkDisplay);
        const bool answered = DPMSInfo(display, &level, &enabled);
        gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
        if (answered) {
            report(UnseenReason::kDisplayOff, enabled && level != DPMSModeOn);
        }
    }

    static gboolean OnDpmsPoll(gpointer data) {
        static_cast<State*>(data)->AskDisplayPower();
        return G_SOURCE_CONTINUE;
    }

    // Sees every X event of the toolkit's connection before the toolkit does; takes none away.
    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent*, gpointer data) {
        auto* self = static_cast<State*>(data);
        const auto* event = static_cast<const XEvent*>(xevent);
        if (event->type == VisibilityNotify && event->xvisibility.window == self->top) {
            self->report(UnseenReason::kWindowCovered,
                         event->xvisibility.state == VisibilityFullyObscured);
        } else if (self->screenSaver &&
                   event->type == self->screenSaverEventBase + ScreenSaverNotify) {
            // On, or Cycle: a saver that changes its picture is still on.
            const auto* notify = reinterpret_cast<const XScreenSaverNotifyEvent*>(event);
            self->report(UnseenReason::kXScreenSaverOn, notify->state != ScreenSaverOff);
            if (self->dpms) {
                self->AskDisplayPower();
            }
        }
        return GDK_FILTER_CONTINUE;
    }
};

XSightWatch::XSightWatch(wxWindow* tank, Report report) : m_state(std::make_unique<State>()) {
    State& state = *m_state;
    state.report = std::move(report);
    wxWindow* top = wxGetTopLevelParent(tank);
    GtkWidget* widget = top != nullptr ? top->GetHandle() : nullptr;
    GdkWindow* window = widget != nullptr ? gtk_widget_get_window(widget) : nullptr;
    if (window == nullptr || !GDK_IS_X11_WINDOW(window)) {
        return;
    }
    state.gdkDisplay = gdk_window_get_display(window);
    state.display = GDK_WINDOW_XDISPLAY(window);
    state.top = GDK_WINDOW_XID(window);
    state.root = DefaultRootWindow(state.display);

    // The toolkit keeps the window's event mask: asking it for visibility events keeps them when
    // it changes the mask later.
    gtk_widget_add_events(widget, GDK_VISIBILITY_NOTIFY_MASK);
    gdk_window_add_filter(nullptr, &State::Filter, &state);
    state.filtering = true;

    // An error from a server that answers the extensions oddly must not end the program, which
    // is what the toolkit does with an error nobody expected.
    gdk_x11_display_error_trap_push(state.gdkDisplay);
    int errorBase = 0;
    if (XScreenSaverQueryExtension(state.display, &state.screenSaverEventBase, &errorBase)) {
        state.screenSaver = true;
        XScreenSaverSelectInput(state.display, state.root, ScreenSaverNotifyMask);
        if (XScreenSaverInfo* info = XScreenSaverAllocInfo()) {
            if (XScreenSaverQueryInfo(state.display, state.root, info)) {
                state.report(UnseenReason::kXScreenSaverOn, info->state == ScreenSaverOn);
            }
            XFree(info);
        }
    }
    // The server announces no change of the display's power, so it is asked once a second.
    int dpmsEventBase = 0;
    if (DPMSQueryExtension(state.display, &dpmsEventBase, &errorBase) &&
        DPMSCapable(state.display)) {
        state.dpms = true;
    }
    gdk_x11_display_error_trap_pop_ignored(state.gdkDisplay);
    if (state.dpms) {
        state.AskDisplayPower();
        state.dpmsPoll = g_timeout_add_seconds(1, &State::OnDpmsPoll, &state);
    }
}

XSightWatch::~XSightWatch() {
    State& state = *m_state;
    if (state.dpmsPoll != 0) {
        g_source_remove(state.dpmsPoll);
    }
    if (state.screenSaver) {
        gdk_x11_display_error_trap_push(state.gdkDisplay);
        XScreenSaverSelectInput(state.display, state.root, 0);
        gdk_x11_display_error_trap_pop_ignored(state.gdkDisplay);
    }
    if (state.filtering) {
        gdk_window_remove_filter(nullptr, &State::Filter, &state);
    }
}

}  // namespace reef
