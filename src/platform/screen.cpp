#include "platform/screen.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <wx/display.h>

#include <cmath>
#include <optional>

namespace reef {
namespace {

// The X server's primary monitor, else its first, in device pixels. The server's monitors are
// read directly because the toolkit lists only monitors that are backed by an output, while the
// window manager also sees those a user laid out by hand (`xrandr --setmonitor`).
std::optional<wxRect> PrimaryMonitorFromServer() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return std::nullopt;
    }
    std::optional<wxRect> found;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    // Monitors came with RandR 1.5; asking an older server would be a protocol error.
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5))) {
        int count = 0;
        XRRMonitorInfo* monitors =
            XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
        for (int i = 0; i < count; ++i) {
            if (monitors[i].primary || !found) {
                found = wxRect(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
            }
            if (monitors[i].primary) {
                break;
            }
        }
        if (monitors != nullptr) {
            XRRFreeMonitors(monitors);
        }
    }
    XCloseDisplay(display);
    return found;
}

}  // namespace

wxRect PrimaryScreenDeviceRect() {
    if (auto monitor = PrimaryMonitorFromServer()) {
        return *monitor;
    }
    wxDisplay display;
    wxRect rect = display.GetGeometry();
    double scale = display.GetScaleFactor();
    auto scaled = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
    return wxRect(scaled(rect.x), scaled(rect.y), scaled(rect.width), scaled(rect.height));
}

wxSize XScreenSize() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return wxSize(0, 0);
    }
    const int screen = DefaultScreen(display);
    const wxSize size(DisplayWidth(display, screen), DisplayHeight(display, screen));
    XCloseDisplay(display);
    return size;
}

wxRect PrimaryScreenRect() {
    const wxRect device = PrimaryScreenDeviceRect();
    const double scale = wxDisplay().GetScaleFactor();
    auto logical = [scale](int v) { return static_cast<int>(std::lround(v / scale)); };
    return wxRect(logical(device.x), logical(device.y), logical(device.width),
                  logical(device.height));
}

}  // namespace reef
