#include "platform/new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace reef {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool WriteNewFile(const std::string& path, std::string_view bytes, unsigned mode, bool durable) {
    std::string temp = path + ".XXXXXX";
    // mkostemp adds O_CREAT | O_EXCL and creates the file with mode 0600.
    int fd = mkostemp(temp.data(), O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, static_cast<mode_t>(mode)) == 0 && WriteAll(fd, bytes) &&
              (!durable || fsync(fd) == 0);
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace reef
