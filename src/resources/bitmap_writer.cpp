#include "resources/bitmap_writer.h"

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "platform/temp_files.h"
#include "resources/bmp_format.h"

namespace reef {

bool WritePrivateBitmap(const std::string& path, int width, int height,
                        const BitmapRowSource& rows) {
    if (width <= 0 || height <= 0) {
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
        return false;
    }
    const std::size_t rowBytes = BmpRowBytes(32, width);
    std::vector<std::uint8_t> headers = EncodeBitmapHeaders(width, height, 32, rowBytes);
    bool ok = std::fwrite(headers.data(), 1, headers.size(), file) == headers.size();
    std::vector<std::uint8_t> row(rowBytes);
    for (int y = height - 1; ok && y >= 0; --y) {
        ok = rows(y, row.data()) && std::fwrite(row.data(), 1, rowBytes, file) == rowBytes;
    }
    // Renamed while the file is still open and locked: a temporary name nobody holds is a
    // leftover of a writer that was cut short, which the next start removes.
    ok = std::fflush(file) == 0 && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        ok = false;
    }
    return std::fclose(file) == 0 && ok;
}

}  // namespace reef
