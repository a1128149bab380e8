#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "media/sound_retry.h"

namespace reef {
namespace {

// Runs KeepPlaying on a clock of its own, in ms: waits move the clock on, and a try that plays
// moves it by the time it played. Records when each try was made.
struct Timeline {
    // Whether the output is in sight at a time; always, unless a case says otherwise.
    std::function<bool(int now)> seen = [](int) { return true; };
    // How a try made at a time ends; by default the output is not there.
    std::function<StreamTry(int now)> outcome = [](int) {
        return StreamTry{StreamEnd::OutputLost, 0};
    };
    // The owner stops the stream then: a wait that would reach it is cut short.
    int stopAt = 60000;

    int now = 0;
    std::vector<int> tries;
    std::vector<int> waits;

    void Run() {
        KeepPlaying(
            [this] {
                tries.push_back(now);
                const StreamTry tried = outcome(now);
                now += tried.playedMs;
                return tried;
            },
            [this] { return seen(now); },
            [this](int delayMs) {
                waits.push_back(delayMs);
                if (now + delayMs >= stopAt) {
                    return false;
                }
                now += delayMs;
                return true;
            });
    }
};

using Times = std::vector<int>;

TEST(SoundRetry, AnOutputThatStaysAwayIsTriedAfter1And2And4sThenEvery10s) {
    Timeline line;  // seen, but every try fails: an output there that does not work
    line.Run();
    EXPECT_EQ(line.tries, (Times{0, 1000, 3000, 7000, 17000, 27000, 37000, 47000, 57000}));
    for (int wait : line.waits) {
        EXPECT_LE(wait, kLookIntervalMs) << "the output is looked at between the tries";
    }
}

TEST(SoundRetry, OnlyAStreamThatPlayedAWhileStartsTheScheduleAfresh) {
    Timeline settled;
    settled.outcome = [](int now) {
        return now == 0 ? StreamTry{StreamEnd::OutputLost, 30000}
                        : StreamTry{StreamEnd::OutputLost, 0};
    };
    settled.stopAt = 48000;
    settled.Run();
    EXPECT_EQ(settled.tries, (Times{0, 31000, 33000, 37000, 47000}));

    Timeline flapping;  // taken and dropped again within 10 s: the schedule goes on climbing
    flapping.outcome = [](int) { return StreamTry{StreamEnd::OutputLost, 9999}; };
    flapping.stopAt = 45000;
    flapping.Run();
    EXPECT_EQ(flapping.tries, (Times{0, 10999, 22998, 36997}));
}

TEST(SoundRetry, AServerThatComesBackIsTriedAtTheNextLookWithoutTriesMeanwhile) {
    // The server dies just after the start and comes back later; while it is away nothing is
    // tried, and once it is back it is tried at the next look, not at the schedule's next try.
    struct {
        int back;
        int tried;
    } const cases[] = {
        {12500, 13000},  // during the wait from 7 s to 17 s
        {7500, 8000},    // at that wait's first look, just after a look at its end saw nothing
        {30200, 31000},  // after the schedule has settled at 10 s
    };
    for (const auto& c : cases) {
        Timeline line;
        line.seen = [&c](int now) { return now < 500 || now >= c.back; };
        line.outcome = [&line](int now) {
            return line.seen(now) && now > 0 ? StreamTry{StreamEnd::Stopped, 0}
                                             : StreamTry{StreamEnd::OutputLost, 0};
        };
        line.Run();
        EXPECT_EQ(line.tries, (Times{0, c.tried})) << "back at " << c.back;
    }
}

TEST(SoundRetry, EndsWithoutAnotherTryWhenStoppedOrTheFileCannotPlay) {
    Timeline stoppedWhileWaiting;
    stoppedWhileWaiting.stopAt = 2500;
    stoppedWhileWaiting.Run();
    EXPECT_EQ(stoppedWhileWaiting.tries, (Times{0, 1000}));

    Timeline unplayable;
    unplayable.outcome = [](int now) {
        return now == 0 ? StreamTry{StreamEnd::OutputLost, 0} : StreamTry{StreamEnd::CannotPlay, 0};
    };
    unplayable.Run();
    EXPECT_EQ(unplayable.tries, (Times{0, 1000}));

    Timeline stopped;
    stopped.outcome = [](int) { return StreamTry{StreamEnd::Stopped, 20000}; };
    stopped.Run();
    EXPECT_EQ(stopped.tries, (Times{0}));
    EXPECT_TRUE(stopped.waits.empty());
}

}  // namespace
}  // namespace reef
