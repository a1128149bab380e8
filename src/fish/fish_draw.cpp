#include "fish/fish_draw.h"

#include <cmath>

#include "fish/fish_gl_sink.h"
#include "fish/fish_kinds.h"
#include "fish/fish_model.h"

namespace reef {
namespace {

// Rings followed by whole parts.
constexpr int kHeadRing = 0;
constexpr int kPectoralRing = 4;
constexpr int kPelvicRing = 8;
constexpr int kDorsalFirstRing = 10;
constexpr int kAnalRing = 15;
constexpr int kTailRing = 18;

// A world-unit displacement of one point.
struct Shift {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Factors on the stored model coordinates of a part.
struct Stretch {
    float x = 1.0f;       // length
    float z = 1.0f;       // second axis
    float outerY = 1.0f;  // y of line 1 only (the pectoral fins' reach)
};

struct PartDraw {
    FishPart part;
    int halves;
    bool asLines;
    Stretch stretch;
};

void EmitVertex(const FishPose& pose, FishGlSink& sink, const float position[3],
                const FishModelPoint& point) {
    const float* m = pose.ringRotation;
    float out[3];
    for (int i = 0; i < 3; ++i) {
        out[i] = m[i] * position[0] + m[4 + i] * position[1] + m[8 + i] * position[2] + m[12 + i];
    }
    sink.Normal(point.normal[0], point.normal[1], point.normal[2]);
    sink.TexCoord(point.texCoord[0], point.texCoord[1]);
    sink.Vertex(out);
}

// Emits a part's strips, point by point (line k, then line k + 1), once per half. The second
// half mirrors the first: y becomes (shift - y), so both halves move the same way.
template <class RingOf, class ShiftOf>
void EmitPart(FishPose& pose, FishGlSink& sink, const float ringYaw[20], const PartDraw& draw,
              RingOf ringOf, ShiftOf shiftOf) {
    const FishModelPart& part = GetFishModelPart(draw.part);
    const float size = static_cast<float>(pose.size);
    for (int half = 0; half < draw.halves; ++half) {
        for (int strip = 0; strip + 1 < part.lines; ++strip) {
            sink.Begin(draw.asLines ? FishPrimitive::kLines : FishPrimitive::kQuadStrip);
            for (int p = 0; p < part.points; ++p) {
                SetRingRotation(pose, ringYaw[ringOf(p)]);
                for (int line = strip; line <= strip + 1; ++line) {
                    const FishModelPoint& point = part.At(line, p);
                    const Shift shift = shiftOf(line, p);
                    float y = size * point.position[1] * (line == 1 ? draw.stretch.outerY : 1.0f);
                    float position[3] = {
                        size * point.position[0] * draw.stretch.x + shift.x,
                        half == 0 ? y + shift.y : shift.y - y,
                        size * point.position[2] * draw.stretch.z + shift.z,
                    };
                    EmitVertex(pose, sink, position, point);
                }
            }
            sink.End();
        }
    }
}

}  // namespace

void SetRingRotation(FishPose& pose, float degrees) {
    if (degrees == pose.ringRotationDegrees) {
        return;
    }
    // glRotatef(degrees, 0, 0, 1): the axis is already of unit length.
    const float a = degrees * kDegToRad;
    const float c = std::cos(a);
    const float s = std::sin(a);
    float* m = pose.ringRotation;
    m[0] = c, m[1] = s, m[2] = 0, m[3] = 0;
    m[4] = -s, m[5] = c, m[6] = 0, m[7] = 0;
    m[8] = 0, m[9] = 0, m[10] = 1, m[11] = 0;
    m[12] = 0, m[13] = 0, m[14] = 0, m[15] = 1;
    pose.ringRotationDegrees = degrees;
}

void EasePitch(FishPose& pose) {
    // Both tests run, so a pitch that steps past the target is taken back the same draw.
    if (pose.pitch < pose.targetPitch) {
        pose.pitch += 1.0f;
    }
    if (pose.pitch > pose.targetPitch) {
        pose.pitch -= 1.0f;
    }
}

void FillFishArrays(FishPose& pose, FishDrawHooks& hooks, FishFrameArrays& arrays) {
    const int size = pose.size;
    FillMouthArrays(pose.mouth.closed, size, arrays.mouthA, arrays.mouthB);
    StepBreathing(pose.mouth);
    hooks.BendBody(arrays.ringYaw);
    FishWaves& waves = pose.waves;
    waves.tail.Fill(arrays.bodyWave, pose.tailStyle, size);
    waves.w1.Fill(arrays.w1, 4, size);
    waves.w2.Fill(arrays.w2, 23, size);
    waves.w3.Fill(arrays.w3, 9, size);
    waves.w4.Fill(arrays.w4, 12, size);
    waves.w5.Fill(arrays.w5, 31, size);
    waves.drift = StepDrift(waves.drift, pose.targetPitch);
    arrays.drift = waves.drift;
}

void DrawFishParts(FishPose& pose, const FishFrameArrays& a, FishGlSink& sink) {
    const FishKind& kind = GetFishKind(pose.kind);
    const int size = pose.size;
    const float* yaw = a.ringYaw;
    auto fixedRing = [](int ring) { return [ring](int) { return ring; }; };

    // Trunk: each point on its own ring, swinging sideways with the body wave.
    EmitPart(
        pose, sink, yaw, {FishPart::kTrunk, 2, false, {}}, [](int p) { return p; },
        [&](int, int p) {
            return Shift{0, a.bodyWave[p], 0};
        });
    // Jaws: the lower one drops and the front of the upper one lifts as the mouth opens.
    EmitPart(pose, sink, yaw, {FishPart::kLowerJaw, 2, false, {}}, fixedRing(kHeadRing),
             [&](int, int p) {
                 return Shift{0, 0, -a.mouthB[p]};
             });
    EmitPart(pose, sink, yaw, {FishPart::kUpperJaw, 2, false, {}}, fixedRing(kHeadRing),
             [&](int, int p) {
                 return Shift{0, 0, p < 4 ? a.mouthA[p] : 0.0f};
             });

    const FinVariation& front = kind.frontDorsal;
    const int* frontRings = FrontDorsalRings();
    EmitPart(
        pose, sink, yaw, {FishPart::kFrontDorsal, 1, front.asLines, {front.length, 1, 1}},
        [frontRings](int p) { return frontRings[p]; },
        [&](int, int p) {
            return Shift{front.OffsetAt(p, size), a.w1[p], 0};
        });

    const FinVariation& anal = kind.anal;
    EmitPart(pose, sink, yaw,
             {FishPart::kAnalFin, 1, anal.asLines, {anal.length, anal.secondAxis, 1}},
             fixedRing(kAnalRing), [&](int, int p) {
                 return Shift{0, 0, -anal.OffsetAt(p, size)};
             });

    // Pectoral fins sway with the body at their ring; their free edge flaps up and down.
    const float pectoralSway = a.bodyWave[kPectoralRing];
    EmitPart(pose, sink, yaw, {FishPart::kPectoralFin, 2, false, {1, 1, kind.pectoral.length}},
             fixedRing(kPectoralRing), [&](int line, int p) {
                 return Shift{0, pectoralSway, line == 1 ? a.w2[p] : 0.0f};
             });

    // Pelvic fins droop (move down) by their wave or the kind's offset.
    const FinVariation& pelvic = kind.pelvic;
    EmitPart(pose, sink, yaw,
             {FishPart::kPelvicFin, 2, pelvic.asLines, {pelvic.length, pelvic.secondAxis, 1}},
             fixedRing(kPelvicRing), [&](int, int p) {
                 return Shift{0, 0, -(pelvic.HasOffset() ? pelvic.OffsetAt(p, size) : a.w3[p])};
             });

    // Dorsal fin: two points per ring, rings 10 to 15; raised or lowered by its wave or offset.
    const FinVariation& dorsal = kind.dorsal;
    EmitPart(
        pose, sink, yaw,
        {FishPart::kDorsalFin, 1, dorsal.asLines, {dorsal.length, dorsal.secondAxis, 1}},
        [](int p) { return kDorsalFirstRing + p / 2; },
        [&](int, int p) {
            return Shift{0, 0, dorsal.HasOffset() ? dorsal.OffsetAt(p, size) : a.w4[p]};
        });

    // Tail fin: its edge ripples along the body axis.
    const FinVariation& tail = kind.tail;
    EmitPart(pose, sink, yaw,
             {FishPart::kTailFin, 1, tail.asLines, {tail.length, tail.secondAxis, 1}},
             fixedRing(kTailRing), [&](int, int p) {
                 return Shift{tail.HasOffset() ? tail.OffsetAt(p, size) : a.w5[p], 0, 0};
             });

    // Gill covers rise and sink a little with the climb.
    EmitPart(pose, sink, yaw, {FishPart::kGillCover, 2, false, {}}, fixedRing(kHeadRing),
             [&](int, int) {
                 return Shift{0, 0, a.drift};
             });
}

void DrawFish(FishPose& pose, int kind, FishDrawHooks& hooks, FishGlSink& sink) {
    pose.kind = kind;
    FishFrameArrays arrays;
    FillFishArrays(pose, hooks, arrays);

    sink.PushMatrix();
    // Model z becomes the world's up axis and model y the depth.
    sink.Rotate(-90.0f, 1.0f, 0.0f, 0.0f);
    EasePitch(pose);
    // Tilt the nose about the horizontal axis across the fish.
    const float h = pose.heading * kDegToRad;
    sink.Rotate(-pose.pitch, std::sin(h), -std::cos(h), 0.0f);
    hooks.BehaviourStep();
    const FishKind& table = GetFishKind(kind);
    sink.Scale(table.scale[0], table.scale[1], table.scale[2]);
    if (pose.drawable) {
        DrawFishParts(pose, arrays, sink);
    }
    hooks.MoveStep();
    sink.PopMatrix();
}

}  // namespace reef
