#pragma once

#include <wx/image.h>

#include "media/picture_fit.h"
#include "media/picture_textures.h"

class wxGLCanvas;
class wxGLContext;

namespace reef {

// The slideshow's pictures as OpenGL textures of the view's context. Each file is decoded to
// fill the background plane with its shape kept (media/picture_decoder.h), at `pictureSize`
// (media/picture_fit.h: the plane's shape at the screen's density), then SOIL makes a texture
// of it just as the desktop snapshot's is made: the picture's own size, linear filtering, edges
// clamped. The context is made current on the canvas for every texture made or freed, so
// callers may be any window's handler.
class GlPictureTextures : public PictureTextures {
public:
    GlPictureTextures(wxGLCanvas& canvas, wxGLContext& context, PixelSize pictureSize);

    unsigned int Create(const std::string& path) override;
    void Release(unsigned int texture) override;

private:
    bool MakeCurrent();

    wxGLCanvas& m_canvas;
    wxGLContext& m_context;
    PixelSize m_pictureSize;
};

// The SOIL flags the slideshow's textures are made with: the rows flipped for OpenGL, nothing
// else. What each other flag costs, measured with bench/picture_frame_bench.cpp on Mesa's
// software renderer at 1680 x 1050 (the snapshot's frame for comparison), is written beside
// kPictureTextureFlags in gl_picture_textures.cpp.
extern const unsigned int kPictureTextureFlags;

// A new texture of `image` in the current context, made by SOIL with `soilFlags`; 0 on failure.
// Whatever the flags, the edges are clamped to the picture's own edge pixels.
unsigned int CreatePictureTexture(const wxImage& image,
                                  unsigned int soilFlags = kPictureTextureFlags);

}  // namespace reef
