#include "media/gl_picture_textures.h"

#include <GL/gl.h>
#include <SOIL/SOIL.h>
#include <wx/glcanvas.h>

#include <cstdint>
#include <vector>

#include "media/picture_decoder.h"

namespace reef {

GlPictureTextures::GlPictureTextures(wxGLCanvas& canvas, wxGLContext& context, int screenWidth,
                                     int screenHeight)
    : m_canvas(canvas),
      m_context(context),
      m_screenWidth(screenWidth),
      m_screenHeight(screenHeight) {}

bool GlPictureTextures::MakeCurrent() {
    return m_canvas.SetCurrent(m_context);
}

unsigned int GlPictureTextures::Create(const std::string& path) {
    const wxImage image = DecodePicture(path, m_screenWidth, m_screenHeight);
    if (!image.IsOk() || !MakeCurrent()) {
        return 0;
    }
    return CreatePictureTexture(image);
}

void GlPictureTextures::Release(unsigned int texture) {
    if (texture != 0 && MakeCurrent()) {
        glDeleteTextures(1, &texture);
    }
}

namespace {

// The power of two nearest to `side` on a logarithmic scale (1680 -> 2048, 1050 -> 1024).
int NearestPowerOfTwo(int side) {
    int power = 1;
    while (power < side) {
        power *= 2;
    }
    // side lies in (power / 2, power]: the lower one is nearer when side^2 < power^2 / 2.
    const std::int64_t squared = static_cast<std::int64_t>(side) * side;
    return power > 1 && 2 * squared < static_cast<std::int64_t>(power) * power ? power / 2 : power;
}

}  // namespace

unsigned int CreatePictureTexture(const wxImage& source) {
    // A mipmapped texture needs power-of-two sides, and SOIL would stretch the picture up to the
    // next ones with a plain filter (1680 x 1050 to 2048 x 2048, four times the pixels to
    // mipmap and compress). The nearest powers keep the picture's detail at half the cost, and
    // a box filter or bicubic one makes them better than SOIL's.
    const int width = NearestPowerOfTwo(source.GetWidth());
    const int height = NearestPowerOfTwo(source.GetHeight());
    wxImage image = source;
    if (width != source.GetWidth() || height != source.GetHeight()) {
        image = source.Scale(width, height, wxIMAGE_QUALITY_HIGH);
    }
    const unsigned char* rgb = image.GetData();
    // wxImage keeps alpha in a plane of its own; SOIL wants it beside each pixel's colour.
    std::vector<std::uint8_t> rgba;
    if (image.HasAlpha()) {
        const unsigned char* alpha = image.GetAlpha();
        const std::size_t pixels = static_cast<std::size_t>(width) * height;
        rgba.resize(pixels * 4);
        for (std::size_t i = 0; i < pixels; ++i) {
            rgba[4 * i] = rgb[3 * i];
            rgba[4 * i + 1] = rgb[3 * i + 1];
            rgba[4 * i + 2] = rgb[3 * i + 2];
            rgba[4 * i + 3] = alpha[i];
        }
    }
    // SOIL uploads every mipmap level as it is, and the smallest levels of an RGB picture have
    // rows of 3 or 6 bytes.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const unsigned int texture = SOIL_create_OGL_texture(
        rgba.empty() ? rgb : rgba.data(), width, height, rgba.empty() ? 3 : 4, SOIL_CREATE_NEW_ID,
        SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT |
            SOIL_FLAG_NTSC_SAFE_RGB);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return texture;
}

}  // namespace reef
