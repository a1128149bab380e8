// A counter of presented frames for measuring programs from outside: loaded with LD_PRELOAD, it
// passes every glXSwapBuffers and eglSwapBuffers call on to the real one and then writes the
// number of swaps so far to the file named by SWAP_COUNTER_FILE, as one fixed-width decimal line
// rewritten in place, so a reader can sample it at any moment. Without that variable it only
// counts. (Some programs present through EGL on X11 and define a glXSwapBuffers of their own
// over eglSwapBuffers; a program's own definition is not replaced, its EGL call is counted.)
//
// Used by the end-to-end pace test and by bench/peers; it is never part of the program.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

using GlxSwapBuffersFn = void (*)(Display*, GLXDrawable);
// EGLBoolean eglSwapBuffers(EGLDisplay, EGLSurface), without the EGL headers.
using EglSwapBuffersFn = unsigned (*)(void*, void*);

unsigned long long g_swaps = 0;

template <typename Function>
Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

int CounterFile() {
    static int fd = [] {
        const char* path = std::getenv("SWAP_COUNTER_FILE");
        return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600) : -1;
    }();
    return fd;
}

void CountSwap() {
    ++g_swaps;
    if (int fd = CounterFile(); fd >= 0) {
        char line[32];
        int n = std::snprintf(line, sizeof line, "%20llu\n", g_swaps);
        // One small write at offset 0: a reader sees the old line or the new one. A failed
        // write leaves the old line; there is no one to tell.
        [[maybe_unused]] ssize_t written = pwrite(fd, line, static_cast<std::size_t>(n), 0);
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void glXSwapBuffers(Display* display,
                                                                      GLXDrawable drawable) {
    static auto real = Real<GlxSwapBuffersFn>("glXSwapBuffers");
    if (real != nullptr) {
        real(display, drawable);
    }
    CountSwap();
}

extern "C" __attribute__((visibility("default"))) unsigned eglSwapBuffers(void* display,
                                                                          void* surface) {
    static auto real = Real<EglSwapBuffersFn>("eglSwapBuffers");
    unsigned ok = real != nullptr ? real(display, surface) : 0;
    CountSwap();
    return ok;
}
