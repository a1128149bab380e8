#pragma once

namespace reef {

// The waves that animate one fish. Every generator advances once per draw of its fish; values
// are world units (the model's units times the fish size).

// A travelling sine along a fin: value i = sin(i * spatialStep + phase) * size * amplitude.
// The phase moves by phaseStep on every draw at which the draw counter's old value was above
// kCounterLimit (the counter then restarts at 0), and starts again at 0 once it passes 2 pi.
//
// The test is on the old value, as for every draw counter of a fish (the tail wave's and the
// breathing's too), so the counter runs 0 to kCounterLimit + 1 and the phase moves on every
// 7th draw. That is the fins' pace; reading the limit 5 as "every 6th draw" is off by one.
class FinWave {
public:
    static constexpr int kCounterLimit = 5;

    constexpr FinWave(float amplitude, float spatialStep, float phaseStep)
        : m_amplitude(amplitude), m_spatialStep(spatialStep), m_phaseStep(phaseStep) {}

    // Fills out[0..count) with this draw's values, then counts the draw.
    void Fill(float* out, int count, int size);

    float Phase() const { return m_phase; }
    int Counter() const { return m_counter; }

private:
    float m_amplitude;
    float m_spatialStep;
    float m_phaseStep;
    float m_phase = 0.0f;
    int m_counter = 0;
};

// Tail styles, chosen by the fish's behaviour.
constexpr int kTailFalling = 0;
constexpr int kTailRising = 1;

// The body wave: rings 0 to 9 stay still, rings 10 to 19 swing sideways with an amplitude
// that grows toward the tail (rising style) or shrinks through zero (falling style). Its phase
// moves like a fin's: on the draw whose old counter value is above kCounterLimit, every 5th.
class TailWave {
public:
    static constexpr int kRings = 20;
    static constexpr int kCounterLimit = 3;

    // Fills out[0..20) with this draw's values, then counts the draw.
    void Fill(float out[kRings], int tailStyle, int size);

    float Phase() const { return m_phase; }

private:
    float m_phase = 0.0f;
    int m_counter = 0;
};

// Mouth opening, world units added to the jaws' height: value i = size * 0.0002 * (6 - i) for
// jaw A (6 values) and size * 0.0002 * (7 - i) for jaw B (7 values); all 0 while closed.
void FillMouthArrays(bool mouthClosed, int size, float a[6], float b[7]);

// Breathing: the mouth opens or shuts now and then, at random.
struct MouthState {
    bool closed = true;
    int period = 15;  // draws between two chances to change; the fish starts it at 15 + Rand() % 20
    int counter = 0;
};

// Counts one draw. Once more than `period` draws have passed: a closed mouth opens with chance
// 1/5, an open one shuts with chance 1/2, and the next period is 20 + Rand() % 20 draws.
void StepBreathing(MouthState& mouth);

// The gill-cover drift (world units, within +-0.01): leans with the climb (+0.003 a draw while
// the target pitch is above 0, else -0.003) and jitters by +-0.006 at random. Two Rand() draws.
float StepDrift(float drift, float targetPitch);

// All wave generators of one fish, in their start state.
struct FishWaves {
    static constexpr float kPi = 3.14159265f;

    TailWave tail;
    FinWave w1{0.03f, kPi / 5, kPi / 8};     // small front fin, 4 points
    FinWave w2{0.05f, kPi / 24, kPi / 8};    // pectoral fins, 23 points
    FinWave w3{0.005f, kPi / 100, kPi / 6};  // pelvic fins, 9 points
    FinWave w4{0.005f, kPi / 10, kPi / 6};   // dorsal fin, 12 points
    FinWave w5{0.005f, kPi / 20, kPi / 6};   // tail fin, 31 points
    float drift = 0.0f;
};

// One draw's animation values. Filled anew on every draw.
struct FishFrameArrays {
    float bodyWave[20];
    float ringYaw[20];  // degrees about the model's z axis, from the body bend
    float mouthA[6];
    float mouthB[7];
    float w1[4];
    float w2[23];
    float w3[9];
    float w4[12];
    float w5[31];
    float drift;
};

}  // namespace reef
