#pragma once

#include <memory>

#include "platform/tank_sight.h"

class wxWindow;

namespace reef {

class SessionSightWatch;
class XSightWatch;

// Whether anybody can see the tank as the desktop tells it: not while the session is locked or
// its screen saver runs, the X server's screen saver is on or the display powered down, or the
// tank's window is covered whole. Follows the desktop from construction on; Seen() is a plain
// read, cheap enough for every frame. Needs the tank's top-level window realised; `tank` must
// outlive it.
class DesktopSight {
public:
    explicit DesktopSight(wxWindow* tank);
    ~DesktopSight();
    DesktopSight(const DesktopSight&) = delete;
    DesktopSight& operator=(const DesktopSight&) = delete;

    bool Seen() const { return m_sight.Seen(); }

private:
    TankSight m_sight;
    std::unique_ptr<XSightWatch> m_x;
    std::unique_ptr<SessionSightWatch> m_session;
};

}  // namespace reef
