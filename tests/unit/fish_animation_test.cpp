#include <gtest/gtest.h>

#include <cmath>

#include "fish/fish_animation.h"
#include "platform/random.h"

namespace reef {
namespace {

constexpr float kPi = 3.14159265f;

// Draws the process generator back to its start, so the rules' random draws are known.
class FishAnimationTest : public ::testing::Test {
protected:
    void SetUp() override { ProcessRandom().SetState(1); }
};

TEST_F(FishAnimationTest, FinWaveValuesAndPhaseSchedule) {
    FinWave wave(0.03f, kPi / 5, kPi / 8);
    float out[4];
    // The phase moves on the draw whose old counter value is above 5, that is every 7th draw.
    for (int draw = 1; draw <= 14; ++draw) {
        float phaseBefore = wave.Phase();
        wave.Fill(out, 4, 3);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(out[i], std::sin(i * kPi / 5 + phaseBefore) * 3 * 0.03f);
        }
        int advances = draw / 7;
        EXPECT_NEAR(wave.Phase(), advances * kPi / 8, 1e-5) << "draw " << draw;
    }
}

TEST_F(FishAnimationTest, FinWavePhaseRestartsAtZeroPastTwoPi) {
    FinWave wave(0.005f, kPi / 20, kPi / 6);
    float out[31];
    float last = 0.0f;
    for (int draw = 0; draw < 7 * 12; ++draw) {
        wave.Fill(out, 31, 3);
        if (wave.Phase() < last) {
            // 12 steps of pi/6 reach 2 pi plus rounding; the phase is set to 0, not wrapped.
            EXPECT_EQ(wave.Phase(), 0.0f);
            EXPECT_GT(last + kPi / 6, 6.283185f);
        }
        last = wave.Phase();
    }
    EXPECT_LT(wave.Phase(), 2 * kPi);
}

TEST_F(FishAnimationTest, TailWaveStylesAndSchedule) {
    TailWave rising, falling;
    float r[20], f[20];
    rising.Fill(r, kTailRising, 3);
    falling.Fill(f, kTailFalling, 3);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(r[i], 0.0f);
        EXPECT_EQ(f[i], 0.0f);
    }
    // First draw: phase 0.
    EXPECT_FLOAT_EQ(r[10], 0.009f * std::sin(10 * 0.0314159f) * 3);
    EXPECT_FLOAT_EQ(r[19], 0.09f * std::sin(19 * 0.0314159f) * 3);
    EXPECT_FLOAT_EQ(f[10], 0.009f * std::sin(10 * 0.0314159f) * 3);
    EXPECT_FLOAT_EQ(f[11], 0.0f);
    EXPECT_FLOAT_EQ(f[19], -0.072f * std::sin(19 * 0.0314159f) * 3);
    // The phase moves on the draw whose old counter value is above 3: the 5th, then every 5th.
    for (int draw = 2; draw <= 10; ++draw) {
        rising.Fill(r, kTailRising, 3);
        EXPECT_NEAR(rising.Phase(), (draw / 5) * 0.5235987f, 1e-5) << "draw " << draw;
    }
}

TEST_F(FishAnimationTest, MouthArraysFollowTheFlag) {
    float a[6], b[7];
    FillMouthArrays(true, 3, a, b);
    for (float v : a)
        EXPECT_EQ(v, 0.0f);
    for (float v : b)
        EXPECT_EQ(v, 0.0f);
    FillMouthArrays(false, 3, a, b);
    EXPECT_FLOAT_EQ(a[0], 3 * 0.0002f * 6);
    EXPECT_FLOAT_EQ(a[5], 3 * 0.0002f * 1);
    EXPECT_FLOAT_EQ(b[0], 3 * 0.0002f * 7);
    EXPECT_FLOAT_EQ(b[6], 3 * 0.0002f * 1);
}

TEST_F(FishAnimationTest, BreathingDrawsOnlyWhenThePeriodIsOver) {
    MouthState mouth;
    mouth.period = 2;
    StepBreathing(mouth);
    StepBreathing(mouth);
    StepBreathing(mouth);
    EXPECT_EQ(mouth.counter, 3);
    EXPECT_EQ(ProcessRandom().State(), 1u) << "no random number before the period is over";

    // Old value 3 > 2: one draw decides (closed: opens on % 5 == 0), one sets the next period.
    RandomGenerator expected(1);
    bool opens = expected.Next() % 5 == 0;
    int period = 20 + expected.Next() % 20;
    StepBreathing(mouth);
    EXPECT_EQ(mouth.closed, !opens);
    EXPECT_EQ(mouth.counter, 0);
    EXPECT_EQ(mouth.period, period);

    // An open mouth shuts when the draw is even.
    mouth.closed = false;
    mouth.counter = mouth.period + 1;
    bool shuts = expected.Next() % 2 == 0;
    period = 20 + expected.Next() % 20;
    StepBreathing(mouth);
    EXPECT_EQ(mouth.closed, shuts);
    EXPECT_EQ(mouth.period, period);
    EXPECT_EQ(ProcessRandom().State(), expected.State());
}

TEST_F(FishAnimationTest, DriftFollowsTheClimbAndStaysInItsLimits) {
    // Replays the two draws per step beside the rule: +0.003 climbing, else -0.003; +0.006 on
    // a first draw % 10 == 0; -0.006 on a second draw % 10 == 1; clamped to +-0.01.
    RandomGenerator expected(1);
    float drift = 0.0f, model = 0.0f;
    int hitTop = 0, hitBottom = 0;
    for (int step = 0; step < 400; ++step) {
        float targetPitch = (step / 50) % 2 == 0 ? 10.0f : -10.0f;
        drift = StepDrift(drift, targetPitch);
        model += targetPitch > 0 ? 0.003f : -0.003f;
        if (expected.Next() % 10 == 0)
            model += 0.006f;
        if (expected.Next() % 10 == 1)
            model -= 0.006f;
        model = std::fmin(0.01f, std::fmax(-0.01f, model));
        ASSERT_FLOAT_EQ(drift, model) << "step " << step;
        hitTop += drift == 0.01f;
        hitBottom += drift == -0.01f;
    }
    EXPECT_GT(hitTop, 0);
    EXPECT_GT(hitBottom, 0);
    // A pitch of exactly 0 counts as not climbing.
    ProcessRandom().SetState(1);
    RandomGenerator quiet(1);
    float d = StepDrift(0.0f, 0.0f);
    float e = -0.003f;
    if (quiet.Next() % 10 == 0)
        e += 0.006f;
    if (quiet.Next() % 10 == 1)
        e -= 0.006f;
    EXPECT_FLOAT_EQ(d, e);
}

}  // namespace
}  // namespace reef
