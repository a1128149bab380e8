#include <gtest/gtest.h>

#include "media/picture_fit.h"

namespace reef {
namespace {

TEST(PictureFit, TheCropHasTheBoxsShapeAndIsCentred) {
    const struct {
        int width, height, boxWidth, boxHeight;
        PixelRect crop;
    } cases[] = {
        {1680, 1050, 1680, 1050, {0, 0, 1680, 1050}},     // the screen's own shape: all of it
        {3000, 4000, 1680, 1050, {0, 1062, 3000, 1875}},  // portrait: top and bottom go
        {2100, 900, 1680, 1050, {330, 0, 1440, 900}},     // 21:9 panorama: the sides go
        {4000, 3000, 1680, 1050, {0, 250, 4000, 2500}},   // 4:3 on 16:10
        {600, 375, 1680, 1050, {0, 0, 600, 375}},         // smaller, same shape: kept whole
        {1, 1000, 1680, 1050, {0, 499, 1, 1}},            // a sliver keeps a pixel
        {0, 0, 0, 0, {0, 0, 1, 1}},                       // nothing counts as one pixel
    };
    for (const auto& c : cases) {
        const PixelRect crop = CoverCrop(c.width, c.height, c.boxWidth, c.boxHeight);
        EXPECT_EQ(crop.x, c.crop.x) << c.width << "x" << c.height;
        EXPECT_EQ(crop.y, c.crop.y) << c.width << "x" << c.height;
        EXPECT_EQ(crop.width, c.crop.width) << c.width << "x" << c.height;
        EXPECT_EQ(crop.height, c.crop.height) << c.width << "x" << c.height;
    }
}

TEST(PictureFit, JpegReductionStillCoversTheBox) {
    const struct {
        int width, height, boxWidth, boxHeight, reduction;
    } cases[] = {
        {6000, 4000, 1680, 1050, 2},  // 3000 x 2000 covers; 1500 x 1000 would not
        {4000, 3000, 1680, 1050, 2},
        {3000, 4000, 1680, 1050, 1},  // a portrait needs its whole width
        {16000, 9000, 1680, 1050, 8},
        {1000, 800, 1680, 1050, 1},  // smaller than the box
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CoverReduction(c.width, c.height, c.boxWidth, c.boxHeight), c.reduction)
            << c.width << "x" << c.height;
    }
}

TEST(PictureFit, PlanePictureHasThePlanesShapeAndCoversTheScreen) {
    const struct {
        int width, height;
        float aspect;
        PixelSize size;
    } cases[] = {
        {1680, 1050, 64.0f / 40.0f, {1680, 1050}},
        {1024, 768, 53.1f / 40.0f, {1024, 771}},     // the plane is a little narrower than 4:3
        {1920, 1080, 1920.0f / 1080, {1920, 1080}},  // unlisted screens: their own shape
        {1050, 1680, 40.0f / 64.0f, {1050, 1680}},   // portrait screen
        {1366, 768, 71.0f / 40.0f, {1366, 770}},     // a little wider than the plane
    };
    for (const auto& c : cases) {
        const PixelSize size = PlanePictureSize(c.width, c.height, c.aspect);
        EXPECT_EQ(size.width, c.size.width) << c.width << "x" << c.height;
        EXPECT_EQ(size.height, c.size.height) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace reef
