#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/frame_timer.h"

namespace reef {
namespace {

// The ticks' own start times are read a few microseconds after the timer read its clock.
constexpr std::int64_t kAtLeastAPeriod = kFramePeriodMicroseconds - 200;

struct Tick {
    std::int64_t start;
    std::int64_t end;
};

void BusyWait(std::int64_t microseconds) {
    const std::int64_t until = g_get_monotonic_time() + microseconds;
    while (g_get_monotonic_time() < until) {
    }
}

// Runs the default main loop for `microseconds`, sleeping while it has nothing to do.
void RunMainLoop(std::int64_t microseconds) {
    bool done = false;
    g_timeout_add(
        static_cast<guint>(microseconds / 1000),
        [](gpointer flag) {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &done);
    while (!done) {
        g_main_context_iteration(nullptr, TRUE);
    }
}

// Runs the main loop with a frame timer for `seconds`; every `slowEvery`-th tick (0: none)
// works for `slowMicroseconds`, the others return at once.
std::vector<Tick> RunTicks(double seconds, int slowEvery, std::int64_t slowMicroseconds) {
    std::vector<Tick> ticks;
    FrameTimer timer;
    timer.Start(kFramePeriodMicroseconds, [&] {
        Tick tick{g_get_monotonic_time(), 0};
        if (slowEvery > 0 && ticks.size() % static_cast<std::size_t>(slowEvery) == 0) {
            BusyWait(slowMicroseconds);
        }
        tick.end = g_get_monotonic_time();
        ticks.push_back(tick);
    });
    RunMainLoop(static_cast<std::int64_t>(seconds * 1e6));
    timer.Stop();
    return ticks;
}

TEST(FrameTimer, CheapTicksComeOneAPeriodApart) {
    std::vector<Tick> ticks = RunTicks(0.5, 0, 0);
    ASSERT_GE(ticks.size(), 5u);
    for (std::size_t k = 1; k < ticks.size(); ++k) {
        EXPECT_GE(ticks[k].start - ticks[k - 1].start, kAtLeastAPeriod) << "tick " << k;
    }
    // 64 a second at most: a 1 ms timer here would have ticked hundreds of times.
    EXPECT_LE(ticks.size(), 33u);
}

TEST(FrameTimer, ASlowTickIsFollowedByOneTickAtOnceAndNoBurst) {
    // Every third tick takes 40 ms, two and a half periods.
    std::vector<Tick> ticks = RunTicks(0.8, 3, 40000);
    ASSERT_GE(ticks.size(), 9u);
    std::vector<std::int64_t> waits;
    for (std::size_t k = 1; k < ticks.size(); ++k) {
        // The overrun periods are not made up for: still a full period between two starts.
        EXPECT_GE(ticks[k].start - ticks[k - 1].start, kAtLeastAPeriod) << "tick " << k;
        if ((k - 1) % 3 == 0) {
            waits.push_back(ticks[k].start - ticks[k - 1].end);
        }
    }
    // The tick after a slow one starts as soon as the loop comes round, not a period later.
    std::sort(waits.begin(), waits.end());
    EXPECT_LT(waits[waits.size() / 2], kFramePeriodMicroseconds / 2);
}

TEST(FrameTimer, StopEndsTheTicksAndStartReplacesTheTimer) {
    FrameTimer timer;
    int first = 0;
    int second = 0;
    timer.Start(1000, [&] { ++first; });
    EXPECT_TRUE(timer.IsRunning());
    timer.Start(1000, [&] { ++second; });
    RunMainLoop(50000);
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    const int stopped = second;
    for (int k = 0; k < 100; ++k) {
        g_main_context_iteration(nullptr, FALSE);
    }
    EXPECT_EQ(first, 0);
    EXPECT_GT(second, 5);
    EXPECT_EQ(second, stopped);
}

}  // namespace
}  // namespace reef
