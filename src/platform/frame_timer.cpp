#include "platform/frame_timer.h"

#include <glib.h>

namespace reef {

FrameTimer::~FrameTimer() {
    Stop();
}

void FrameTimer::Start(unsigned milliseconds, std::function<void()> tick) {
    Stop();
    m_tick = std::move(tick);
    m_source =
        g_timeout_add_full(G_PRIORITY_LOW, milliseconds, &FrameTimer::OnTimeout, this, nullptr);
}

void FrameTimer::Stop() {
    if (m_source != 0) {
        g_source_remove(m_source);
        m_source = 0;
    }
}

int FrameTimer::OnTimeout(void* self) {
    auto* timer = static_cast<FrameTimer*>(self);
    timer->m_tick();
    return G_SOURCE_CONTINUE;
}

}  // namespace reef
