#include "settings/profile.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include <cstdlib>
#include <string>

namespace reef {
namespace {

constexpr long kDefaultVolume = 1000;

// Where wxFileConfig keeps a file in the XDG layout. Computed here rather than by switching
// wxStandardPaths to that layout, which would change every other path the program asks for.
wxString ProfileFilePath() {
    std::string folder;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        folder = configHome;
    } else if (const char* home = std::getenv("HOME")) {
        folder = std::string(home) + "/.config";
    }
    return wxString::FromUTF8(folder + "/GlassReefScr.conf");
}

}  // namespace

int ReadProfileVolume() {
    // A broken profile file is not worth a message box: the default does.
    wxLogNull quiet;
    wxFileConfig profile("GlassReefScr", "Local AppWizard-Generated Applications",
                         ProfileFilePath(), wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    long volume = kDefaultVolume;
    if (!profile.Read("/Settings/Volume", &volume)) {
        volume = kDefaultVolume;
    }
    return static_cast<int>(volume);
}

}  // namespace reef
