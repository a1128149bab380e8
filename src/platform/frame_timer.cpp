#include "platform/frame_timer.h"

#include <glib-unix.h>
#include <glib.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace reef {

// A GLib source woken by a timer descriptor set to an absolute time on the monotonic clock (the
// clock of g_get_monotonic_time). A plain GLib timeout would do the same at a millisecond's
// grain, rounded up on every tick: 16.1 to 16.6 ms instead of 15.625, about 61 steps a second.
// Where no timer descriptor can be made, the source's own ready time stands in for it.
struct FrameTimer::Source {
    GSource base;
    FrameTimer* owner;
    int fd;
    std::int64_t lastStart;  // of the last tick, or when the timer started
};

namespace {

void Arm(GSource* source, int fd, std::int64_t at) {
    if (fd < 0) {
        g_source_set_ready_time(source, at);
        return;
    }
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(at / 1000000);
    when.it_value.tv_nsec = static_cast<long>(at % 1000000) * 1000;
    // An absolute time already past fires at once.
    timerfd_settime(fd, TFD_TIMER_ABSTIME, &when, nullptr);
}

}  // namespace

void FrameTimer::Finalize(GSource* source) {
    int fd = reinterpret_cast<Source*>(source)->fd;
    if (fd >= 0) {
        close(fd);
    }
}

FrameTimer::~FrameTimer() {
    Stop();
}

void FrameTimer::Start(std::int64_t periodMicroseconds, std::function<void()> tick) {
    Stop();
    m_period = std::max<std::int64_t>(periodMicroseconds, 1);
    m_tick = std::move(tick);

    static GSourceFuncs funcs = {nullptr, nullptr, &FrameTimer::Dispatch, &FrameTimer::Finalize,
                                 nullptr, nullptr};
    GSource* source = g_source_new(&funcs, sizeof(Source));
    auto* self = reinterpret_cast<Source*>(source);
    self->owner = this;
    self->fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (self->fd >= 0) {
        g_source_add_unix_fd(source, self->fd, G_IO_IN);
    }
    g_source_set_priority(source, G_PRIORITY_LOW);
    self->lastStart = g_get_monotonic_time();
    Arm(source, self->fd, self->lastStart + m_period);
    g_source_attach(source, nullptr);
    m_source = self;
}

void FrameTimer::Stop() {
    if (m_source != nullptr) {
        GSource* source = &m_source->base;
        m_source = nullptr;
        g_source_destroy(source);
        g_source_unref(source);
    }
}

void FrameTimer::SetPeriod(std::int64_t periodMicroseconds) {
    periodMicroseconds = std::max<std::int64_t>(periodMicroseconds, 1);
    if (periodMicroseconds == m_period) {
        return;
    }
    m_period = periodMicroseconds;
    if (m_source != nullptr) {
        Arm(&m_source->base, m_source->fd, m_source->lastStart + m_period);
    }
}

int FrameTimer::Dispatch(GSource* source, GSourceFunc, gpointer) {
    auto* self = reinterpret_cast<Source*>(source);
    if (self->fd >= 0) {
        std::uint64_t expirations = 0;
        if (read(self->fd, &expirations, sizeof expirations) < 0) {
            return G_SOURCE_CONTINUE;  // woken for nothing: the time has not come
        }
    }
    // The next start is counted from this start, not from the end of the tick: a frame that
    // takes longer than the period leaves the next start in the past, so the next tick comes
    // as soon as the higher-priority work is done, once.
    self->lastStart = g_get_monotonic_time();
    Arm(source, self->fd, self->lastStart + self->owner->m_period);
    self->owner->m_tick();
    return G_SOURCE_CONTINUE;
}

}  // namespace reef
