#include "fish/fish_animation.h"

#include <algorithm>
#include <cmath>

#include "platform/random.h"

namespace reef {
namespace {

// The phase restarts at 0 (rather than wrapping) once it passes 2 pi.
constexpr float kPhaseLimit = 6.283185f;

// Counts one draw; true when this draw advances the phase.
bool CountDraw(int& counter, int limit) {
    if (counter++ > limit) {
        counter = 0;
        return true;
    }
    return false;
}

void AdvancePhase(float& phase, float step) {
    phase += step;
    if (phase > kPhaseLimit) {
        phase = 0.0f;
    }
}

}  // namespace

void FinWave::Fill(float* out, int count, int size) {
    for (int i = 0; i < count; ++i) {
        out[i] = std::sin(i * m_spatialStep + m_phase) * size * m_amplitude;
    }
    if (CountDraw(m_counter, kCounterLimit)) {
        AdvancePhase(m_phase, m_phaseStep);
    }
}

void TailWave::Fill(float out[kRings], int tailStyle, int size) {
    constexpr float kSpatialStep = 0.0314159f;
    constexpr float kPhaseStep = 0.5235987f;
    constexpr float kGrowth = 0.009f;
    for (int i = 0; i < kRings / 2; ++i) {
        out[i] = 0.0f;
    }
    for (int i = kRings / 2; i < kRings; ++i) {
        // Rising: 0.009 at ring 10 up to 0.09 at ring 19. Falling: 0.009 at ring 10, 0 at ring
        // 11, then negative, so the tail swings against the middle of the body.
        float f = tailStyle == kTailRising ? (i - 10 + 1) * kGrowth : (20 - 10 - i + 1) * kGrowth;
        out[i] = f * std::sin(i * kSpatialStep + m_phase) * size;
    }
    if (CountDraw(m_counter, kCounterLimit)) {
        AdvancePhase(m_phase, kPhaseStep);
    }
}

void FillMouthArrays(bool mouthClosed, int size, float a[6], float b[7]) {
    constexpr float kOpening = 0.0002f;
    for (int i = 0; i < 6; ++i) {
        a[i] = mouthClosed ? 0.0f : size * kOpening * (6 - i);
    }
    for (int i = 0; i < 7; ++i) {
        b[i] = mouthClosed ? 0.0f : size * kOpening * (7 - i);
    }
}

void StepBreathing(MouthState& mouth) {
    if (mouth.counter++ > mouth.period) {
        if (mouth.closed) {
            if (Rand() % 5 == 0) {
                mouth.closed = false;
            }
        } else if (Rand() % 2 == 0) {
            mouth.closed = true;
        }
        mouth.counter = 0;
        mouth.period = 20 + Rand() % 20;
    }
}

float StepDrift(float drift, float targetPitch) {
    constexpr float kStep = 0.003f;
    constexpr float kJitter = 0.006f;
    constexpr float kLimit = 0.01f;
    drift += targetPitch > 0.0f ? kStep : -kStep;
    if (Rand() % 10 == 0) {
        drift += kJitter;
    }
    if (Rand() % 10 == 1) {
        drift -= kJitter;
    }
    return std::clamp(drift, -kLimit, kLimit);
}

}  // namespace reef
