// Drawing tests run inside the real program's frame and view on an X display (Xvfb in the
// suite); each test renders frames and reads the OpenGL state or pixels back.
#include <gtest/gtest.h>

#include "app/harness.h"
#include "app/main_frame.h"
#include "gl_test_support.h"
#include "settings/aquarium_settings.h"

namespace reef::test {
namespace {

CMainFrame* g_frame = nullptr;

}  // namespace

AquariumView& View() {
    return *g_frame->View();
}

}  // namespace reef::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    reef::test::g_frame = reef::StartHarness(argc, argv);
    if (reef::test::g_frame == nullptr) {
        return 1;
    }
    // A fresh settings file gives each kind 0 to 3 fish at random; the tests start from an
    // empty tank, and those that want fish set their own counts.
    reef::g_settings.nFishCount.fill(0);
    int result = RUN_ALL_TESTS();
    reef::StopHarness(reef::test::g_frame);
    return result;
}
