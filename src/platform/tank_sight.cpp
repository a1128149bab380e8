#include "platform/tank_sight.h"

namespace reef {

bool TankSight::Report(UnseenReason reason, bool holds) {
    const bool seenBefore = Seen();
    if (holds) {
        m_holding |= Bit(reason);
    } else {
        m_holding &= ~Bit(reason);
    }
    return Seen() != seenBefore;
}

}  // namespace reef
