#pragma once

#include <cstdint>

#include "fish/fish.h"
#include "platform/random.h"
#include "view/screen_tables.h"

namespace reef::test {

// Puts the process generator at a known state for one test and restores it afterwards. The
// predictor starts at the same state, so a test can work out which numbers the rules draw.
class ScopedRandomState {
public:
    explicit ScopedRandomState(std::uint32_t state)
        : m_saved(ProcessRandom().State()), predictor(state) {
        ProcessRandom().SetState(state);
    }
    ~ScopedRandomState() { ProcessRandom().SetState(m_saved); }
    ScopedRandomState(const ScopedRandomState&) = delete;
    ScopedRandomState& operator=(const ScopedRandomState&) = delete;

    // True when the rules drew exactly the numbers the predictor has drawn.
    bool InStep() const { return ProcessRandom().State() == predictor.State(); }

private:
    std::uint32_t m_saved;

public:
    RandomGenerator predictor;
};

// The tank of a 1680 x 1050 screen: walls x -54..54, top 31, bottom -16, front -41, back -82.
inline TankBox WideTank() {
    TankBox box;
    box.minX = -54.0f;
    box.maxX = 54.0f;
    box.maxY = 21.0f;
    box.minY = -21.0f;
    box.minZ = -50.0f;
    box.maxZ = 0.0f;
    return box;
}

// A fish inside the wide tank, settled on heading (target equal), with its direction flags and
// bounding points up to date.
inline Fish SettledFish(Vec3 at, float heading, float targetPitch = 0.0f) {
    Fish fish;
    fish.SetTankBounds(WideTank());
    fish.position = at;
    fish.heading = heading;
    fish.targetHeading = heading;
    fish.turnFrom = heading;
    fish.targetPitch = targetPitch;
    fish.UpdateDirection();
    fish.UpdateBoundingPoints();
    return fish;
}

}  // namespace reef::test
