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

// SOIL_FLAG_INVERT_Y alone. The other flags of SOIL each made the picture worse than the
// desktop snapshot beside it (bench/picture_frame_bench.cpp, Mesa llvmpipe, 1680 x 1050, a white
// 255 that the snapshot shows as 236 under the tank's light):
//  - SOIL_FLAG_NTSC_SAFE_RGB squeezes every channel into 16..235: white shows as 218, black as
//    a grey 15, a washed-out picture for a television standard this screen is not.
//  - SOIL_FLAG_COMPRESS_TO_DXT stores 4 x 4 blocks of two 16-bit colours: banding in skies,
//    blocky edges, white off by a level or two, and sampling it costs the software renderer
//    most of a frame's time.
//  - SOIL_FLAG_MIPMAPS (and the power-of-two sides it needs, SOIL_FLAG_POWER_OF_TWO) resizes
//    the picture to 2048 x 1024 or the nearest powers, then draws it with trilinear filtering:
//    softer than a picture at the screen's own size, a third more memory, and slower.
// Figures of each are in the README's section on the benchmarks.
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
