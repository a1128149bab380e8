// A counter of presented frames for measuring programs from outside: loaded with LD_PRELOAD, it
// passes every glXSwapBuffers call on to the real one and then writes the number of swaps so
// far to the file named by SWAP_COUNTER_FILE, as one fixed-width decimal line rewritten in
// place, so a reader can sample it at any moment. Without that variable it only counts.
//
// Used by the end-to-end pace test and by bench/peers; it is never part of the program.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

using SwapBuffersFn = void (*)(Display*, GLXDrawable);

unsigned long long g_swaps = 0;

SwapBuffersFn RealSwapBuffers() {
    static auto real = reinterpret_cast<SwapBuffersFn>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    return real;
}

int CounterFile() {
    static int fd = [] {
        const char* path = std::getenv("SWAP_COUNTER_FILE");
        return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600) : -1;
    }();
    return fd;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void glXSwapBuffers(Display* display,
                                                                      GLXDrawable drawable) {
    if (SwapBuffersFn real = RealSwapBuffers()) {
        real(display, drawable);
    }
    ++g_swaps;
    if (int fd = CounterFile(); fd >= 0) {
        char line[32];
        int n = std::snprintf(line, sizeof line, "%20llu\n", g_swaps);
        // One small write at offset 0: a reader sees the old line or the new one.
        if (pwrite(fd, line, static_cast<std::size_t>(n), 0) != n) {
            return;
        }
    }
}
