#include "platform/screen_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "platform/new_file.h"
#include "resources/bmp_format.h"

namespace reef {
namespace {

int SilentXError(Display*, XErrorEvent*) {
    return 0;
}

// The pixel of an XImage as blue, green, red, whatever the server's byte order and masks.
void ToBgrx(XImage* image, int x, int y, std::uint8_t* out) {
    unsigned long pixel = XGetPixel(image, x, y);
    auto channel = [pixel](unsigned long mask) -> std::uint8_t {
        if (mask == 0) {
            return 0;
        }
        int shift = 0;
        while (((mask >> shift) & 1) == 0) {
            ++shift;
        }
        unsigned long max = mask >> shift;
        unsigned long value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(max == 255 ? value : value * 255 / max);
    };
    out[0] = channel(image->blue_mask);
    out[1] = channel(image->green_mask);
    out[2] = channel(image->red_mask);
    out[3] = 0;
}

}  // namespace

bool CaptureScreenToBitmap(int x, int y, int width, int height, const std::string& path) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    auto oldHandler = XSetErrorHandler(SilentXError);
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    XSync(display, False);
    XSetErrorHandler(oldHandler);
    if (image == nullptr) {
        XCloseDisplay(display);
        return false;
    }

    // The whole file in one block: the 54 header bytes, then the pixels.
    const std::size_t rowBytes = BmpRowBytes(32, width);
    std::vector<std::uint8_t> file = EncodeBitmapHeaders(width, height, 32, rowBytes);
    const std::size_t headerBytes = file.size();
    file.resize(headerBytes + rowBytes * static_cast<std::size_t>(height));
    std::uint8_t* const pixels = file.data() + headerBytes;
    bool fast = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                image->blue_mask == 0xFF;
    for (int row = 0; row < height; ++row) {
        // Bitmap rows run bottom-up.
        std::uint8_t* out = pixels + static_cast<std::size_t>(height - 1 - row) * rowBytes;
        if (fast) {
            const auto* in = reinterpret_cast<const std::uint8_t*>(image->data) +
                             static_cast<std::size_t>(row) * image->bytes_per_line;
            for (int col = 0; col < width; ++col) {
                out[4 * col + 0] = in[4 * col + 0];
                out[4 * col + 1] = in[4 * col + 1];
                out[4 * col + 2] = in[4 * col + 2];
                out[4 * col + 3] = 0;
            }
        } else {
            for (int col = 0; col < width; ++col) {
                ToBgrx(image, col, row, out + 4 * col);
            }
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);

    // A throwaway picture, so not synced to the disk; written fresh and private to the user.
    return WriteNewFile(path,
                        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()),
                        0600, false);
}

}  // namespace reef
