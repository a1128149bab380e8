// Times the program's own frames: builds the frame, view and scene as the program does, renders
// a few hundred frames and prints the median frame time, the time from start to the first
// presented frame, and the peak resident memory; then, with 50 fish in front of the desktop
// picture, the cost of each pass of the frame (the clears, the plane when drawn before the fish,
// the fish, the background, the swap), each pass finished with glFinish before the next starts, in
// wall-clock and in the process's CPU time (all threads, so the renderer's own threads count).
// Needs an X display (scripts/measure runs it on Xvfb at 1680 x 1050).
//
//   glassreef_frame_bench [FRAMES [passes [nearest] | compare | floor]]
//
// With "passes" only the passes are timed; "nearest" times them with the picture sampled by its
// nearest texel instead of filtered. "compare" draws each frame both ways from the same state
// and prints how far the pixels of the nearest-texel frames are from the program's (the
// desktop should show a picture then: a black one cannot differ). "floor" times the least any
// frame of this size can cost here while a picture fills the screen through a texture: one
// textured quad and the swap, nothing else.
//
// Run under valgrind --tool=callgrind (with --smc-check=all-non-file for the renderer's compiled
// shaders), the passes' instruction counts, which do not depend on the machine's load, are
// dumped one file per pass and frame, each named by its pass in its "desc: Trigger" line.
#include <GL/gl.h>
#include <sys/resource.h>
#include <time.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name) static_cast<void>(name)
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/harness.h"
#include "app/main_frame.h"
#include "settings/aquarium_settings.h"
#include "view/aquarium_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Renders `frames` frames and returns their times in milliseconds, sorted.
std::vector<double> TimeFrames(reef::AquariumView& view, int frames) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        auto before = Clock::now();
        view.RenderFrame();
        times.push_back(Milliseconds(Clock::now() - before));
    }
    std::sort(times.begin(), times.end());
    return times;
}

double Median(const std::vector<double>& sorted) {
    return sorted[sorted.size() / 2];
}

double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The process's CPU time, all threads, in milliseconds.
double ProcessCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Both clocks at one moment.
struct Stamp {
    Clock::time_point wall;
    double cpu;
    static Stamp Now() { return {Clock::now(), ProcessCpuMilliseconds()}; }
};

// The clears, the plane when drawn before the fish, the fish, the background pass and the swap.
constexpr int kPasses = 5;
constexpr std::array<const char*, kPasses> kPassNames = {"clears", "plane first", "fish",
                                                         "background", "finish+swap"};

// Renders `frames` frames, each pass finished before the next, and prints each pass's median
// wall-clock and CPU time, then the whole frame's.
void TimePasses(reef::AquariumView& view, int frames) {
    using Pass = reef::AquariumView::FramePass;
    std::array<std::vector<double>, kPasses> wall;
    std::array<std::vector<double>, kPasses> cpu;
    std::vector<double> frameWall;
    std::vector<double> frameCpu;
    Stamp last{};
    auto close = [&](int pass) {
        glFinish();
        Stamp now = Stamp::Now();
        wall[static_cast<std::size_t>(pass)].push_back(Milliseconds(now.wall - last.wall));
        cpu[static_cast<std::size_t>(pass)].push_back(now.cpu - last.cpu);
        last = now;
        CALLGRIND_DUMP_STATS_AT(kPassNames[static_cast<std::size_t>(pass)]);
    };
    view.SetPassProbe([&](Pass pass) { close(static_cast<int>(pass)); });
    glFinish();
    CALLGRIND_ZERO_STATS;
    for (int i = 0; i < frames; ++i) {
        const Stamp start = Stamp::Now();
        last = start;
        view.RenderFrame();
        close(kPasses - 1);
        frameWall.push_back(Milliseconds(last.wall - start.wall));
        frameCpu.push_back(last.cpu - start.cpu);
    }
    view.SetPassProbe({});
    std::printf("%-20s %10s %10s\n", "pass", "wall ms", "CPU ms");
    for (int p = 0; p < kPasses; ++p) {
        const auto k = static_cast<std::size_t>(p);
        std::printf("%-20s %10.3f %10.3f\n", kPassNames[k], MedianOf(wall[k]), MedianOf(cpu[k]));
    }
    std::printf("%-20s %10.3f %10.3f\n", "whole frame", MedianOf(frameWall), MedianOf(frameCpu));
}

// Sets the filter of the texture bound now; a frame leaves the background picture's bound.
void SetPictureFilter(GLint filter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

std::vector<unsigned char> ReadBack(int width, int height) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Draws `frames` frames twice each from the same state, filtered as the program does and by the
// nearest texel, and prints the largest and mean difference of a colour byte over the run and
// the share of pixels that differ at all.
void CompareNearest(reef::AquariumView& view, int frames) {
    const int w = view.ScreenWidth();
    const int h = view.ScreenHeight();
    int largest = 0;
    double sum = 0.0;
    double differingPixels = 0.0;
    for (int i = 0; i < frames; ++i) {
        auto state = view.SaveFrameState();
        view.DrawFrame();
        const std::vector<unsigned char> program = ReadBack(w, h);
        view.RestoreFrameState(*state);
        SetPictureFilter(GL_NEAREST);
        view.DrawFrame();
        const std::vector<unsigned char> nearest = ReadBack(w, h);
        SetPictureFilter(GL_LINEAR);
        for (std::size_t k = 0; k < program.size(); k += 3) {
            bool differs = false;
            for (std::size_t c = k; c < k + 3; ++c) {
                const int d = std::abs(program[c] - nearest[c]);
                largest = std::max(largest, d);
                sum += d;
                differs = differs || d != 0;
            }
            differingPixels += differs;
        }
    }
    const double bytes = static_cast<double>(frames) * w * h * 3;
    std::printf("nearest texel against filtered, %d frames of %d x %d:\n", frames, w, h);
    std::printf("largest difference  %d of 255\n", largest);
    std::printf("mean difference     %.4f of 255 a colour byte\n", sum / bytes);
    std::printf("pixels differing    %.2f %%\n", 100.0 * differingPixels * 3 / bytes);
}

// The least a frame of this screen's size can cost on this renderer while a picture fills it
// through a texture: one quad over the whole view with a screen-sized picture, filtered and
// clamped to its edge as the desktop picture is, written as it is sampled (no lighting, depth
// test, fog, ripples or fish), then the swap. Prints the median wall-clock and CPU time a frame.
void TimeFloor(reef::AquariumView& view, int frames) {
    const int w = view.ScreenWidth();
    const int h = view.ScreenHeight();
    std::vector<unsigned char> picture(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t k = 0; k < picture.size(); ++k) {
        picture[k] = static_cast<unsigned char>(k * 7 + k / 5763);
    }
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
    SetPictureFilter(GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    std::vector<double> wall;
    std::vector<double> cpu;
    glFinish();
    for (int i = 0; i < frames; ++i) {
        const Stamp start = Stamp::Now();
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(-1.0f, -1.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(1.0f, -1.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(1.0f, 1.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(-1.0f, 1.0f);
        glEnd();
        glFinish();
        view.SwapBuffers();
        const Stamp end = Stamp::Now();
        wall.push_back(Milliseconds(end.wall - start.wall));
        cpu.push_back(end.cpu - start.cpu);
    }
    glDeleteTextures(1, &texture);
    glPopAttrib();
    std::printf("screen            %d x %d\n", w, h);
    std::printf("one picture-sized textured quad and the swap, %d frames:\n", frames);
    std::printf("median %.3f ms (%.1f a second), %.3f ms CPU a frame\n", MedianOf(wall),
                1000.0 / MedianOf(wall), MedianOf(cpu));
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = Clock::now();
    int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    const bool passesOnly = argc > 2 && std::strcmp(argv[2], "passes") == 0;
    const bool nearest = passesOnly && argc > 3 && std::strcmp(argv[3], "nearest") == 0;
    const bool compare = argc > 2 && std::strcmp(argv[2], "compare") == 0;
    const bool floor = argc > 2 && std::strcmp(argv[2], "floor") == 0;
    int wxArgc = 1;  // wxWidgets would reject the frame count
    reef::CMainFrame* frame = reef::StartHarness(wxArgc, argv);
    if (frame == nullptr) {
        return 1;
    }
    reef::AquariumView& view = *frame->View();
    view.RenderFrame();
    const double startup = Milliseconds(Clock::now() - start);

    const reef::AquariumSettings saved = reef::g_settings;
    auto fullTank = [] {
        reef::g_settings.nFishCount.fill(3);
        for (int kind = 0; kind < 5; ++kind) {
            reef::g_settings.nFishCount[static_cast<std::size_t>(kind)] = 4;
        }
    };
    auto timePasses = [&] {
        fullTank();
        reef::g_settings.nBackground = 0;
        reef::g_settings.nShowTerra = 1;
        std::printf("screen            %d x %d\n", view.ScreenWidth(), view.ScreenHeight());
        std::printf("passes, 50 fish in front of the desktop picture, %d frames:\n", frames);
        TimePasses(view, frames);
        const double cpuBefore = ProcessCpuMilliseconds();
        std::vector<double> whole = TimeFrames(view, frames);
        std::printf(
            "whole frames, passes not finished apart: median %.3f ms (%.1f a second), "
            "%.3f ms CPU a frame\n",
            Median(whole), 1000.0 / Median(whole), (ProcessCpuMilliseconds() - cpuBefore) / frames);
        reef::g_settings = saved;
    };
    if (compare) {
        fullTank();
        reef::g_settings.nBackground = 0;
        reef::g_settings.nShowTerra = 1;
        CompareNearest(view, frames);
        reef::StopHarness(frame);
        return 0;
    }
    if (floor) {
        TimeFloor(view, frames);
        reef::StopHarness(frame);
        return 0;
    }
    if (passesOnly) {
        if (nearest) {
            SetPictureFilter(GL_NEAREST);
        }
        timePasses();
        reef::StopHarness(frame);
        return 0;
    }

    const double cpuBefore = ProcessCpuMilliseconds();
    std::vector<double> times = TimeFrames(view, frames);
    const double cpuPerFrame = (ProcessCpuMilliseconds() - cpuBefore) / frames;

    // The fish pass alone: the same frames with the background plane off, once with an empty
    // tank and once with a full one (50 fish, every kind).
    reef::g_settings.nBackground = 1;
    reef::g_settings.nFishCount.fill(0);
    const double empty = Median(TimeFrames(view, frames));
    fullTank();
    const double full = Median(TimeFrames(view, frames));
    reef::g_settings = saved;
    timePasses();
    std::printf("\n");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("frames            %d\n", frames);
    std::printf("frame median      %.3f ms (settings as loaded)\n", Median(times));
    std::printf("frame 10%% / 90%%   %.3f / %.3f ms\n", times[times.size() / 10],
                times[times.size() * 9 / 10]);
    std::printf("CPU a frame       %.3f ms (all threads, settings as loaded)\n", cpuPerFrame);
    std::printf("no background:    %.3f ms empty tank, %.3f ms with 50 fish\n", empty, full);
    std::printf("fish pass         %.3f ms (the difference)\n", full - empty);
    std::printf("start to frame 1  %.1f ms\n", startup);
    std::printf("peak memory       %.1f MiB\n", usage.ru_maxrss / 1024.0);
    reef::StopHarness(frame);
    return 0;
}
