#pragma once

#include <functional>
#include <memory>

#include "platform/tank_sight.h"

class wxWindow;

namespace reef {

// Follows what the X server knows about whether the tank can be seen:
//  - its own screen saver (the MIT-SCREEN-SAVER extension: asked once, then its notify events),
//    reported as kXScreenSaverOn;
//  - the display's power (DPMS: asked once a second, and at once whenever the screen saver
//    starts or stops, since the server powers the display down and up together with it),
//    reported as kDisplayOff;
//  - the tank's top-level window being covered whole by other windows (its visibility events,
//    which a screen locker's full-screen window causes where no compositor redirects windows),
//    reported as kWindowCovered.
// An extension the server lacks is never asked; on a display that is not X11 nothing is
// reported. Needs the tank's top-level window realised; `tank` must outlive the watch.
class XSightWatch {
public:
    using Report = std::function<void(UnseenReason reason, bool holds)>;

    XSightWatch(wxWindow* tank, Report report);
    ~XSightWatch();
    XSightWatch(const XSightWatch&) = delete;
    XSightWatch& operator=(const XSightWatch&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace reef
