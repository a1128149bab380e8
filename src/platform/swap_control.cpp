#include "platform/swap_control.h"

#include <GL/glx.h>

#include <cstring>

namespace reef {
namespace {

// Whether the space-separated `list` holds `name` as a whole word.
bool HasExtension(const char* list, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* p = list; p != nullptr && *p != '\0';) {
        const char* end = std::strchr(p, ' ');
        const std::size_t word =
            end != nullptr ? static_cast<std::size_t>(end - p) : std::strlen(p);
        if (word == length && std::strncmp(p, name, length) == 0) {
            return true;
        }
        p = end != nullptr ? end + 1 : nullptr;
    }
    return false;
}

template <typename Function>
Function Lookup(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

bool WaitForDisplayOnSwap() {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0) {
        return false;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
        if (auto set = Lookup<SwapIntervalExt>("glXSwapIntervalEXT")) {
            set(display, drawable, 1);
            return true;
        }
    }
    // These two set the interval of the current drawable and answer 0 on success.
    if (HasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMesa = int (*)(unsigned int);
        if (auto set = Lookup<SwapIntervalMesa>("glXSwapIntervalMESA")) {
            return set(1) == 0;
        }
    }
    if (HasExtension(extensions, "GLX_SGI_swap_control")) {
        using SwapIntervalSgi = int (*)(int);
        if (auto set = Lookup<SwapIntervalSgi>("glXSwapIntervalSGI")) {
            return set(1) == 0;
        }
    }
    return false;
}

}  // namespace reef
