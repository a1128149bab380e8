#pragma once

#include <wx/gdicmn.h>

namespace reef {

// The primary monitor, the screen the aquarium covers: the X server's primary monitor (RandR
// monitors, among them those laid out with `xrandr --setmonitor`), else its first monitor, else
// the toolkit's first display. The other monitors keep the user's desktop.

// In device pixels, for the snapshot, the viewport and every per-pixel size: on a HiDPI screen
// the logical size times the scale factor.
wxRect PrimaryScreenDeviceRect();

// The whole X screen (the root window) in its own pixels; 0 x 0 without an X display.
wxSize XScreenSize();

// In window coordinates (logical pixels), for placing the frame.
wxRect PrimaryScreenRect();

}  // namespace reef
