#pragma once

#include <wx/image.h>

#include "media/picture_textures.h"

class wxGLCanvas;
class wxGLContext;

namespace reef {

// The slideshow's pictures as OpenGL textures of the view's context: each file is decoded at
// most at the screen's size (media/picture_decoder.h), then SOIL makes the texture with
// mipmaps, rows flipped for OpenGL, DXT compression where the driver has it and colours kept
// within the NTSC-safe range. The context is made current on the canvas for every texture made
// or freed, so callers may be any window's handler.
class GlPictureTextures : public PictureTextures {
public:
    GlPictureTextures(wxGLCanvas& canvas, wxGLContext& context, int screenWidth, int screenHeight);

    unsigned int Create(const std::string& path) override;
    void Release(unsigned int texture) override;

private:
    bool MakeCurrent();

    wxGLCanvas& m_canvas;
    wxGLContext& m_context;
    int m_screenWidth;
    int m_screenHeight;
};

// A new texture of `image` in the current context with the slideshow's flags; 0 on failure.
unsigned int CreatePictureTexture(const wxImage& image);

}  // namespace reef
