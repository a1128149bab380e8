#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace reef {

// Fills `row` (4 x width bytes: blue, green, red, unused) with row `y` of the picture, counted
// from the top. False stops the write.
using BitmapRowSource = std::function<bool(int y, std::uint8_t* row)>;

// Writes a `width` x `height` picture to `path` as an uncompressed bottom-up bitmap with 32 bits
// a pixel, asking `rows` for its rows from the bottom one (height - 1) up to the top one (0), the
// order in which the file stores them. The rows go to a temporary name beside `path`, created
// fresh and locked (CreateLockedTemp: O_EXCL, mode 0600), which is renamed onto `path` once
// complete: whatever stood there (a file, a link, a FIFO) is replaced, never opened or written
// through, and no reader sees half a picture. False on any failure (a row source that gives up
// included), with the temporary file removed and `path` left as it was.
bool WritePrivateBitmap(const std::string& path, int width, int height,
                        const BitmapRowSource& rows);

}  // namespace reef
