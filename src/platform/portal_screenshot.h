#pragma once

#include <chrono>

#include "platform/portal_answer.h"

namespace reef {

// Asks the session's desktop portal (org.freedesktop.portal.Screenshot) for a picture of the
// whole desktop without asking the user to pick an area, and waits at most `bound` in all for
// the answer, which may include the time a person takes to answer a permission question. Only
// an existing session bus is used (DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus); none is
// ever started. A request still open at the bound is closed. The wait runs a private main loop,
// so nothing else of the calling thread's is dispatched meanwhile.
PortalScreenshot RequestPortalScreenshot(std::chrono::milliseconds bound);

}  // namespace reef
