#include <gtest/gtest.h>

#include "fish/fish_frame.h"
#include "fish/fish_gl_sink.h"
#include "unit/fish_test_support.h"

namespace reef {
namespace {

using test::ScopedRandomState;

// Counts the strips a draw emits, to see whether the parts were drawn.
class StripCounter final : public FishGlSink {
public:
    int strips = 0;
    void PushMatrix() override {}
    void PopMatrix() override {}
    void Rotate(float, float, float, float) override {}
    void Scale(float, float, float) override {}
    void Begin(FishPrimitive) override { ++strips; }
    void End() override {}
    void Normal(float, float, float) override {}
    void TexCoord(float, float) override {}
    void Vertex(const float[3]) override {}
};

// A tank fish's draw runs its own rules at the draw's points: the quick bend turns the heading
// before the behaviour decides, and the head-fin drift draws its two numbers before the
// behaviour's, then the move carries the fish along its heading.
TEST(FishTankDraw, RunsTheFishsOwnRulesInTheDrawsOrder) {
    Fish fish = test::SettledFish({0, 0, -50}, 0);
    fish.targetHeading = 30;
    fish.turnStyle = 1;           // quick: 3 degrees a step for a target of 10 or more
    fish.turnCounter = 2;         // the heading steps on this draw
    fish.behaviourCounter = 201;  // and the wander decision is due
    ScopedRandomState random(5);
    StripCounter sink;
    DrawTankFish(fish, 7, sink);

    RandomGenerator& p = random.predictor;
    p.Next();  // drift: two numbers
    p.Next();
    EXPECT_EQ(fish.behaviourCounter, p.Next() % 100);
    p.Next();  // speed target
    EXPECT_EQ(fish.turnStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_EQ(fish.tailStyle, p.Next() % 5 == 0 ? 1 : 0);
    EXPECT_TRUE(random.InStep());  // still turning, so no new heading or pitch was drawn

    EXPECT_EQ(fish.kind, 7);
    EXPECT_FLOAT_EQ(fish.heading, 3.0f);
    EXPECT_LT(fish.position.x, 0.0f);  // heading 3 swims toward -x
    EXPECT_GT(fish.position.z, -50.0f);
    EXPECT_GT(sink.strips, 0);
}

}  // namespace
}  // namespace reef
