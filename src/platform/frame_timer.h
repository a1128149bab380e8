#pragma once

#include <cstdint>
#include <functional>

struct _GSource;

namespace reef {

// One step of every animation is one tick, so the tick rate is the speed of the fish. The frame
// loop was designed around a 1 ms window timer that its desktop never delivered faster than
// every 10 ms and, as normally configured, delivered every 15.6 ms: about 64 steps a second,
// which is the pace the fish speeds are made for. A GLib timeout of 1 ms here fires as fast as
// frames can be drawn (hundreds a second for a cheap frame), so the timer keeps that pace
// itself: this period between the starts of two ticks.
constexpr std::int64_t kFramePeriodMicroseconds = 1000000 / 64;  // 15625 us

// A repeating timer for the frame loop. A tick never starts sooner than the period after the
// previous tick started; a tick that takes longer than the period is followed by the next one
// at once, and never by a burst of the ticks it overran (no tick is ever queued).
//
// Ticks are dispatched by the GTK main loop at low priority, below input, redraws and idle
// work: when a frame takes longer than the period, the next tick waits until the toolkit has
// painted its other windows (menus, dialogs) and handled queued events, instead of starving
// them.
class FrameTimer {
public:
    FrameTimer() = default;
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Calls `tick` about every `periodMicroseconds` (the start-to-start time; at least 1) until
    // Stop(); the first tick comes one period from now. Restarting replaces the previous timer.
    // Not to be called from inside a tick.
    void Start(std::int64_t periodMicroseconds, std::function<void()> tick);
    void Stop();
    bool IsRunning() const { return m_source != nullptr; }

    // Changes the start-to-start time (at least 1): the next tick comes `periodMicroseconds`
    // after the last one started, or at once when that time has passed. May be called from
    // inside a tick.
    void SetPeriod(std::int64_t periodMicroseconds);

private:
    struct Source;
    // A GSourceFuncs dispatch function (gboolean is int, GSourceFunc int (*)(void*)).
    static int Dispatch(_GSource* source, int (*)(void*), void*);
    static void Finalize(_GSource* source);

    Source* m_source = nullptr;
    std::int64_t m_period = kFramePeriodMicroseconds;
    std::function<void()> m_tick;
};

}  // namespace reef
