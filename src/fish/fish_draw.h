#pragma once

#include "fish/fish_animation.h"

namespace reef {

class FishGlSink;

// Degrees to radians, as the fish's angles are converted everywhere.
constexpr float kDegToRad = 0.017453292f;

// What drawing a fish reads and changes of the fish's record. Angles in degrees.
struct FishPose {
    bool drawable = true;  // the parts are drawn only while set
    int size = 3;          // model scale: model units times size gives world units
    int kind = 0;          // 0..14, stored by DrawFish
    float heading = 0.0f;
    float pitch = 0.0f;        // drawn pitch, eased toward the target by 1 a draw
    float targetPitch = 0.0f;  // kept in [-45, 45] by the motion rules
    int tailStyle = kTailFalling;
    MouthState mouth;
    FishWaves waves;
    // The rotation about the model z axis applied to the vertex being emitted, a column-major
    // 4x4 matrix as glRotatef builds it, and the angle it was last built for.
    float ringRotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float ringRotationDegrees = 0.0f;
};

// The motion rules that a draw runs at fixed points. All act on the fish whose pose is drawn.
class FishDrawHooks {
public:
    virtual ~FishDrawHooks() = default;
    // The body bend toward the target heading (quick rule for a quick turner, else the smooth
    // one): writes the 20 ring yaws in degrees and may move the heading.
    virtual void BendBody(float ringYaw[20]) = 0;
    // The wander or follow step.
    virtual void BehaviourStep() = 0;
    // One move and the new bounding points.
    virtual void MoveStep() = 0;
};

// Draws one fish of the given kind (0..14) and runs its motion for this frame. The model-view
// matrix must already stand at the fish's position and the kind's skin be bound.
void DrawFish(FishPose& pose, int kind, FishDrawHooks& hooks, FishGlSink& sink);

// The steps of DrawFish, for tests and tools.

// Fills this draw's animation arrays and advances the generators: mouth, breathing, body bend,
// body wave, fin waves W1..W5, drift.
void FillFishArrays(FishPose& pose, FishDrawHooks& hooks, FishFrameArrays& arrays);

// Emits the ten parts in drawing order (trunk, lower jaw, upper jaw, small front fin, anal,
// pectoral, pelvic, dorsal, tail, gill covers) for the pose's kind.
void DrawFishParts(FishPose& pose, const FishFrameArrays& arrays, FishGlSink& sink);

// Eases the drawn pitch one degree toward the target pitch.
void EasePitch(FishPose& pose);

// Sets pose.ringRotation to a rotation of `degrees` about the model z axis.
void SetRingRotation(FishPose& pose, float degrees);

}  // namespace reef
