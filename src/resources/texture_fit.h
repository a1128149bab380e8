#pragma once

namespace reef {

// The side of the power-of-two texture that an image side of `size` pixels is fitted to: the
// smallest power of two not below min(size, limit), where limit is the GL implementation's
// maximum texture size capped at 512; a result of 1 becomes 2.
int FitTextureSide(int size, int maxTextureSize);

}  // namespace reef
