// Drawing tests run inside the real program's frame and view on an X display (Xvfb in the
// suite): wxWidgets is started without its event loop, the frame is built as the program builds
// it, and each test renders frames and reads the OpenGL state or pixels back.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/main_frame.h"
#include "gl_test_support.h"
#include "view/aquarium_view.h"

namespace reef::test {
namespace {

CMainFrame* g_frame = nullptr;

}  // namespace

AquariumView& View() {
    return *g_frame->View();
}

void ProcessPendingEvents() {
    // One event at a time, a bounded number of times: GLib re-arms the view's 1 ms timer from
    // the time its frame started, so after a frame slower than 1 ms the timer is due again at
    // once and a Yield(), which runs until nothing is pending, would never return.
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    for (int i = 0; i < 20 && loop.Pending(); ++i) {
        loop.Dispatch();
    }
}

}  // namespace reef::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("GDK_BACKEND", "x11", 1);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wxWidgets (is there an X display?)\n");
        return 1;
    }
    reef::test::g_frame = new reef::CMainFrame();
    reef::test::g_frame->CreateAndShow();
    reef::test::ProcessPendingEvents();
    if (!reef::test::View().HasContext()) {
        std::fprintf(stderr, "the view has no OpenGL context\n");
        return 1;
    }
    int result = RUN_ALL_TESTS();
    reef::test::g_frame->Close(true);
    reef::test::ProcessPendingEvents();
    wxEntryCleanup();
    return result;
}
