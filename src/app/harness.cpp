#include "app/harness.h"

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

#include "app/main_frame.h"
#include "view/aquarium_view.h"

namespace reef {

void ProcessPendingEvents() {
    // Bounded: wxYield would loop for as long as events keep coming.
    for (int i = 0; i < 200 && wxTheApp->Pending(); ++i) {
        wxTheApp->Dispatch();
    }
    wxTheApp->ProcessPendingEvents();
}

CMainFrame* StartHarness(int& argc, char** argv) {
    setenv("GDK_BACKEND", "x11", 1);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wxWidgets (is there an X display?)\n");
        return nullptr;
    }
    auto* frame = new CMainFrame();
    frame->CreateAndShow();
    if (frame->View() == nullptr || !frame->View()->HasContext()) {
        std::fprintf(stderr, "the view has no OpenGL context\n");
        return nullptr;
    }
    // The caller renders the frames it wants; the frame timer would render others in between.
    frame->View()->StopFrameTimer();
    ProcessPendingEvents();
    return frame;
}

void StopHarness(CMainFrame* frame) {
    if (frame != nullptr) {
        frame->Close(true);
        ProcessPendingEvents();
    }
    wxEntryCleanup();
}

}  // namespace reef
