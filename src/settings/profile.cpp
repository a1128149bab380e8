#include "settings/profile.h"

#include <cstdlib>
#include <string>

#include "settings/ini_file.h"

namespace reef {
namespace {

constexpr int kDefaultVolume = 1000;  // also the loudest

// Where wxFileConfig keeps a file in the XDG layout.
std::string ProfileFilePath() {
    std::string folder;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        folder = configHome;
    } else if (const char* home = std::getenv("HOME")) {
        folder = std::string(home) + "/.config";
    }
    return folder + "/GlassReefScr.conf";
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// A whole decimal number within int, as wxString::ToLong takes it; nothing else.
bool ParseWholeInt(std::string_view text, int& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) {
        return false;
    }
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    number = negative ? -number : number;
    if (number < -2147483648LL || number > 2147483647LL) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

}  // namespace

int ProfileVolumeFromText(std::string_view text) {
    bool inSettings = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inSettings =
                close != std::string_view::npos && Trim(line.substr(1, close - 1)) == "Settings";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSettings || equals == std::string_view::npos ||
            Trim(line.substr(0, equals)) != "Volume") {
            continue;
        }
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        int volume = kDefaultVolume;
        if (!ParseWholeInt(value, volume)) {
            return kDefaultVolume;
        }
        return volume < 0 ? 0 : (volume > kDefaultVolume ? kDefaultVolume : volume);
    }
    return kDefaultVolume;
}

int ReadProfileVolume() {
    return ProfileVolumeFromText(ReadIniFileText(ProfileFilePath()));
}

}  // namespace reef
