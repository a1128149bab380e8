#pragma once

#include <wx/gdicmn.h>

namespace reef {

// The primary monitor, the screen the aquarium covers.

// In window coordinates (logical pixels), for placing the frame.
wxRect PrimaryScreenRect();

// In device pixels, for the snapshot, the viewport and every per-pixel size: on a HiDPI screen
// the logical size times the scale factor.
wxRect PrimaryScreenDeviceRect();

}  // namespace reef
