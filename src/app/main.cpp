#include <wx/app.h>

#include <cstdlib>

#include "app/aquarium_app.h"

wxIMPLEMENT_APP_NO_MAIN(reef::AquariumApp);

int main(int argc, char** argv) {
    // The snapshot and the single-instance rules speak X11; on a Wayland desktop GTK goes
    // through XWayland too.
    setenv("GDK_BACKEND", "x11", 0);
    return wxEntry(argc, argv);
}
