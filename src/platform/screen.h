#pragma once

#include <wx/gdicmn.h>

namespace reef {

// The primary monitor, the screen the aquarium covers: the X server's primary monitor (RandR
// monitors, among them those laid out with `xrandr --setmonitor`), else its first monitor, else
// the toolkit's first display. The other monitors keep the user's desktop.

// In device pixels, for the snapshot, the viewport and every per-pixel size: on a HiDPI screen
// the logical size times the scale factor.
wxRect PrimaryScreenDeviceRect();

// In window coordinates (logical pixels), for placing the frame.
wxRect PrimaryScreenRect();

}  // namespace reef
