#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/random.h"
#include "ripple_direct_step.h"
#include "scene/ripple_grid.h"

namespace reef {
namespace {

std::uint32_t Bits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::unique_ptr<RippleGrid> MakeGrid(int columns, int rows, float life, int slots, int width,
                                     int height) {
    auto grid = std::make_unique<RippleGrid>();
    grid->SetShape(columns, rows, life, slots);
    grid->Resize(width, height);
    return grid;
}

void StepTimes(RippleGrid& grid, int steps) {
    for (int s = 0; s < steps; ++s) {
        grid.Step();
    }
}

TEST(RippleGrid, InitDrawsItsShapeInOrderFromTheProcessGenerator) {
    const int sides[3] = {16, 32, 64};
    for (std::uint32_t state : {1u, 12345u, 0xDEADBEEFu, 7u}) {
        RandomGenerator replay(state);
        int columns = sides[replay.Next() % 3];
        int rows = sides[replay.Next() % 3];
        float life = 512.0f * static_cast<float>(1 + replay.Next() % 6);
        int slots = 2 + replay.Next() % 7;

        ProcessRandom().SetState(state);
        RippleGrid grid;
        grid.Init();
        EXPECT_EQ(grid.Columns(), columns) << state;
        EXPECT_EQ(grid.Rows(), rows) << state;
        EXPECT_EQ(grid.WaveLife(), life) << state;
        EXPECT_EQ(grid.SlotCount(), slots) << state;
        EXPECT_EQ(ProcessRandom().State(), replay.State()) << "four numbers drawn";
    }
}

TEST(RippleGrid, ResizeLaysOutTheMeshAndFinishesEverySlot) {
    auto grid = MakeGrid(64, 16, 1536.0f, 5, 1680, 1050);
    EXPECT_EQ(grid->Diagonal(), 1981);  // sqrt(1680^2 + 1050^2) = 1981.1
    for (int k = 0; k < grid->SlotCount(); ++k) {
        EXPECT_EQ(grid->Slot(k).age, 1981 + 1536) << k;
        EXPECT_EQ(grid->Slot(k).endAge, 0) << k;
    }
    // Columns and rows differ, so cells are not square in texture space.
    struct {
        int i, j;
        float x, y, s, t;
    } vertices[] = {
        {0, 0, -1, -1, 0, 0},
        {63, 15, 1, 1, 1, 1},
        {1, 1, 2.0f / 63 - 1, 2.0f / 15 - 1, 1.0f / 63, 1.0f / 15},
        {21, 5, 2.0f * 21 / 63 - 1, 2.0f * 5 / 15 - 1, 1.0f / 3, 1.0f / 3},
    };
    for (auto v : vertices) {
        EXPECT_FLOAT_EQ(grid->X(v.i, v.j), v.x) << v.i << "," << v.j;
        EXPECT_FLOAT_EQ(grid->Y(v.i, v.j), v.y) << v.i << "," << v.j;
        EXPECT_FLOAT_EQ(grid->RestS(v.i, v.j), v.s) << v.i << "," << v.j;
        EXPECT_FLOAT_EQ(grid->RestT(v.i, v.j), v.t) << v.i << "," << v.j;
        EXPECT_EQ(grid->S(v.i, v.j), grid->RestS(v.i, v.j));
        EXPECT_EQ(grid->T(v.i, v.j), grid->RestT(v.i, v.j));
    }
}

TEST(RippleGrid, ADropsCentreAndEndAge) {
    struct {
        int columns, rows;
        float life;
        int width, height, x, y;
        int cx, cy, endAge;
    } cases[] = {
        // R = sqrt(64^2 + 64^2) = 90.51 cells; 90.51 / 64 * 1680 + 512 / 6 = 2461.2
        {64, 64, 512, 1680, 1050, 0, 0, 0, 0, 2461},
        // Last pixel: floor(1679 / 1680 * 16) = 15, floor(1049 / 1050 * 32) = 31;
        // R = sqrt(15^2 + 31^2) = 34.44; 34.44 / 16 * 1680 + 3072 / 6 = 4128.0
        {16, 32, 3072, 1680, 1050, 1679, 1049, 15, 31, 4128},
        // Centre of a 32 x 16 grid; rows are scaled by the column count too:
        // R = sqrt(16^2 + 8^2) = 17.89; 17.89 / 32 * 1920 + 1024 / 6 = 1243.98
        {32, 16, 1024, 1920, 1080, 960, 540, 16, 8, 1243},
        // Outside the view: pulled to its edge, (159, 0) -> (15, 0);
        // R = sqrt(15^2 + 16^2) = 21.93; 21.93 / 16 * 160 + 512 / 6 = 304.6
        {16, 16, 512, 160, 160, 500, -3, 15, 0, 304},
    };
    for (auto c : cases) {
        auto grid = MakeGrid(c.columns, c.rows, c.life, 3, c.width, c.height);
        grid->AddDrop(c.x, c.y);
        const RippleDrop& drop = grid->Slot(0);
        EXPECT_EQ(drop.cx, c.cx) << c.x << "," << c.y;
        EXPECT_EQ(drop.cy, c.cy) << c.x << "," << c.y;
        EXPECT_EQ(drop.age, 4);
        EXPECT_EQ(drop.endAge, c.endAge) << c.x << "," << c.y;
    }
}

TEST(RippleGrid, DropsTakeTheFirstFinishedSlot) {
    // 16 x 16 pixels, life 512: end age = R + 85 for a drop R cells from its farthest corner.
    auto grid = MakeGrid(16, 16, 512.0f, 3, 16, 16);
    grid->AddDrop(8, 8);    // R = sqrt(8^2 + 8^2) = 11.3 -> 96
    grid->AddDrop(0, 0);    // R = 22.6 -> 107
    grid->AddDrop(15, 15);  // R = 21.2 -> 106
    const int endAges[] = {96, 107, 106};
    const int columns[] = {8, 0, 15};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grid->Slot(k).cx, columns[k]) << k;
        EXPECT_EQ(grid->Slot(k).endAge, endAges[k]) << k;
    }

    StepTimes(*grid, 2);
    grid->AddDrop(3, 3);  // every slot busy: ignored
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grid->Slot(k).cx, columns[k]) << k;
        EXPECT_EQ(grid->Slot(k).age, 6) << k;
    }

    StepTimes(*grid, 90);  // slot 0 reaches its end age
    grid->AddDrop(3, 3);
    EXPECT_EQ(grid->Slot(0).cx, 3);
    EXPECT_EQ(grid->Slot(0).age, 4);
    EXPECT_EQ(grid->Slot(1).cx, 0);
    EXPECT_EQ(grid->Slot(2).cx, 15);
}

// Whether any vertex of column i has left its rest position.
bool ColumnMoved(const RippleGrid& grid, int i) {
    for (int j = 0; j < grid.Rows(); ++j) {
        if (grid.S(i, j) != grid.RestS(i, j) || grid.T(i, j) != grid.RestT(i, j)) {
            return true;
        }
    }
    return false;
}

TEST(RippleGrid, ADropMovesOnlyFifteenColumnsEachSide) {
    struct {
        int columns;
    } cases[] = {{64}, {16}};
    for (auto c : cases) {
        // One slot, a drop in column 0, and enough steps for the front to cross 15 columns
        // (distance up to 1131) while the wave life is still running.
        auto grid = MakeGrid(c.columns, 32, 3072.0f, 1, 6400, 6400);
        grid->AddDrop(0, 3200);
        ASSERT_EQ(grid->Slot(0).cx, 0);
        StepTimes(*grid, 1200);
        for (int i = 0; i < c.columns; ++i) {
            EXPECT_EQ(ColumnMoved(*grid, i), i <= 15)
                << "columns " << c.columns << ", column " << i;
        }
    }
}

TEST(RippleGrid, TheFactorGrowsUnclampedPastTheWaveLife) {
    // Life 512, but the end age of a drop in a 16000-pixel view lies far beyond it.
    auto grid = MakeGrid(16, 16, 512.0f, 1, 16000, 16000);
    grid->AddDrop(0, 0);
    ASSERT_GT(grid->Slot(0).endAge, 4000);
    // Vertex (1, 0) sits at offset entry 64: direction (1, 0), distance 51. Past age 51 + 511
    // the amplitude stays at row 511, 0.0125452, and the factor (1 - age / 512)^2 keeps growing.
    for (int age : {1024, 1600, 2600}) {
        StepTimes(*grid, age - grid->Slot(0).age);
        ASSERT_EQ(grid->Slot(0).age, age);
        double factor = std::pow(1.0 - age / 512.0, 2);
        EXPECT_NEAR(grid->S(1, 0) - grid->RestS(1, 0), factor * 0.0125452, 1e-6 * factor) << age;
        EXPECT_EQ(grid->T(1, 0), grid->RestT(1, 0)) << age;
    }
}

// The texture coordinates of RippleGrid::Step() and of the plain loop agree bit for bit.
void ExpectSameAsDirect(const RippleGrid& grid, const DirectRipple& direct, int step) {
    for (int i = 0; i < grid.Columns(); ++i) {
        for (int j = 0; j < grid.Rows(); ++j) {
            ASSERT_EQ(Bits(grid.S(i, j)), Bits(direct.At(i, j).s))
                << "s at " << i << "," << j << " after step " << step;
            ASSERT_EQ(Bits(grid.T(i, j)), Bits(direct.At(i, j).t))
                << "t at " << i << "," << j << " after step " << step;
        }
    }
}

TEST(RippleGrid, StepMatchesTheDirectLoopBitForBit) {
    struct {
        int columns, rows;
        float life;
        int slots;
    } shapes[] = {
        {64, 64, 1024, 8},
        {16, 64, 512, 3},
        {64, 16, 3072, 14},
        {32, 32, 2048, 2},
    };
    RandomGenerator drops(99);
    for (auto shape : shapes) {
        auto grid = MakeGrid(shape.columns, shape.rows, shape.life, shape.slots, 1680, 1050);
        DirectRipple direct(*grid);
        for (int step = 0; step < 1500; ++step) {
            // As in the running program: one drop a frame at a random pixel.
            grid->AddDrop(drops.Next() % 1680, drops.Next() % 1050);
            direct.TakeSlots(*grid);
            grid->Step();
            direct.Step();
            ASSERT_NO_FATAL_FAILURE(ExpectSameAsDirect(*grid, direct, step))
                << shape.columns << "x" << shape.rows << " life " << shape.life;
        }
    }
}

TEST(RippleGrid, SignedZerosFollowTheFullSum) {
    // Rest coordinates of -0.0 in column 40, and two drops in column 63, 23 columns away: out of
    // reach, so every term there is zero. Adding -0.0 keeps -0.0, adding +0.0 gives +0.0. For s
    // both terms are -0.0 (left of the centres); for t the drop in row 0 gives +0.0 (at or above
    // its centre) and the one in row 63 gives -0.0.
    auto grid = MakeGrid(64, 64, 1024.0f, 2, 1680, 1050);
    for (int j = 0; j < 64; ++j) {
        grid->SetRestTexCoordForTest(40, j, -0.0f, -0.0f);
    }
    grid->AddDrop(1679, 0);
    grid->AddDrop(1679, 1049);
    DirectRipple direct(*grid);
    grid->Step();
    direct.Step();
    ExpectSameAsDirect(*grid, direct, 0);
    EXPECT_EQ(Bits(grid->S(40, 10)), 0x80000000u);
    EXPECT_EQ(Bits(grid->T(40, 10)), 0u);
}

}  // namespace
}  // namespace reef
