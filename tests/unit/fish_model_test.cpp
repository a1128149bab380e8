#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fish/fish_model.h"

namespace reef {
namespace {

TEST(FishModel, PartsHaveTheirLineAndPointCounts) {
    const struct {
        FishPart part;
        int lines, points;
    } cases[] = {
        {FishPart::kTrunk, 6, 20},    {FishPart::kUpperJaw, 3, 7},
        {FishPart::kLowerJaw, 4, 7},  {FishPart::kFrontDorsal, 2, 4},
        {FishPart::kAnalFin, 2, 10},  {FishPart::kPectoralFin, 2, 23},
        {FishPart::kPelvicFin, 2, 9}, {FishPart::kDorsalFin, 2, 12},
        {FishPart::kTailFin, 2, 31},  {FishPart::kGillCover, 3, 7},
    };
    for (const auto& c : cases) {
        const FishModelPart& part = GetFishModelPart(c.part);
        EXPECT_EQ(part.lines, c.lines) << static_cast<int>(c.part);
        EXPECT_EQ(part.points, c.points) << static_cast<int>(c.part);
    }
}

TEST(FishModel, EveryPointHasAUnitNormalAndATexCoordInTheSkin) {
    for (int p = 0; p < kFishPartCount; ++p) {
        const FishModelPart& part = GetFishModelPart(static_cast<FishPart>(p));
        for (int i = 0; i < part.lines * part.points; ++i) {
            const FishModelPoint& pt = part.data[i];
            float len = std::sqrt(pt.normal[0] * pt.normal[0] + pt.normal[1] * pt.normal[1] +
                                  pt.normal[2] * pt.normal[2]);
            EXPECT_NEAR(len, 1.0f, 1e-3) << "part " << p << " point " << i;
            EXPECT_GE(pt.texCoord[0], 0.0f);
            EXPECT_LE(pt.texCoord[0], 1.0f);
            EXPECT_GE(pt.texCoord[1], 0.0f);
            EXPECT_LE(pt.texCoord[1], 1.0f);
            // Stored halves lie on the y <= 0 side of the mid-plane.
            EXPECT_LE(pt.position[1], 1e-6f) << "part " << p << " point " << i;
        }
    }
}

TEST(FishModel, TrunkIsASlimFishFromSnoutToTail) {
    const FishModelPart& trunk = GetFishModelPart(FishPart::kTrunk);
    float lo[3] = {1, 1, 1}, hi[3] = {-1, -1, -1};
    for (int i = 0; i < trunk.lines * trunk.points; ++i) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], trunk.data[i].position[a]);
            hi[a] = std::max(hi[a], trunk.data[i].position[a]);
        }
    }
    EXPECT_NEAR(lo[0], -0.41f, 0.01f);
    EXPECT_NEAR(hi[0], 0.36f, 0.01f);
    EXPECT_NEAR(lo[2], -0.17f, 0.01f);
    EXPECT_NEAR(hi[2], 0.09f, 0.01f);
    EXPECT_NEAR(lo[1], -0.08f, 0.01f);  // the mirrored half reaches +0.08
    // The belly line runs from -0.406 to 0.343; lines 0 and 5 are the ridges in the mid-plane.
    EXPECT_NEAR(trunk.At(0, 0).position[0], -0.406f, 1e-4);
    EXPECT_NEAR(trunk.At(0, 19).position[0], 0.343f, 1e-4);
    for (int i = 0; i < 20; ++i) {
        EXPECT_NEAR(trunk.At(0, i).position[1], 0.0f, 1e-4);
        EXPECT_NEAR(trunk.At(5, i).position[1], 0.0f, 1e-4);
        EXPECT_LT(trunk.At(0, i).position[2], trunk.At(5, i).position[2]);
        if (i > 0) {
            EXPECT_GT(trunk.At(0, i).position[0], trunk.At(0, i - 1).position[0]);
        }
    }
    // Slim: at least three times as long as it is deep, and narrower than deep.
    EXPECT_GT(hi[0] - lo[0], 2.8f * (hi[2] - lo[2]));
    EXPECT_LT(-2 * lo[1], 0.7f * (hi[2] - lo[2]));
}

TEST(FishModel, FrontDorsalRingsLieUnderTheFin) {
    const int* rings = FrontDorsalRings();
    const FishModelPart& trunk = GetFishModelPart(FishPart::kTrunk);
    const FishModelPart& fin = GetFishModelPart(FishPart::kFrontDorsal);
    for (int p = 0; p < 4; ++p) {
        ASSERT_GE(rings[p], 0);
        ASSERT_LT(rings[p], 20);
        EXPECT_NEAR(trunk.At(0, rings[p]).position[0], fin.At(0, p).position[0], 0.02f);
    }
}

}  // namespace
}  // namespace reef
