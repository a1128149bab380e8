#include "media/gl_picture_textures.h"

#include <GL/gl.h>
#include <SOIL/SOIL.h>
#include <wx/glcanvas.h>

#include <cstdint>
#include <vector>

#include "media/picture_decoder.h"

namespace reef {

GlPictureTextures::GlPictureTextures(wxGLCanvas& canvas, wxGLContext& context,
                                     PixelSize pictureSize)
    : m_canvas(canvas), m_context(context), m_pictureSize(pictureSize) {}

bool GlPictureTextures::MakeCurrent() {
    return m_canvas.SetCurrent(m_context);
}

unsigned int GlPictureTextures::Create(const std::string& path) {
    const wxImage image = DecodePicture(path, m_pictureSize.width, m_pictureSize.height);
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

// SOIL_FLAG_INVERT_Y alone. Each other flag made the picture worse than the desktop snapshot
// beside it, measured with bench/picture_frame_bench.cpp on Mesa's llvmpipe at 1680 x 1050
// (frame times relative to the snapshot's, taken round by round on a loaded machine; white is
// the level a white 255 shows at under the tank's light, 237 for the snapshot):
//  - SOIL_FLAG_NTSC_SAFE_RGB squeezes every channel into 16..235: white shows as 218, and
//    one-pixel detail keeps 13 to 15 % less contrast, for next to no time (3 to 5 %, within
//    the noise). It is a television's range, not a screen's.
//  - SOIL_FLAG_COMPRESS_TO_DXT keeps each 4 x 4 block as two 16-bit colours and two between
//    them (smooth gradients band), and the software renderer decodes the blocks at every
//    sample: 8 to 20 % more frame time.
//  - SOIL_FLAG_MIPMAPS needs power-of-two sides, so SOIL stretches 1680 x 1050 to 2048 x 2048,
//    and trilinear filtering then blurs one-pixel stripes to almost flat grey (contrast 9 to
//    12 against 94 to 113): 33 to 49 % more frame time. SOIL_FLAG_POWER_OF_TWO alone costs no
//    time but still halves that contrast.
// All three together, at the nearest powers of two, as pictures were once made: white 222,
// contrast 12 to 17, and 77 to 90 % more frame time than the snapshot, which on this renderer
// halved the fish's speed. With this flag alone the picture matches the snapshot on all three.
const unsigned int kPictureTextureFlags = SOIL_FLAG_INVERT_Y;

unsigned int CreatePictureTexture(const wxImage& image, unsigned int soilFlags) {
    const int width = image.GetWidth();
    const int height = image.GetHeight();
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
    // Rows of an RGB picture of odd width are not a multiple of 4 bytes long, nor are the
    // smallest mipmap levels when they are asked for.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const unsigned int texture =
        SOIL_create_OGL_texture(rgba.empty() ? rgb : rgba.data(), width, height,
                                rgba.empty() ? 3 : 4, SOIL_CREATE_NEW_ID, soilFlags);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (texture != 0) {
        // SOIL clamps with GL_CLAMP, which blends the black border colour into the outermost
        // texels: the ripples, which push texture coordinates past the edges, showed it as
        // flickering dark bands. The snapshot's texture clamps to its edge pixels; so does this.
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    return texture;
}

}  // namespace reef
