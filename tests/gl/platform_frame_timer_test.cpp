#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gl_test_support.h"
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

// Runs the default main loop until `done` holds or `microseconds` have passed, sleeping while
// it has nothing to do.
template <typename Done>
void RunMainLoop(std::int64_t microseconds, Done done) {
    bool late = false;
    guint stop = g_timeout_add(
        static_cast<guint>(microseconds / 1000),
        [](gpointer flag) {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &late);
    while (!late && !done()) {
        g_main_context_iteration(nullptr, TRUE);
    }
    if (!late) {
        g_source_remove(stop);
    }
}

// Runs the main loop with a frame timer until it has ticked `count` times (or 5 s have passed);
// every `slowEvery`-th tick (0: none) works for `slowMicroseconds`, the others return at once.
// What the toolkit has queued (paints of the view) is handled first, so it does not come
// between the ticks.
std::vector<Tick> RunTicks(std::size_t count, int slowEvery, std::int64_t slowMicroseconds) {
    test::ProcessPendingEvents();
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
    RunMainLoop(5000000, [&] { return ticks.size() >= count; });
    timer.Stop();
    return ticks;
}

TEST(FrameTimer, CheapTicksComeOneAPeriodApart) {
    // A 1 ms timer here would tick hundreds of times a second; this one at most 64 times.
    std::vector<Tick> ticks = RunTicks(20, 0, 0);
    ASSERT_EQ(ticks.size(), 20u);
    for (std::size_t k = 1; k < ticks.size(); ++k) {
        EXPECT_GE(ticks[k].start - ticks[k - 1].start, kAtLeastAPeriod) << "tick " << k;
    }
}

TEST(FrameTimer, ASlowTickIsFollowedByOneTickAtOnceAndNoBurst) {
    // Every third tick takes 40 ms, two and a half periods.
    std::vector<Tick> ticks = RunTicks(25, 3, 40000);
    ASSERT_EQ(ticks.size(), 25u);
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
    RunMainLoop(5000000, [&] { return second >= 6; });
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

TEST(FrameTimer, ANewPeriodCountsFromTheLastStart) {
    // The pace drops to a tick every 300 ms from inside the third tick, and comes back to a
    // period from inside the sixth: that tick's successor follows a period after it, not 300 ms.
    constexpr std::int64_t kSlow = 300000;
    test::ProcessPendingEvents();
    FrameTimer timer;
    std::vector<std::int64_t> starts;
    timer.Start(kFramePeriodMicroseconds, [&] {
        starts.push_back(g_get_monotonic_time());
        if (starts.size() == 3) {
            timer.SetPeriod(kSlow);
        } else if (starts.size() == 6) {
            timer.SetPeriod(kFramePeriodMicroseconds);
        }
    });
    RunMainLoop(5000000, [&] { return starts.size() >= 8; });
    timer.Stop();
    ASSERT_EQ(starts.size(), 8u);
    for (std::size_t k = 3; k < 6; ++k) {
        EXPECT_GE(starts[k] - starts[k - 1], kSlow - 200) << "tick " << k;
    }
    // A loaded machine may run a tick late, but not by most of the slow period.
    EXPECT_LT(starts[6] - starts[5], kSlow / 2);
    EXPECT_GE(starts[6] - starts[5], kAtLeastAPeriod);
}

}  // namespace
}  // namespace reef
