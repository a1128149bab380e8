#include <wx/app.h>

#include <cstdlib>

#include "app/aquarium_app.h"

wxIMPLEMENT_APP_NO_MAIN(reef::AquariumApp);

int main(int argc, char** argv) {
    // The snapshot and the single-instance rules speak X11; on a Wayland desktop GTK goes
    // through XWayland too.
    setenv("GDK_BACKEND", "x11", 0);
    // Command-line arguments are ignored: wxWidgets and GTK are given the program name alone,
    // so no option of theirs can change or stop the aquarium.
    (void)argc;
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    return wxEntry(wxArgc, wxArgv);
}
