#include "fish/fish_gl_sink.h"

#include <GL/gl.h>

namespace reef {
namespace {

class OpenGlSink final : public FishGlSink {
public:
    void PushMatrix() override { glPushMatrix(); }
    void PopMatrix() override { glPopMatrix(); }
    void Rotate(float degrees, float x, float y, float z) override { glRotatef(degrees, x, y, z); }
    void Scale(float x, float y, float z) override { glScalef(x, y, z); }
    void Begin(FishPrimitive primitive) override {
        glBegin(primitive == FishPrimitive::kLines ? GL_LINES : GL_QUAD_STRIP);
    }
    void End() override { glEnd(); }
    void Normal(float x, float y, float z) override { glNormal3f(x, y, z); }
    void TexCoord(float s, float t) override { glTexCoord2f(s, t); }
    void Vertex(const float position[3]) override { glVertex3fv(position); }
};

}  // namespace

FishGlSink& OpenGlFishSink() {
    static OpenGlSink sink;
    return sink;
}

}  // namespace reef
