// Times the program's own frames: builds the frame, view and scene as the program does, renders
// a few hundred frames and prints the median frame time, the time from start to the first
// presented frame, and the peak resident memory. Needs an X display (scripts/measure runs it on
// Xvfb at 1680 x 1050).
//
//   glassreef_frame_bench [FRAMES]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
    const auto start = Clock::now();
    int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    int wxArgc = 1;  // wxWidgets would reject the frame count
    reef::CMainFrame* frame = reef::StartHarness(wxArgc, argv);
    if (frame == nullptr) {
        return 1;
    }
    reef::AquariumView& view = *frame->View();
    view.RenderFrame();
    const double startup = Milliseconds(Clock::now() - start);

    std::vector<double> times = TimeFrames(view, frames);

    // The fish pass alone: the same frames with the background plane off, once with an empty
    // tank and once with a full one (50 fish, every kind).
    const reef::AquariumSettings saved = reef::g_settings;
    reef::g_settings.nBackground = 1;
    reef::g_settings.nFishCount.fill(0);
    const double empty = Median(TimeFrames(view, frames));
    reef::g_settings.nFishCount.fill(3);
    for (int kind = 0; kind < 5; ++kind) {
        reef::g_settings.nFishCount[static_cast<std::size_t>(kind)] = 4;
    }
    const double full = Median(TimeFrames(view, frames));
    reef::g_settings = saved;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("screen            %d x %d\n", view.ScreenWidth(), view.ScreenHeight());
    std::printf("frames            %d\n", frames);
    std::printf("frame median      %.3f ms (settings as loaded)\n", Median(times));
    std::printf("frame 10%% / 90%%   %.3f / %.3f ms\n", times[times.size() / 10],
                times[times.size() * 9 / 10]);
    std::printf("no background:    %.3f ms empty tank, %.3f ms with 50 fish\n", empty, full);
    std::printf("fish pass         %.3f ms (the difference)\n", full - empty);
    std::printf("start to frame 1  %.1f ms\n", startup);
    std::printf("peak memory       %.1f MiB\n", usage.ru_maxrss / 1024.0);
    reef::StopHarness(frame);
    return 0;
}
