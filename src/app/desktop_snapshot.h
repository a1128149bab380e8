#pragma once

#include <wx/gdicmn.h>

#include <string>

namespace reef {

// Photographs the primary monitor (`pixels`, in X screen pixels) into the bitmap file `path`
// before any window of the program shows. The X root window is read first; where it cannot be
// read (Xwayland on a Wayland desktop) the desktop portal is asked for a picture of the whole
// desktop, which is cut and scaled to the monitor and written the same way, and the portal's own
// file is removed. True when `path` holds today's desktop. On a Wayland session without a
// snapshot, one sentence on standard error says why.
bool TakeDesktopSnapshot(const wxRect& pixels, const std::string& path);

}  // namespace reef
