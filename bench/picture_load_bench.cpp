// Times adding one large photo to the slideshow, the way the dialog adds it: decode, then SOIL
// makes the texture in the view's context. Once with the picture handed over whole, once brought
// down to the screen first. Each run is a process of its own, so each has its own peak memory.
// Needs an X display and ImageMagick (scripts/measure runs it on Xvfb at 1680 x 1050).
//
//   glassreef_picture_bench [PHOTO.jpg]     (default: a 6000 x 4000 photo made at run time)
#include <GL/gl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/harness.h"
#include "app/main_frame.h"
#include "media/gl_picture_textures.h"
#include "media/picture_decoder.h"
#include "media/picture_header.h"
#include "view/aquarium_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A field of /proc/self/status in MiB.
double StatusMiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::atof(line.c_str() + std::char_traits<char>::length(field) + 1) / 1024.0;
        }
    }
    return 0.0;
}

// Builds the program's view, then loads the photo once, whole or brought to the screen.
int LoadOnce(char* program, const std::string& photo, bool toScreen) {
    int wxArgc = 1;
    char* wxArgv[] = {program, nullptr};
    reef::CMainFrame* frame = reef::StartHarness(wxArgc, wxArgv);
    if (frame == nullptr) {
        return 1;
    }
    reef::AquariumView& view = *frame->View();
    view.StopFrameTimer();
    view.SetCurrent(*view.Context());
    const double before = StatusMiB("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak (VmHWM) from now

    // Whole: a box of the photo's own size, so nothing is cropped or brought down.
    const auto header = reef::ReadPictureHeader(photo);
    if (!header) {
        return 1;
    }
    const int width = toScreen ? view.ScreenWidth() : header->width;
    const int height = toScreen ? view.ScreenHeight() : header->height;
    const auto start = Clock::now();
    const wxImage image = reef::DecodePicture(photo, width, height);
    const auto decoded = Clock::now();
    const unsigned int texture = image.IsOk() ? reef::CreatePictureTexture(image) : 0;
    glFinish();
    const auto done = Clock::now();
    const double peak = StatusMiB("VmHWM:");

    std::printf(
        "%-22s %5d x %-5d decode %.3f s, texture %.3f s, total %.3f s; "
        "peak %.0f MiB (+%.0f MiB over the %.0f MiB before)%s\n",
        toScreen ? "down to the screen:" : "whole picture:", image.GetWidth(), image.GetHeight(),
        Seconds(decoded - start), Seconds(done - decoded), Seconds(done - start), peak,
        peak - before, before, texture != 0 ? "" : "  FAILED");
    std::fflush(stdout);
    glDeleteTextures(1, &texture);
    reef::StopHarness(frame);
    return texture != 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string photo = argc > 1 ? argv[1] : "";
    std::string folder;
    if (photo.empty()) {
        char pattern[] = "/tmp/glassreef-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr) {
            return 1;
        }
        folder = made;
        photo = folder + "/photo.jpg";
        // A photo's worth of detail: a smooth fractal with fine grain, 24 megapixels.
        const std::string command =
            "convert -seed 7 -size 1500x1000 plasma:fractal -resize "
            "6000x4000! -attenuate 0.4 +noise Gaussian -quality 92 '" +
            photo + "'";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cannot make the photo (is ImageMagick installed?)\n");
            return 1;
        }
    }
    std::ifstream file(photo, std::ios::binary | std::ios::ate);
    std::printf("photo %s, %.1f MiB\n", photo.c_str(),
                static_cast<double>(file.tellg()) / (1024.0 * 1024.0));
    std::fflush(stdout);

    int failures = 0;
    for (bool toScreen : {false, true}) {
        const pid_t child = fork();
        if (child == 0) {
            _exit(LoadOnce(argv[0], photo, toScreen));
        }
        int status = 1;
        waitpid(child, &status, 0);
        failures += !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    if (!folder.empty()) {
        std::remove(photo.c_str());
        rmdir(folder.c_str());
    }
    return failures == 0 ? 0 : 1;
}
