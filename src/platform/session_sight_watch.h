#pragma once

#include <functional>
#include <memory>

#include "platform/tank_sight.h"

namespace reef {

// Follows what the desktop announces on D-Bus about whether anybody is at the screen:
//  - the session's screen saver (org.freedesktop.ScreenSaver on the session bus: asked with
//    GetActive, then followed through ActiveChanged), reported as kScreenSaverActive;
//  - the login manager's lock state of this process's session (LockedHint of its
//    org.freedesktop.login1 session on the system bus, followed through PropertiesChanged),
//    reported as kSessionLocked.
// Every call on a bus is asynchronous and answered on the main loop, so a slow or absent service
// never holds up a frame. Where a bus or a service is missing, nothing is reported; when a service
// leaves the bus, its reason is withdrawn, and when one comes (back) it is asked again.
class SessionSightWatch {
public:
    using Report = std::function<void(UnseenReason reason, bool holds)>;

    explicit SessionSightWatch(Report report);
    ~SessionSightWatch();
    SessionSightWatch(const SessionSightWatch&) = delete;
    SessionSightWatch& operator=(const SessionSightWatch&) = delete;

    class Service;

private:
    std::unique_ptr<Service> m_screenSaver;
    std::unique_ptr<Service> m_sessionLock;
};

}  // namespace reef
