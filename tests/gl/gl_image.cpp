#include "gl_image.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "view/aquarium_view.h"

namespace reef::test {

Image ReadBack(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    return image;
}

Image DrawAndRead(AquariumView& view) {
    view.DrawFrame();
    return ReadBack(view.ScreenWidth(), view.ScreenHeight());
}

void SaveOnFailure(const Image& image, const char* name) {
    if (!::testing::Test::HasFailure()) {
        return;
    }
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir ? dir : "/tmp") + "/" + name + ".ppm";
    if (std::FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fprintf(out, "P6\n%d %d\n255\n", image.width, image.height);
        for (int y = image.height - 1; y >= 0; --y) {
            std::fwrite(image.At(0, y), 3, static_cast<std::size_t>(image.width), out);
        }
        std::fclose(out);
        std::fprintf(stderr, "image saved to %s\n", path.c_str());
    }
}

}  // namespace reef::test
