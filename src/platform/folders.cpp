#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace reef {
namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolders(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    return IsDirectory(path);
}

std::optional<std::string> PrivateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    // lstat, so that a link planted under the name is refused rather than followed. In a
    // shared folder such as /tmp the sticky bit keeps other users from renaming or removing a
    // folder of ours once it has passed this check.
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
        return std::nullopt;
    }
    if ((info.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0) {
        return std::nullopt;
    }
    return WithSlash(path);
}

std::optional<std::string> TempFolder() {
    // A folder the user chose is theirs to keep private.
    if (auto tmp = Env("TMPDIR"); tmp && IsDirectory(*tmp)) {
        return WithSlash(*tmp);
    }
    if (auto runtime = Env("XDG_RUNTIME_DIR"); runtime && IsDirectory(*runtime)) {
        if (auto folder = PrivateFolder(WithSlash(*runtime) + "glassreef")) {
            return folder;
        }
    }
    return PrivateFolder("/tmp/glassreef-" + std::to_string(geteuid()));
}

std::optional<std::string> ConfigFolder() {
    std::string base;
    if (auto config = Env("XDG_CONFIG_HOME"); config && config->front() == '/') {
        base = WithSlash(*config);
    } else if (auto home = Env("HOME")) {
        base = WithSlash(*home) + ".config/";
    } else {
        return std::nullopt;
    }
    std::string folder = base + "glassreef/";
    if (!MakeFolders(folder.substr(0, folder.size() - 1))) {
        return std::nullopt;
    }
    return folder;
}

std::optional<std::string> RuntimeFolder() {
    if (auto runtime = Env("XDG_RUNTIME_DIR"); runtime && IsDirectory(*runtime)) {
        return WithSlash(*runtime);
    }
    return TempFolder();
}

}  // namespace reef
