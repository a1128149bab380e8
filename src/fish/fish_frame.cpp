#include "fish/fish_frame.h"

#include "fish/fish_gl_sink.h"

namespace reef {
namespace {

class NullSink final : public FishGlSink {
public:
    void PushMatrix() override {}
    void PopMatrix() override {}
    void Rotate(float, float, float, float) override {}
    void Scale(float, float, float) override {}
    void Begin(FishPrimitive) override {}
    void End() override {}
    void Normal(float, float, float) override {}
    void TexCoord(float, float) override {}
    void Vertex(const float[3]) override {}
};

}  // namespace

FishGlSink& NullFishSink() {
    static NullSink sink;
    return sink;
}

void DrawTankFish(Fish& fish, int kind, FishGlSink& sink) {
    FishMotionHooks hooks(fish);
    DrawFish(fish, kind, hooks, sink);
}

void SimulateFrame(FishTank& tank, const SlotAssignment& slots) {
    RunFishPass(tank, slots,
                [](Fish& fish, int kind) { DrawTankFish(fish, kind, NullFishSink()); });
}

}  // namespace reef
