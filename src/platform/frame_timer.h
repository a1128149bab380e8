#pragma once

#include <functional>

namespace reef {

// A repeating timer for the frame loop. Its ticks are dispatched by the GTK main loop at low
// priority, below input, redraws and idle work: when a frame takes longer than the period, the
// next tick waits until the toolkit has painted its other windows (menus, dialogs) and handled
// queued events, instead of starving them. Like every GLib timer it never queues missed ticks,
// so a slow frame is followed by one tick, not a burst.
class FrameTimer {
public:
    FrameTimer() = default;
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Calls `tick` every `milliseconds` until Stop(); restarting replaces the previous timer.
    void Start(unsigned milliseconds, std::function<void()> tick);
    void Stop();
    bool IsRunning() const { return m_source != 0; }

private:
    static int OnTimeout(void* self);

    unsigned m_source = 0;
    std::function<void()> m_tick;
};

}  // namespace reef
