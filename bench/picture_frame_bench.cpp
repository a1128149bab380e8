// A picture of the user's own behind the tank against the desktop snapshot: frame time, the
// level a white pixel shows at, and how much of a fine pattern survives (sharpness), for the
// snapshot's texture and for the slideshow's texture made with each of SOIL's flags. Every
// texture holds the same screen-sized picture, so only the way it became a texture differs.
// Needs an X display (scripts/measure runs it on Xvfb at 1680 x 1050).
//
//   glassreef_picture_frame_bench [FRAMES]     (frames per texture, 120 when not given)
#include <GL/gl.h>
#include <SOIL/SOIL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/harness.h"
#include "app/main_frame.h"
#include "media/gl_picture_textures.h"
#include "resources/textures.h"
#include "scene/custom_background.h"
#include "view/aquarium_view.h"

namespace {

using Clock = std::chrono::steady_clock;

// The test picture: a smooth colour field like a sky or a wall, a white block in the middle
// (the white level) and, left of it, stripes one pixel wide (the sharpness).
struct TestPicture {
    int width, height;
    wxImage image;
    int whiteX0, whiteX1, y0, y1;  // the white block, in pixels from the top-left
    int stripeX0, stripeX1;        // the stripes, on the same rows
};

TestPicture MakePicture(int width, int height) {
    TestPicture p{width,          height,        wxImage(width, height),
                  width * 5 / 8,  width * 3 / 4, height * 3 / 8,
                  height * 5 / 8, width / 4,     width * 3 / 8};
    unsigned char* rgb = p.image.GetData();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* px = rgb + 3 * (static_cast<std::size_t>(y) * width + x);
            px[0] = static_cast<unsigned char>(40 + 150 * x / width);
            px[1] = static_cast<unsigned char>(60 + 120 * y / height);
            px[2] = static_cast<unsigned char>(200 - 100 * x / width);
            const bool band = y >= p.y0 && y < p.y1;
            if (band && x >= p.whiteX0 && x < p.whiteX1) {
                px[0] = px[1] = px[2] = 255;
            } else if (band && x >= p.stripeX0 && x < p.stripeX1) {
                px[0] = px[1] = px[2] = (x % 2 == 0) ? 0 : 255;
            }
        }
    }
    return p;
}

// The picture as the program writes the desktop snapshot: a 32-bit bitmap, rows bottom-up.
std::string WriteSnapshot(const TestPicture& p, const std::string& path) {
    const std::uint32_t rowBytes = 4u * static_cast<std::uint32_t>(p.width);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(p.height);
    std::vector<std::uint8_t> file(54 + imageBytes);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) {
            file[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
        }
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(p.width));
    put32(22, static_cast<std::uint32_t>(p.height));
    file[26] = 1;
    file[28] = 32;
    put32(34, imageBytes);
    const unsigned char* rgb = p.image.GetData();
    for (int y = 0; y < p.height; ++y) {
        const unsigned char* src = rgb + 3 * static_cast<std::size_t>(p.height - 1 - y) * p.width;
        std::uint8_t* dst = &file[54 + y * rowBytes];
        for (int x = 0; x < p.width; ++x) {
            dst[4 * x] = src[3 * x + 2];
            dst[4 * x + 1] = src[3 * x + 1];
            dst[4 * x + 2] = src[3 * x];
            dst[4 * x + 3] = 0;
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    return path;
}

// The power of two nearest to `side` on a logarithmic scale, as the slideshow's textures were
// once sized (1680 -> 2048, 1050 -> 1024).
int NearestPowerOfTwo(int side) {
    int power = 1;
    while (power < side) {
        power *= 2;
    }
    const std::int64_t squared = static_cast<std::int64_t>(side) * side;
    return power > 1 && 2 * squared < static_cast<std::int64_t>(power) * power ? power / 2 : power;
}

struct Variant {
    const char* name;
    unsigned int texture = 0;
    std::vector<double> times;
    int white = 0;
    double stripes = 0;
};

// The median red level in the middle of the white block, and the mean step between
// neighbouring pixels across the stripes (255 when they show crisp, 0 when blurred to grey),
// read from one frame drawn into the back buffer.
void ReadLevels(reef::AquariumView& view, const TestPicture& p, Variant& v) {
    view.DrawFrame();
    glFinish();
    const int w = view.ScreenWidth();
    const int h = view.ScreenHeight();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    auto red = [&](int x, int y) {  // y from the top
        return rgb[3 * (static_cast<std::size_t>(h - 1 - y) * w + x)];
    };
    const int cy = (p.y0 + p.y1) / 2;
    const int cx = (p.whiteX0 + p.whiteX1) / 2;
    std::vector<int> levels;
    for (int dy = -20; dy <= 20; dy += 4) {
        for (int dx = -20; dx <= 20; dx += 4) {
            levels.push_back(red(cx + dx, cy + dy));
        }
    }
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    v.white = levels[levels.size() / 2];
    double sum = 0;
    int n = 0;
    for (int y = cy - 20; y <= cy + 20; y += 4) {
        for (int x = p.stripeX0 + 20; x < p.stripeX1 - 20; ++x) {
            sum += std::abs(red(x + 1, y) - red(x, y));
            ++n;
        }
    }
    v.stripes = n > 0 ? sum / n : 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 120;
    int wxArgc = 1;
    reef::CMainFrame* frame = reef::StartHarness(wxArgc, argv);
    if (frame == nullptr) {
        return 1;
    }
    reef::AquariumView& view = *frame->View();
    view.StopFrameTimer();
    view.SetCurrent(*view.Context());
    const int w = view.ScreenWidth();
    const int h = view.ScreenHeight();
    const TestPicture picture = MakePicture(w, h);

    char folder[] = "/tmp/glassreef-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string bmp = WriteSnapshot(picture, std::string(folder) + "/topdesk.bmp");

    const wxImage powers =
        picture.image.Scale(NearestPowerOfTwo(w), NearestPowerOfTwo(h), wxIMAGE_QUALITY_HIGH);
    constexpr unsigned int kFlip = SOIL_FLAG_INVERT_Y;
    std::vector<Variant> variants(7);
    variants[0].name = "desktop snapshot";
    reef::LoadSnapshotTexture(bmp, &variants[0].texture);
    variants[1].name = "picture, INVERT_Y only (now)";
    variants[1].texture = reef::CreatePictureTexture(picture.image);
    variants[2].name = "  + NTSC_SAFE_RGB";
    variants[2].texture =
        reef::CreatePictureTexture(picture.image, kFlip | SOIL_FLAG_NTSC_SAFE_RGB);
    variants[3].name = "  + COMPRESS_TO_DXT";
    variants[3].texture =
        reef::CreatePictureTexture(picture.image, kFlip | SOIL_FLAG_COMPRESS_TO_DXT);
    variants[4].name = "  + POWER_OF_TWO (SOIL's resize)";
    variants[4].texture = reef::CreatePictureTexture(picture.image, kFlip | SOIL_FLAG_POWER_OF_TWO);
    variants[5].name = "  + MIPMAPS (SOIL's resize)";
    variants[5].texture = reef::CreatePictureTexture(picture.image, kFlip | SOIL_FLAG_MIPMAPS);
    variants[6].name = "before: 0xB2, nearest powers";
    variants[6].texture = reef::CreatePictureTexture(
        powers, kFlip | SOIL_FLAG_MIPMAPS | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB);
    std::remove(bmp.c_str());
    rmdir(folder);

    // Round after round, a few frames of each, so a change in the machine's load falls on every
    // texture alike.
    const int rounds = 6;
    for (int round = 0; round < rounds; ++round) {
        for (auto& v : variants) {
            reef::CustomBackground() = {true, v.texture};
            view.RenderFrame();  // the first frame after a switch may upload the texture
            for (int i = 0; i < frames / rounds; ++i) {
                const auto start = Clock::now();
                view.RenderFrame();
                v.times.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            }
        }
    }
    std::printf("screen %d x %d, %d frames a texture, %s\n", w, h, frames,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%-34s %9s %6s %8s  %s\n", "texture", "frame ms", "white", "stripes", "stored as");
    for (auto& v : variants) {
        reef::CustomBackground() = {true, v.texture};
        ReadLevels(view, picture, v);
        glBindTexture(GL_TEXTURE_2D, v.texture);
        GLint tw = 0, th = 0, compressed = 0, minFilter = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        std::printf("%-34s %9.2f %6d %8.1f  %d x %d%s%s\n", v.name, Median(v.times), v.white,
                    v.stripes, tw, th, compressed ? ", compressed" : "",
                    minFilter == GL_LINEAR ? "" : ", mipmapped");
    }
    reef::CustomBackground() = {};
    for (auto& v : variants) {
        glDeleteTextures(1, &v.texture);
    }
    reef::StopHarness(frame);
    return 0;
}
