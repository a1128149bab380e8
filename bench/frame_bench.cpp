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
#include "view/aquarium_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
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

    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        auto before = Clock::now();
        view.RenderFrame();
        times.push_back(Milliseconds(Clock::now() - before));
    }
    std::sort(times.begin(), times.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("screen            %d x %d\n", view.ScreenWidth(), view.ScreenHeight());
    std::printf("frames            %d\n", frames);
    std::printf("frame median      %.3f ms\n", times[times.size() / 2]);
    std::printf("frame 10%% / 90%%   %.3f / %.3f ms\n", times[times.size() / 10],
                times[times.size() * 9 / 10]);
    std::printf("start to frame 1  %.1f ms\n", startup);
    std::printf("peak memory       %.1f MiB\n", usage.ru_maxrss / 1024.0);
    reef::StopHarness(frame);
    return 0;
}
