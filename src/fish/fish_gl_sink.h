#pragma once

namespace reef {

enum class FishPrimitive { kQuadStrip, kLines };

// The OpenGL calls a fish is drawn with, so the drawing can run against a recorder in tests.
// Each call stands for the OpenGL call of the same name (Rotate for glRotatef, Vertex for
// glVertex3fv, ...).
class FishGlSink {
public:
    virtual ~FishGlSink() = default;
    virtual void PushMatrix() = 0;
    virtual void PopMatrix() = 0;
    virtual void Rotate(float degrees, float x, float y, float z) = 0;
    virtual void Scale(float x, float y, float z) = 0;
    virtual void Begin(FishPrimitive primitive) = 0;
    virtual void End() = 0;
    virtual void Normal(float x, float y, float z) = 0;
    virtual void TexCoord(float s, float t) = 0;
    virtual void Vertex(const float position[3]) = 0;
};

// The sink that draws: each call goes straight to OpenGL in the current context.
FishGlSink& OpenGlFishSink();

}  // namespace reef
