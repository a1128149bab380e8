#pragma once

#include <cstdint>
#include <vector>

namespace reef {
class AquariumView;
}

namespace reef::test {

// An RGB read-back of the back buffer, rows bottom-up as OpenGL gives them.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    const std::uint8_t* At(int x, int y) const { return &rgb[(y * width + x) * 3]; }
};

// The back buffer's lower-left width x height pixels, after glFinish.
Image ReadBack(int width, int height);

// One frame of the view's own pipeline, read from the back buffer before it is presented.
Image DrawAndRead(AquariumView& view);

// When the running test has failed, saves `image` as $TMPDIR/<name>.ppm and says where.
void SaveOnFailure(const Image& image, const char* name);

}  // namespace reef::test
