#pragma once

#include <string>

namespace reef {

// Where the slideshow's pictures become textures. The program makes OpenGL textures in the
// view's context (media/gl_picture_textures.h); the slideshow's tests count them with a fake.
class PictureTextures {
public:
    virtual ~PictureTextures() = default;

    // A new texture name holding the picture at `path` (a JPEG, PNG or BMP file), or 0 when the
    // file cannot be read as a picture or no texture can be made of it.
    virtual unsigned int Create(const std::string& path) = 0;

    // Frees a texture that Create() made; 0 is ignored.
    virtual void Release(unsigned int texture) = 0;
};

}  // namespace reef
