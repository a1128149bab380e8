#pragma once

#include <cstdint>

namespace reef {

// The reasons why nobody can see the tank, each reported by its own watcher of the desktop.
enum class UnseenReason : std::uint8_t {
    kScreenSaverActive,  // the session's screen saver runs (it locks the session on most desktops)
    kSessionLocked,      // the login manager says the session is locked
    kXScreenSaverOn,     // the X server's own screen saver has blanked the screen
    kDisplayOff,         // the display is powered down (standby, suspend or off)
    kWindowCovered,      // another window covers the whole tank window
};
constexpr int kUnseenReasonCount = 5;

// Whether anybody can see the tank: seen while no reason holds. Reasons come and go on their
// own, several may hold at once, and the tank is seen again only once the last one has ended.
// A watcher that cannot tell (no bus, no service, no extension) never reports a reason, and a
// watcher whose source goes away withdraws its reason.
class TankSight {
public:
    // Records whether `reason` holds now. Returns true when this changes Seen().
    bool Report(UnseenReason reason, bool holds);

    bool Seen() const { return m_holding == 0; }
    bool Holds(UnseenReason reason) const { return (m_holding & Bit(reason)) != 0; }

private:
    static std::uint32_t Bit(UnseenReason reason) { return 1u << static_cast<unsigned>(reason); }

    std::uint32_t m_holding = 0;  // one bit per reason
};

}  // namespace reef
