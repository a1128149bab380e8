#pragma once

#include <string>

namespace reef {

// Both loaders need the view's OpenGL context to be current.

// Makes a texture name, stores it in *texture and binds it; gives it the bitmap at `path` (8,
// 24 or 32 bits a pixel) fitted to power-of-two sides of at most 512, with linear filtering.
// A file that is missing or not such a bitmap leaves the texture without an image.
void LoadBmpTexture(const std::string& path, unsigned int* texture);

// Loads the desktop snapshot (an uncompressed 24- or 32-bit bitmap) at its own size, RGB with
// linear filtering. False, with no texture name made, when the file cannot be read as one.
bool LoadSnapshotTexture(const std::string& path, unsigned int* texture);

}  // namespace reef
