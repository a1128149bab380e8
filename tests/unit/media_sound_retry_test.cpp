#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "media/sound_retry.h"

namespace reef {
namespace {

// Plays a script of tries and records the waits asked for in between; a wait past the script's
// end is answered "stopped", so a loop that would go on forever ends.
struct Script {
    std::deque<StreamTry> tries;
    int stopDuringWait = -1;  // index of the wait that is cut short, or -1
    std::deque<bool> seen;    // the output's answers after each wait; seen when none are left
    int played = 0;
    std::vector<int> waits;

    void Run() {
        KeepPlaying(
            [this] {
                ++played;
                StreamTry next = tries.front();
                tries.pop_front();
                return next;
            },
            [this] {
                const bool answer = seen.empty() || seen.front();
                if (!seen.empty()) {
                    seen.pop_front();
                }
                return answer;
            },
            [this](int delayMs) {
                waits.push_back(delayMs);
                return static_cast<int>(waits.size()) - 1 != stopDuringWait && !tries.empty();
            });
    }
};

constexpr StreamTry kNoOutput{StreamEnd::OutputLost, 0};

TEST(SoundRetry, LostOutputIsTriedAgainAfterAGrowingThenSteadyWait) {
    Script script;
    script.tries.assign(7, kNoOutput);
    script.tries.push_back({StreamEnd::Stopped, 0});
    script.Run();
    EXPECT_EQ(script.played, 8);
    EXPECT_EQ(script.waits, (std::vector<int>{1000, 2000, 4000, 10000, 10000, 10000, 10000}));
}

TEST(SoundRetry, OnlyAStreamThatPlayedAWhileStartsTheScheduleAfresh) {
    Script script;
    script.tries = {
        kNoOutput,
        kNoOutput,
        {StreamEnd::OutputLost, 9999},   // taken and dropped again soon: keeps climbing
        {StreamEnd::OutputLost, 10000},  // played a while: the next loss is a fresh one
        kNoOutput,
        {StreamEnd::Stopped, 0},
    };
    script.Run();
    EXPECT_EQ(script.waits, (std::vector<int>{1000, 2000, 4000, 1000, 2000}));
}

TEST(SoundRetry, AnOutputNotSeenCountsAsLostWithoutATry) {
    Script script;
    script.tries = {kNoOutput, kNoOutput, {StreamEnd::Stopped, 0}};
    // The first try is made whatever the output says; then two waits see nothing.
    script.seen = {false, false, true, true};
    script.Run();
    EXPECT_EQ(script.played, 3);
    EXPECT_EQ(script.waits, (std::vector<int>{1000, 2000, 4000, 10000}));
}

TEST(SoundRetry, EndsWithoutAnotherTryWhenStoppedOrTheFileCannotPlay) {
    Script stoppedWhileWaiting;
    stoppedWhileWaiting.tries.assign(5, kNoOutput);
    stoppedWhileWaiting.stopDuringWait = 1;
    stoppedWhileWaiting.Run();
    EXPECT_EQ(stoppedWhileWaiting.played, 2);

    Script unplayable;
    unplayable.tries = {kNoOutput, {StreamEnd::CannotPlay, 0}, kNoOutput};
    unplayable.Run();
    EXPECT_EQ(unplayable.played, 2);
    EXPECT_EQ(unplayable.waits, (std::vector<int>{1000}));

    Script stopped;
    stopped.tries = {{StreamEnd::Stopped, 60000}, kNoOutput};
    stopped.Run();
    EXPECT_EQ(stopped.played, 1);
    EXPECT_TRUE(stopped.waits.empty());
}

}  // namespace
}  // namespace reef
