#include <gtest/gtest.h>

#include <memory>

#include "platform/random.h"
#include "scene/background_plane.h"
#include "scene/ripple_grid.h"
#include "view/screen_tables.h"

namespace reef {
namespace {

TEST(BackgroundPlane, CoversTheViewOnEveryScreen) {
    struct {
        int w, h;
        float halfWidth;  // 0: sized from the screen's own ratio
    } screens[] = {
        {1024, 768, 53.1f}, {1280, 1024, 49.9f}, {1680, 1050, 64}, {1440, 900, 64},
        {1280, 800, 64},    {1600, 900, 71},     {1366, 768, 71},  {1920, 1080, 0},
        {2560, 1440, 0},    {3440, 1440, 0},     {800, 600, 0},    {1280, 960, 0},
        {1920, 1200, 0},    {1080, 1920, 0},     {768, 1024, 0},   {1000, 1000, 0},
    };
    // The plane stands 99.5 units in front of the eye; the near plane, at distance 1, spans
    // the frustum's extents.
    const double distance = -10.5 - kBackgroundPlaneZ;
    for (auto screen : screens) {
        bool listed = IsAspectClassListed(screen.w, screen.h);
        EXPECT_EQ(listed, screen.halfWidth != 0) << screen.w << "x" << screen.h;
        PlaneHalfSize half = BackgroundHalfSize(AspectClassForScreen(screen.w, screen.h), screen.w,
                                                screen.h, listed);
        if (listed) {
            EXPECT_EQ(half.width, screen.halfWidth) << screen.w << "x" << screen.h;
            EXPECT_EQ(half.height, 40.0f);
        }
        Frustum f = FrustumForScreen(screen.w, screen.h);
        EXPECT_GE(half.width, distance * f.right) << screen.w << "x" << screen.h;
        EXPECT_GE(half.height, distance * f.top) << screen.w << "x" << screen.h;
    }
    // A 16:9 screen outside the table keeps class 1 but not its 49.9.
    EXPECT_FLOAT_EQ(BackgroundHalfSize(1, 1920, 1080, false).width, 40.0f * 1920 / 1080);
}

TEST(BackgroundPlane, ThePassCounterDrawsOneNumberWhenItRunsPastFifty) {
    BackgroundPassCounters counters;
    ProcessRandom().SetState(4242);
    for (int frame = 1; frame <= 51; ++frame) {
        counters.Advance();
        EXPECT_EQ(counters.cycle, frame % 10) << frame;
    }
    EXPECT_EQ(counters.pass, 51);
    EXPECT_EQ(ProcessRandom().State(), 4242u) << "no number drawn in the first 51 frames";
    RandomGenerator replay(4242);
    counters.Advance();  // the value before this one is 51
    EXPECT_EQ(counters.pass, replay.Next() % 50);
    EXPECT_EQ(ProcessRandom().State(), replay.State());
}

// Slot 0's age at each draw, to see that a grid is drawn between its drop and its step.
int g_drawCount = 0;
int g_ageAtDraw[kRippleGridCount];

void RecordDraw(const RippleGrid& grid) {
    g_ageAtDraw[g_drawCount++] = grid.Slot(0).age;
}

TEST(BackgroundPlane, RainFrameDrawsItsNumbersInOrder) {
    // The program draws only the first grid; every grid gets its drop, numbers and step either
    // way.
    for (int drawn : {kRippleGridCount, 1}) {
        RippleGrids grids;
        for (auto& grid : grids) {
            grid = std::make_unique<RippleGrid>();
            grid->SetShape(64, 32, 1024.0f, 4);
            grid->Resize(1680, 1050);
        }
        BackgroundPassCounters counters;
        ProcessRandom().SetState(777);
        g_drawCount = 0;
        RainFrame(grids, 1680, 1050, counters, drawn, RecordDraw);

        RandomGenerator replay(777);
        replay.Next();  // thrown away; the counters draw nothing on the first frame
        for (int g = 0; g < kRippleGridCount; ++g) {
            int y = replay.Next() % 1050;
            int x = replay.Next() % 1680;
            replay.Next();
            replay.Next();
            EXPECT_EQ(grids[g]->Slot(0).cx, x * 64 / 1680) << g;
            EXPECT_EQ(grids[g]->Slot(0).cy, y * 32 / 1050) << g;
            EXPECT_EQ(grids[g]->Slot(0).age, 5) << "one step";
        }
        EXPECT_EQ(g_drawCount, drawn);
        for (int g = 0; g < drawn; ++g) {
            EXPECT_EQ(g_ageAtDraw[g], 4) << "drawn after the drop, before the step";
        }
        EXPECT_EQ(ProcessRandom().State(), replay.State());
        EXPECT_EQ(counters.pass, 1);
    }
}

}  // namespace
}  // namespace reef
