#include <gtest/gtest.h>

#include "view/screen_tables.h"

namespace reef {
namespace {

TEST(TankBox, ListedScreensAndNearestAspectForOthers) {
    struct {
        int w, h;
        float minX, maxX;
    } cases[] = {
        {1680, 1050, -54, 54}, {800, 600, -49, 49},   {1024, 768, -49, 49},
        {1280, 960, -49, 49},  {1280, 1024, -49, 49}, {1440, 900, -55, 55},
        {1600, 900, -58, 58},  {1920, 1080, -58, 58},  // 16:9 -> the 1600 x 900 row
        {2560, 1440, -58, 58},                         // 16:9
        {1920, 1200, -55, 55},  // 16:10 -> the 1440 x 900 row, the first of that ratio
        {1600, 1200, -49, 49},  // 4:3
        {3440, 1440, -58, 58},  // ultra-wide: the widest row
        {1080, 1920, -49, 49},  // portrait: the narrowest row
    };
    for (auto c : cases) {
        TankBox box = TankBoxForScreen(c.w, c.h);
        EXPECT_EQ(box.minX, c.minX) << c.w << "x" << c.h;
        EXPECT_EQ(box.maxX, c.maxX) << c.w << "x" << c.h;
        EXPECT_EQ(box.maxY, 21) << c.w << "x" << c.h;
        EXPECT_EQ(box.minY, -21);
        EXPECT_EQ(box.minZ, -50);
        EXPECT_EQ(box.maxZ, 0);
    }
}

TEST(AspectClass, ListedScreensAndClassOneForAllOthers) {
    struct {
        int w, h, aspectClass;
    } cases[] = {
        {1024, 768, 0}, {1280, 1024, 1}, {1680, 1050, 2}, {1440, 900, 3}, {1280, 800, 4},
        {1600, 900, 5}, {1366, 768, 6},  {1920, 1080, 1}, {800, 600, 1},  {1280, 960, 1},
    };
    for (auto c : cases) {
        EXPECT_EQ(AspectClassForScreen(c.w, c.h), c.aspectClass) << c.w << "x" << c.h;
    }
}

TEST(Frustum, ShorterSideSpansPointFourAtTheNearPlane) {
    Frustum wide = FrustumForScreen(1920, 1080);
    EXPECT_NEAR(wide.right, 0.7111, 1e-4);
    EXPECT_DOUBLE_EQ(wide.left, -wide.right);
    EXPECT_DOUBLE_EQ(wide.top, 0.4);
    EXPECT_DOUBLE_EQ(wide.bottom, -0.4);
    EXPECT_DOUBLE_EQ(wide.zNear, 1.0);
    EXPECT_DOUBLE_EQ(wide.zFar, 1000.0);

    Frustum tall = FrustumForScreen(1080, 1920);
    EXPECT_DOUBLE_EQ(tall.right, 0.4);
    EXPECT_NEAR(tall.top, 0.7111, 1e-4);

    Frustum square = FrustumForScreen(1000, 1000);
    EXPECT_DOUBLE_EQ(square.right, 0.4);
    EXPECT_DOUBLE_EQ(square.top, 0.4);

    EXPECT_DOUBLE_EQ(FrustumForScreen(1680, 1050).right, 0.4 * 1.6);
}

}  // namespace
}  // namespace reef
