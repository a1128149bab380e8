#include <gtest/gtest.h>

#include <vector>

#include "platform/tank_sight.h"

namespace reef {
namespace {

using R = UnseenReason;

struct Step {
    R reason;
    bool holds;
    bool seen;     // Seen() after the report
    bool changed;  // what Report() returned
};

void Play(const std::vector<Step>& steps) {
    TankSight sight;
    ASSERT_TRUE(sight.Seen());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        EXPECT_EQ(sight.Report(step.reason, step.holds), step.changed) << "step " << i;
        EXPECT_EQ(sight.Seen(), step.seen) << "step " << i;
        EXPECT_EQ(sight.Holds(step.reason), step.holds) << "step " << i;
    }
}

TEST(TankSight, OneReasonComesAndGoes) {
    Play({
        {R::kXScreenSaverOn, true, false, true},
        // a repeated report (the saver cycling its pattern) changes nothing
        {R::kXScreenSaverOn, true, false, false},
        {R::kXScreenSaverOn, false, true, true},
        // a source that goes away withdraws a reason that never held: still seen, no change
        {R::kSessionLocked, false, true, false},
    });
}

TEST(TankSight, SeenAgainOnlyWhenTheLastReasonEnds) {
    Play({
        // the session's saver starts, then locks the session, then the display powers down
        {R::kScreenSaverActive, true, false, true},
        {R::kSessionLocked, true, false, false},
        {R::kDisplayOff, true, false, false},
        // a key press wakes the display: the lock still holds
        {R::kDisplayOff, false, false, false},
        // the saver ends before the user has unlocked
        {R::kScreenSaverActive, false, false, false},
        {R::kSessionLocked, false, true, true},
    });
}

TEST(TankSight, EveryReasonHidesTheTankOnItsOwnAndTogether) {
    TankSight sight;
    for (int r = 0; r < kUnseenReasonCount; ++r) {
        const auto reason = static_cast<R>(r);
        EXPECT_TRUE(sight.Report(reason, true)) << r;
        EXPECT_FALSE(sight.Seen()) << r;
        EXPECT_TRUE(sight.Report(reason, false)) << r;
        EXPECT_TRUE(sight.Seen()) << r;
    }
    for (int r = 0; r < kUnseenReasonCount; ++r) {
        sight.Report(static_cast<R>(r), true);
    }
    // ended in reverse order: each one but the last leaves the tank unseen
    for (int r = kUnseenReasonCount - 1; r >= 0; --r) {
        EXPECT_EQ(sight.Report(static_cast<R>(r), false), r == 0) << r;
        EXPECT_EQ(sight.Seen(), r == 0) << r;
        for (int other = 0; other < r; ++other) {
            EXPECT_TRUE(sight.Holds(static_cast<R>(other))) << r << " " << other;
        }
    }
}

}  // namespace
}  // namespace reef
