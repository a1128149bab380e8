#include "platform/screen_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/temp_files.h"
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

// Converts row `row` of `image` (width pixels) into a bitmap row of blue, green, red, unused.
void ToBitmapRow(XImage* image, int row, int width, std::uint8_t* out) {
    const bool fast = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                      image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                      image->blue_mask == 0xFF;
    if (!fast) {
        for (int col = 0; col < width; ++col) {
            ToBgrx(image, col, row, out + 4 * col);
        }
        return;
    }
    const auto* in = reinterpret_cast<const std::uint8_t*>(image->data) +
                     static_cast<std::size_t>(row) * image->bytes_per_line;
    for (int col = 0; col < width; ++col) {
        out[4 * col + 0] = in[4 * col + 0];
        out[4 * col + 1] = in[4 * col + 1];
        out[4 * col + 2] = in[4 * col + 2];
        out[4 * col + 3] = 0;
    }
}

// The screen is read in bands of this many rows, so that neither the X library nor this file
// holds a copy of the whole screen (7 MB at 1680 x 1050, twice over inside Xlib).
constexpr int kBandRows = 64;

// Reads the rows [start, end) of the rectangle; nothing when the display cannot be read.
XImage* ReadBand(Display* display, int x, int y, int width, int start, int end) {
    return XGetImage(display, DefaultRootWindow(display), x, y + start,
                     static_cast<unsigned>(width), static_cast<unsigned>(end - start), AllPlanes,
                     ZPixmap);
}

// Writes the bitmap of the rectangle to `path`, the bottom band first as the file's rows run
// bottom-up. The rows go to a temporary name beside `path`, created fresh (CreateLockedTemp:
// O_EXCL, mode 0600), which is renamed onto `path` once complete: whatever stood there (a file, a
// link, a FIFO) is replaced, never opened or written through, and no reader sees half a picture. On
// any failure the temporary file is removed and `path` is left as it was.
bool WriteBitmap(Display* display, int x, int y, int width, int height, const std::string& path) {
    int end = height;
    int start = std::max(0, end - kBandRows);
    XImage* band = ReadBand(display, x, y, width, start, end);
    if (band == nullptr) {
        return false;
    }
    std::string temp;
    int fd = CreateLockedTemp(path, temp);
    std::FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
        if (fd >= 0) {
            close(fd);
            unlink(temp.c_str());
        }
        XDestroyImage(band);
        return false;
    }
    const std::size_t rowBytes = BmpRowBytes(32, width);
    std::vector<std::uint8_t> headers = EncodeBitmapHeaders(width, height, 32, rowBytes);
    bool ok = std::fwrite(headers.data(), 1, headers.size(), file) == headers.size();
    std::vector<std::uint8_t> row(rowBytes);
    while (ok && band != nullptr) {
        for (int r = end - 1; ok && r >= start; --r) {
            ToBitmapRow(band, r - start, width, row.data());
            ok = std::fwrite(row.data(), 1, rowBytes, file) == rowBytes;
        }
        XDestroyImage(band);
        band = nullptr;
        end = start;
        if (ok && end > 0) {
            start = std::max(0, end - kBandRows);
            band = ReadBand(display, x, y, width, start, end);
            ok = band != nullptr;
        }
    }
    // Renamed while the file is still open and locked: a temporary name nobody holds is a
    // leftover of a capture that was cut short, which the next start removes.
    ok = std::fflush(file) == 0 && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        ok = false;
    }
    return std::fclose(file) == 0 && ok;
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
    // With the server grabbed no other client draws between two bands, so the picture is of
    // one moment, as a single read of the whole screen would be.
    XGrabServer(display);
    bool ok = WriteBitmap(display, x, y, width, height, path);
    XUngrabServer(display);
    XSync(display, False);
    XSetErrorHandler(oldHandler);
    XCloseDisplay(display);
    return ok;
}

}  // namespace reef
