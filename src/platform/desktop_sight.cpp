#include "platform/desktop_sight.h"

#include "platform/session_sight_watch.h"
#include "platform/x_sight_watch.h"

namespace reef {

DesktopSight::DesktopSight(wxWindow* tank) {
    auto report = [this](UnseenReason reason, bool holds) { m_sight.Report(reason, holds); };
    m_x = std::make_unique<XSightWatch>(tank, report);
    m_session = std::make_unique<SessionSightWatch>(report);
}

// The watches go first: none may report into a sight that is gone.
DesktopSight::~DesktopSight() {
    m_session.reset();
    m_x.reset();
}

}  // namespace reef
