#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/message.h"
#include "scene/sand_floor.h"

namespace reef {
namespace {

std::vector<std::string> g_messages;

void RecordMessage(const std::string& text, const std::string& caption) {
    g_messages.push_back(text + " / " + caption);
}

TEST(SandFloor, TheTankFloorOf1680x1050) {
    auto grid = std::make_unique<SandFloorGrid>();
    grid->Build(108, 50, 1);
    struct Case {
        int row, col;
        float x, y, z;
    };
    const Case cases[] = {
        {0, 0, -54, 2.0f, -50},                                        // back left: the full swing
        {54, 0, 0, static_cast<float>(2 * std::cos(5.4)), -50},        // about 1.27
        {0, 48, -54, static_cast<float>(0.08 * std::cos(4.8)), -2},    // the last filled column
        {107, 10, 53, static_cast<float>(1.6 * std::cos(11.7)), -40},  // the last row
        {0, 49, 0, 0, 0},    // column depth - 1 is never filled
        {108, 0, 0, 0, 0},   // nor the rows past the width
        {-1, 0, 0, 0, 0},    // outside the store
        {0, 1000, 0, 0, 0},  //
    };
    for (const Case& c : cases) {
        SandVertex v = grid->Vertex(c.row, c.col);
        EXPECT_FLOAT_EQ(v.x, c.x) << c.row << "," << c.col;
        EXPECT_NEAR(v.y, c.y, 2e-6) << c.row << "," << c.col;
        EXPECT_FLOAT_EQ(v.z, c.z) << c.row << "," << c.col;
    }
    // The height follows the float phase step, not the exact 0.1.
    float step = 0.1f;
    EXPECT_FLOAT_EQ(grid->Vertex(30, 5).y,
                    static_cast<float>(std::cos(static_cast<long double>(step) * 35) * 45 * 0.04f));
}

TEST(SandFloor, AnOddWidthCentresOnTruncation) {
    auto grid = std::make_unique<SandFloorGrid>();
    grid->Build(109, 50, 1);
    EXPECT_EQ(grid->Vertex(0, 0).x, -54.0f);
    EXPECT_EQ(grid->Vertex(108, 0).x, 54.0f);
}

TEST(SandFloor, OversizedGridsAreReportedAndStayInsideTheStore) {
    SetMessageHandler(RecordMessage);
    g_messages.clear();
    auto grid = std::make_unique<SandFloorGrid>();
    grid->Build(1000, 1000, 1);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(grid->Vertex(999, 998).z, -2.0f);
    EXPECT_EQ(grid->Vertex(999, 999).z, 0.0f);

    // Rows and columns past 1000 are left out; the build still happens.
    grid->Build(5000, 3000, 2);
    EXPECT_EQ(g_messages, std::vector<std::string>{"MAP SIZE ERROR / GlassReefScr"});
    EXPECT_EQ(grid->Vertex(999, 999).x, 999.0f - 2500.0f);
    EXPECT_EQ(grid->Vertex(999, 999).z, 999.0f - 3000.0f);

    // Sizes whose product overflows 32 bits, and sizes of zero or less, are safe too.
    g_messages.clear();
    grid->Build(100000, 100000, 1);
    EXPECT_EQ(g_messages.size(), 1u);
    grid->Build(0, 0, 1);
    grid->Build(-5, -5, 1);
    EXPECT_EQ(grid->Vertex(0, 0).z, 0.0f);
    SetMessageHandler(nullptr);
}

}  // namespace
}  // namespace reef
