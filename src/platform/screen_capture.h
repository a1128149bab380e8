#pragma once

#include <string>

namespace reef {

// Reads the rectangle (x, y, width, height), in device pixels, of the X display's root window
// and writes it to `path` as an uncompressed bottom-up bitmap with 32 bits a pixel (blue, green,
// red, unused), the layout in which the X server keeps 24- and 32-bit screens. The file is made
// fresh with mode 0600 under a temporary name and renamed onto `path`, so a link, FIFO or device
// standing there is replaced, never written through. False, with no file written, when the display
// cannot be read (no X display, a Wayland session without X access, a rectangle outside the screen)
// or the file cannot be written.
bool CaptureScreenToBitmap(int x, int y, int width, int height, const std::string& path);

}  // namespace reef
