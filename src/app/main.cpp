#include <wx/app.h>

#include <cstdlib>

#include "app/aquarium_app.h"

wxIMPLEMENT_APP_NO_MAIN(reef::AquariumApp);

int main(int argc, char** argv) {
    // The OpenGL canvas speaks GLX, so GTK must go through X11: on a Wayland desktop through
    // Xwayland, whatever backend the user's environment asks for (with "wayland" GTK would come
    // up without X and the program could not start at all).
    setenv("GDK_BACKEND", "x11", 1);
    // Command-line arguments are ignored: wxWidgets and GTK are given the program name alone,
    // so no option of theirs can change or stop the aquarium.
    (void)argc;
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    return wxEntry(wxArgc, wxArgv);
}
