#include "platform/help_page.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace reef {
namespace {

constexpr const char* kPageInTree = "share/glassreef/help/index.html";

// Set by the build to the page's place under the install prefix.
#ifndef GLASSREEF_INSTALLED_HELP
#define GLASSREEF_INSTALLED_HELP "/usr/local/share/glassreef/help/index.html"
#endif

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The real path of an existing regular file, or empty.
std::string ExistingFile(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr || access(resolved, R_OK) != 0) {
        return {};
    }
    return resolved;
}

std::string RunningProgram() {
    std::vector<char> buffer(PATH_MAX);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

std::string FileAddress(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    return url;
}

std::string HelpPageAddressFor(const std::string& program, const std::string& fallback) {
    if (!program.empty()) {
        const std::string folder = ParentFolder(program);
        for (const std::string& base : {ParentFolder(folder), folder}) {
            const std::string page = ExistingFile(base + "/" + kPageInTree);
            if (!page.empty()) {
                return FileAddress(page);
            }
        }
    }
    return FileAddress(fallback);
}

std::string HelpPageAddress() {
    return HelpPageAddressFor(RunningProgram(), GLASSREEF_INSTALLED_HELP);
}

}  // namespace reef
