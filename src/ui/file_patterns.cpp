#include "ui/file_patterns.h"

#include <cctype>

#include "platform/folders.h"

namespace reef {

std::string AnyCasePattern(const std::string& extension) {
    std::string pattern = "*.";
    for (char c : extension) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && std::tolower(u) != std::toupper(u)) {
            pattern += '[';
            pattern += static_cast<char>(std::tolower(u));
            pattern += static_cast<char>(std::toupper(u));
            pattern += ']';
        } else {
            pattern += c;
        }
    }
    return pattern;
}

std::string AddFilesWildcard(const std::string& label, const std::vector<std::string>& extensions) {
    std::string patterns;
    for (const std::string& extension : extensions) {
        if (!patterns.empty()) {
            patterns += ';';
        }
        patterns += AnyCasePattern(extension);
    }
    return label + "|" + patterns + "|All files (*)|*";
}

std::string AddFilesStartFolder(const std::string& lastChosenFolder, const std::string& lastListed,
                                const std::string& userFolder) {
    const std::size_t slash = lastListed.rfind('/');
    const std::string listedFolder =
        slash == std::string::npos ? "" : lastListed.substr(0, slash + 1);
    for (const std::string& folder : {lastChosenFolder, listedFolder, userFolder}) {
        if (!folder.empty() && IsDirectory(folder)) {
            return folder;
        }
    }
    return {};
}

}  // namespace reef
