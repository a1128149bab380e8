#include "resources/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "platform/mapped_file.h"
#include "resources/bmp_format.h"
#include "resources/texture_fit.h"

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif
#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

namespace reef {

void LoadBmpTexture(const std::string& path, unsigned int* texture) {
    GLuint name = 0;
    glGenTextures(1, &name);
    *texture = name;
    glBindTexture(GL_TEXTURE_2D, name);

    auto file = ReadBitmapFile(path);
    if (!file) {
        return;
    }
    auto bitmap = DecodeTextureBitmap(file->data(), file->size());
    if (!bitmap) {
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    int width = FitTextureSide(bitmap->width, maxSize);
    int height = FitTextureSide(bitmap->height, maxSize);
    bool alpha = bitmap->bitsPerPixel == 32;
    GLint components = alpha ? 4 : 3;
    GLenum format = alpha ? GL_BGRA_EXT : GL_BGR_EXT;

    // Bitmap rows are padded to 4 bytes, which is OpenGL's default unpack alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (width == bitmap->width && height == bitmap->height) {
        glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
                     bitmap->pixels.data());
        return;
    }
    // gluScaleImage packs its output rows with the current pack alignment, 4 by default.
    std::vector<unsigned char> scaled(BmpRowBytes(components * 8, width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gluScaleImage(format, bitmap->width, bitmap->height, GL_UNSIGNED_BYTE, bitmap->pixels.data(),
                  width, height, GL_UNSIGNED_BYTE, scaled.data());
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
                 scaled.data());
}

bool LoadSnapshotTexture(const std::string& path, unsigned int* texture) {
    if (path.empty()) {
        return false;
    }
    // The file is read in place: its bottom-up rows of blue, green, red are what OpenGL takes
    // with the BGR(A) formats, so no copy of the picture is made on the way to the texture (at
    // 1680 x 1050 a copy costs 5 to 7 MB).
    MappedFile file(path);
    if (!file.IsOpen()) {
        return false;
    }
    auto rows = FindBgrRows(file.Data(), file.Size());
    if (!rows) {
        return false;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    *texture = name;
    glBindTexture(GL_TEXTURE_2D, name);
    // Three components, as from RGB bytes: the unused fourth byte of a 32-bit file is dropped.
    // Bitmap rows are padded to 4 bytes, OpenGL's default unpack alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, rows->width, rows->height, 0,
                 rows->bitsPerPixel == 32 ? GL_BGRA_EXT : GL_BGR_EXT, GL_UNSIGNED_BYTE,
                 file.Data() + rows->offset);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The ripples push texture coordinates a little past the picture's edges; repeating would
    // show the opposite edge there (the top of the desktop at its bottom), so the edge pixels
    // are stretched instead.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return true;
}

}  // namespace reef
