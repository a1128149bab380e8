#include <gtest/gtest.h>
#include <array>

#include <cmath>
#include <string>
#include <vector>

#include "fish/fish_draw.h"
#include "fish/fish_gl_sink.h"
#include "fish/fish_kinds.h"
#include "fish/fish_model.h"
#include "platform/random.h"

namespace reef {
namespace {

// Writes down every call a draw makes, hooks included, in order.
class Recorder : public FishGlSink, public FishDrawHooks {
public:
    struct Strip {
        FishPrimitive primitive;
        std::vector<std::array<float, 3>> vertices;
    };

    std::vector<std::string> calls;  // every call's name, vertex data left out
    std::vector<Strip> strips;
    float scale[3] = {0, 0, 0};
    float pitchAxis[4] = {0, 0, 0, 0};
    float yaw = 0.0f;  // written to every ring by BendBody

    void PushMatrix() override { calls.push_back("push"); }
    void PopMatrix() override { calls.push_back("pop"); }
    void Rotate(float degrees, float x, float y, float z) override {
        calls.push_back("rotate");
        if (x != 1.0f) {
            pitchAxis[0] = degrees, pitchAxis[1] = x, pitchAxis[2] = y, pitchAxis[3] = z;
        }
    }
    void Scale(float x, float y, float z) override {
        calls.push_back("scale");
        scale[0] = x, scale[1] = y, scale[2] = z;
    }
    void Begin(FishPrimitive primitive) override {
        if (calls.empty() || calls.back() != "parts") {
            calls.push_back("parts");
        }
        strips.push_back({primitive, {}});
        m_expect = kNormal;
    }
    void End() override {}
    void Normal(float, float, float) override { Expect(kNormal, kTexCoord); }
    void TexCoord(float, float) override { Expect(kTexCoord, kVertex); }
    void Vertex(const float p[3]) override {
        Expect(kVertex, kNormal);
        strips.back().vertices.push_back({p[0], p[1], p[2]});
    }

    void BendBody(float ringYaw[20]) override {
        calls.push_back("bend");
        for (int i = 0; i < 20; ++i) {
            ringYaw[i] = yaw;
        }
    }
    void BehaviourStep() override { calls.push_back("behaviour"); }
    void MoveStep() override { calls.push_back("move"); }

private:
    enum Step { kNormal, kTexCoord, kVertex };
    void Expect(Step now, Step next) {
        EXPECT_EQ(m_expect, now) << "normal, texture coordinate and vertex out of order";
        m_expect = next;
    }
    Step m_expect = kNormal;
};

// Strips of each part in drawing order: (strips per half x halves, vertices per strip).
struct PartStrips {
    FishPart part;
    int strips;
    int vertices;
};
const PartStrips kDrawOrder[] = {
    {FishPart::kTrunk, 10, 40},     {FishPart::kLowerJaw, 6, 14},  {FishPart::kUpperJaw, 4, 14},
    {FishPart::kFrontDorsal, 1, 8}, {FishPart::kAnalFin, 1, 20},   {FishPart::kPectoralFin, 2, 46},
    {FishPart::kPelvicFin, 2, 18},  {FishPart::kDorsalFin, 1, 24}, {FishPart::kTailFin, 1, 62},
    {FishPart::kGillCover, 4, 14},
};

// The first strip index of each part.
int FirstStrip(FishPart part) {
    int index = 0;
    for (const PartStrips& p : kDrawOrder) {
        if (p.part == part) {
            return index;
        }
        index += p.strips;
    }
    return -1;
}

class FishDrawTest : public ::testing::Test {
protected:
    void SetUp() override { ProcessRandom().SetState(1); }

    // Frame arrays with no motion: rings at 0, waves 0, mouth shut.
    static FishFrameArrays StillArrays() {
        FishFrameArrays a{};
        return a;
    }
};

TEST_F(FishDrawTest, DrawRunsItsStepsInOrder) {
    Recorder rec;
    FishPose pose;
    pose.heading = 30.0f;
    pose.targetPitch = 5.0f;
    DrawFish(pose, 4, rec, rec);
    const std::vector<std::string> expected = {"bend",  "push",  "rotate", "rotate", "behaviour",
                                               "scale", "parts", "move",   "pop"};
    EXPECT_EQ(rec.calls, expected);
    EXPECT_EQ(pose.kind, 4);
    // The drawn pitch eases by 1 toward the target and tilts the nose about the cross axis.
    EXPECT_EQ(pose.pitch, 1.0f);
    const float h = 30.0f * 0.017453292f;
    EXPECT_FLOAT_EQ(rec.pitchAxis[0], -1.0f);
    EXPECT_FLOAT_EQ(rec.pitchAxis[1], std::sin(h));
    EXPECT_FLOAT_EQ(rec.pitchAxis[2], -std::cos(h));
    EXPECT_FLOAT_EQ(rec.pitchAxis[3], 0.0f);
    EXPECT_FLOAT_EQ(rec.scale[0], 1.0f);
    EXPECT_FLOAT_EQ(rec.scale[1], 0.6f);
    EXPECT_FLOAT_EQ(rec.scale[2], 0.6f);

    // Eases downward too, and never past the target.
    pose.targetPitch = 0.5f;
    DrawFish(pose, 4, rec, rec);
    EXPECT_EQ(pose.pitch, 0.0f);
}

TEST_F(FishDrawTest, AHiddenFishStillMoves) {
    Recorder rec;
    FishPose pose;
    pose.drawable = false;
    DrawFish(pose, 0, rec, rec);
    EXPECT_TRUE(rec.strips.empty());
    EXPECT_EQ(rec.calls.back(), "pop");
    EXPECT_EQ(rec.calls[rec.calls.size() - 2], "move");
}

TEST_F(FishDrawTest, PartsComeInOrderWithTheirStripsAndPrimitives) {
    // Kind 12 draws the small front fin, anal, dorsal and tail fins as lines; kind 13 only the
    // tail fin; every other part of every kind is quad strips.
    for (int kind = 0; kind < kFishKindCount; ++kind) {
        Recorder rec;
        FishPose pose;
        pose.kind = kind;
        DrawFishParts(pose, StillArrays(), rec);
        size_t s = 0;
        for (const PartStrips& part : kDrawOrder) {
            bool lines = (kind == 12 &&
                          (part.part == FishPart::kFrontDorsal || part.part == FishPart::kAnalFin ||
                           part.part == FishPart::kDorsalFin || part.part == FishPart::kTailFin)) ||
                         (kind == 13 && part.part == FishPart::kTailFin);
            for (int i = 0; i < part.strips; ++i, ++s) {
                ASSERT_LT(s, rec.strips.size());
                EXPECT_EQ(rec.strips[s].vertices.size(), static_cast<size_t>(part.vertices))
                    << "kind " << kind << " part " << static_cast<int>(part.part);
                EXPECT_EQ(rec.strips[s].primitive,
                          lines ? FishPrimitive::kLines : FishPrimitive::kQuadStrip)
                    << "kind " << kind << " part " << static_cast<int>(part.part);
            }
        }
        EXPECT_EQ(s, rec.strips.size());
    }
}

TEST_F(FishDrawTest, StripsJoinNeighbouringLinesPointByPointAtFishSize) {
    Recorder rec;
    FishPose pose;
    DrawFishParts(pose, StillArrays(), rec);
    const FishModelPart& trunk = GetFishModelPart(FishPart::kTrunk);
    // Strip 2 of the first half: line 2, line 3, line 2, line 3, ... each point times 3.
    const auto& strip = rec.strips[2].vertices;
    for (int p = 0; p < 20; ++p) {
        for (int k = 0; k < 2; ++k) {
            const float* model = trunk.At(2 + k, p).position;
            for (int a = 0; a < 3; ++a) {
                EXPECT_FLOAT_EQ(strip[2 * p + k][a], 3 * model[a]);
            }
        }
    }
}

TEST_F(FishDrawTest, MirroredHalvesBendWithTheSameWave) {
    Recorder rec;
    FishPose pose;
    FishFrameArrays a = StillArrays();
    for (int i = 0; i < 20; ++i) {
        a.bodyWave[i] = 0.01f * i;
    }
    DrawFishParts(pose, a, rec);
    // Trunk strip k of the mirrored half is strip 5 + k: same x and z, y becomes wave - y.
    for (int k = 0; k < 5; ++k) {
        const auto& first = rec.strips[k].vertices;
        const auto& second = rec.strips[5 + k].vertices;
        for (size_t v = 0; v < first.size(); ++v) {
            float wave = a.bodyWave[v / 2];
            EXPECT_FLOAT_EQ(first[v][0], second[v][0]);
            EXPECT_NEAR(first[v][1] + second[v][1], 2 * wave, 1e-6);
            EXPECT_FLOAT_EQ(first[v][2], second[v][2]);
        }
    }
    // The pectoral fins sway with ring 4's wave in both halves.
    const int pectoral = FirstStrip(FishPart::kPectoralFin);
    const FishModelPart& fin = GetFishModelPart(FishPart::kPectoralFin);
    EXPECT_NEAR(rec.strips[pectoral].vertices[0][1], 3 * fin.At(0, 0).position[1] + 0.04f, 1e-6);
    EXPECT_NEAR(rec.strips[pectoral + 1].vertices[0][1], 0.04f - 3 * fin.At(0, 0).position[1],
                1e-6);
}

TEST_F(FishDrawTest, RingYawTurnsPointsAboutTheModelZAxis) {
    Recorder rec;
    FishPose pose;
    FishFrameArrays a = StillArrays();
    for (float& yaw : a.ringYaw) {
        yaw = 90.0f;
    }
    DrawFishParts(pose, a, rec);
    const float* model = GetFishModelPart(FishPart::kTrunk).At(0, 7).position;
    const auto& v = rec.strips[0].vertices[14];
    // glRotatef(90, 0, 0, 1) takes (x, y) to (-y, x).
    EXPECT_NEAR(v[0], -3 * model[1], 1e-5);
    EXPECT_NEAR(v[1], 3 * model[0], 1e-5);
    EXPECT_NEAR(v[2], 3 * model[2], 1e-5);
}

TEST_F(FishDrawTest, FinVariationsStretchAndOffsetTheirFins) {
    FishFrameArrays a = StillArrays();
    for (float& w : a.w5) {
        w = 0.5f;  // a wave no kind's offset could be mistaken for
    }
    for (float& w : a.w3) {
        w = 0.5f;
    }
    auto draw = [&](int kind) {
        Recorder rec;
        FishPose pose;
        pose.kind = kind;
        DrawFishParts(pose, a, rec);
        return rec.strips;
    };
    const FishModelPart& tail = GetFishModelPart(FishPart::kTailFin);
    const FishModelPart& front = GetFishModelPart(FishPart::kFrontDorsal);
    const FishModelPart& pelvic = GetFishModelPart(FishPart::kPelvicFin);
    const int tailStrip = FirstStrip(FishPart::kTailFin);
    const int frontStrip = FirstStrip(FishPart::kFrontDorsal);
    const int pelvicStrip = FirstStrip(FishPart::kPelvicFin);

    // Kind 0: the tail fin waves along x.
    auto plain = draw(0);
    EXPECT_FLOAT_EQ(plain[tailStrip].vertices[20][0], 3 * tail.At(0, 10).position[0] + 0.5f);
    // Kind 1: the small front fin twice as long; the tail's edge pulled in by size * n * 0.005
    // in place of its wave (n = 10 at point 10, 1 at point 30).
    auto forked = draw(1);
    EXPECT_FLOAT_EQ(forked[frontStrip].vertices[2][0], 2 * 3 * front.At(0, 1).position[0]);
    EXPECT_FLOAT_EQ(forked[tailStrip].vertices[20][0],
                    3 * tail.At(0, 10).position[0] - 3 * 10 * 0.005f);
    EXPECT_FLOAT_EQ(forked[tailStrip].vertices[61][0],
                    3 * tail.At(1, 30).position[0] - 3 * 1 * 0.005f);
    // Kind 13: tail 1.5 times as long and twice as high, still waving.
    auto long13 = draw(13);
    EXPECT_FLOAT_EQ(long13[tailStrip].vertices[21][0],
                    1.5f * 3 * tail.At(1, 10).position[0] + 0.5f);
    EXPECT_FLOAT_EQ(long13[tailStrip].vertices[21][2], 2.0f * 3 * tail.At(1, 10).position[2]);
    // Kind 10: pelvic fins 1.8 times as long, drooping by size * point * 0.01 instead of waving.
    auto drooping = draw(10);
    EXPECT_FLOAT_EQ(drooping[pelvicStrip].vertices[8][0], 1.8f * 3 * pelvic.At(0, 4).position[0]);
    EXPECT_FLOAT_EQ(drooping[pelvicStrip].vertices[8][2],
                    3 * pelvic.At(0, 4).position[2] - 3 * 4 * 0.01f);
    EXPECT_FLOAT_EQ(plain[pelvicStrip].vertices[8][2], 3 * pelvic.At(0, 4).position[2] - 0.5f);
}

TEST_F(FishDrawTest, KindOffsetRules) {
    // Tail spread: n rises 0..14 over points 0..14 and falls 16..1 over points 15..30.
    const FinVariation& k14 = GetFishKind(14).tail;
    EXPECT_FLOAT_EQ(k14.OffsetAt(14, 3), 3 * 14 * 0.004f);
    EXPECT_FLOAT_EQ(k14.OffsetAt(15, 3), 3 * 16 * 0.004f);
    EXPECT_FLOAT_EQ(k14.OffsetAt(30, 3), 3 * 1 * 0.004f);
    // Jagged: (point % 3) * 0.1, not scaled with the size.
    EXPECT_FLOAT_EQ(GetFishKind(6).tail.OffsetAt(5, 3), 0.2f);
    // Dorsal lowered toward the front: -size * (12 - point) * 0.005.
    EXPECT_FLOAT_EQ(GetFishKind(4).dorsal.OffsetAt(0, 3), -3 * 12 * 0.005f);
    EXPECT_FLOAT_EQ(GetFishKind(11).dorsal.OffsetAt(11, 3), -3 * 1 * 0.01f);
}

TEST_F(FishDrawTest, ArraysAreFilledInOrderAndAdvanceTheGenerators) {
    Recorder rec;
    rec.yaw = 12.0f;
    FishPose pose;
    pose.mouth.closed = false;
    pose.mouth.counter = 100;  // over its period: breathing draws two numbers first
    pose.targetPitch = 3.0f;
    FishFrameArrays a;
    FillFishArrays(pose, rec, a);
    EXPECT_FLOAT_EQ(a.mouthA[0], 3 * 0.0002f * 6);  // filled before breathing runs
    EXPECT_EQ(a.ringYaw[19], 12.0f);
    EXPECT_EQ(pose.mouth.counter, 0);
    // Then the drift's two draws.
    RandomGenerator expected(1);
    expected.Next();
    expected.Next();
    float drift = 0.003f;
    if (expected.Next() % 10 == 0)
        drift += 0.006f;
    if (expected.Next() % 10 == 1)
        drift -= 0.006f;
    EXPECT_FLOAT_EQ(a.drift, std::fmin(0.01f, std::fmax(-0.01f, drift)));
    EXPECT_EQ(ProcessRandom().State(), expected.State());
    EXPECT_EQ(pose.waves.w1.Counter(), 1);
}

}  // namespace
}  // namespace reef
