// Drawing tests run inside the real program's frame and view on an X display (Xvfb in the
// suite); each test renders frames and reads the OpenGL state or pixels back.
#include <gtest/gtest.h>

#include "app/harness.h"
#include "app/main_frame.h"
#include "gl_test_support.h"

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
    int result = RUN_ALL_TESTS();
    reef::StopHarness(reef::test::g_frame);
    return result;
}
