#include <gtest/gtest.h>

#include "ui/playlist_colors.h"
#include "ui/slider_geometry.h"

namespace reef {
namespace {

TEST(SliderChecker, RowsAlternate0x55And0xAA) {
    for (int y = 0; y < 16; ++y) {
        int row = 0;
        for (int x = 0; x < 8; ++x) {
            row = row << 1 | (SliderCheckerBit(x, y) ? 1 : 0);
            EXPECT_EQ(SliderCheckerBit(x, y), SliderCheckerBit(x + 8, y));  // repeats every 8
        }
        EXPECT_EQ(row, y % 2 == 0 ? 0x55 : 0xAA) << y;
    }
}

TEST(SliderChecker, ThumbEllipseCoversCentreNotCorners) {
    const UiRect thumb{9, 5, 11, 20};
    EXPECT_TRUE(InsideEllipse(thumb, 14, 15));  // centre
    EXPECT_TRUE(InsideEllipse(thumb, 9, 15));   // left end of the middle row
    EXPECT_TRUE(InsideEllipse(thumb, 14, 5));   // top of the middle column
    EXPECT_FALSE(InsideEllipse(thumb, 9, 5));   // corners
    EXPECT_FALSE(InsideEllipse(thumb, 19, 24));
    EXPECT_FALSE(InsideEllipse(thumb, 20, 15));  // just outside
    EXPECT_FALSE(InsideEllipse(UiRect{0, 0, 0, 5}, 0, 0));
}

TEST(SliderGeometry, HorizontalChannelThumbAndValues) {
    const SliderGeometry g(200, 30, kSliderHorizontal, 0, 100);
    // The channel runs between the end margins (14 pixels), 4 pixels thick, centred.
    EXPECT_EQ(g.Channel(), (UiRect{14, 13, 172, 4}));
    EXPECT_EQ(g.Thumb(0), (UiRect{9, 5, 11, 20}));
    EXPECT_EQ(g.Thumb(100), (UiRect{181, 5, 11, 20}));
    EXPECT_EQ(g.Thumb(50), (UiRect{95, 5, 11, 20}));
    EXPECT_EQ(g.Thumb(-5), g.Thumb(0));  // out-of-range values stay on the channel
    EXPECT_EQ(g.Thumb(500), g.Thumb(100));
    EXPECT_EQ(g.ValueAt(14, 0), 0);
    EXPECT_EQ(g.ValueAt(186, 0), 100);
    EXPECT_EQ(g.ValueAt(100, 29), 50);
    EXPECT_EQ(g.ValueAt(-40, 0), 0);
    EXPECT_EQ(g.ValueAt(900, 0), 100);
}

TEST(SliderGeometry, PointingAtAThumbGivesItsValue) {
    for (int style : {0, 1, 1 | 2}) {  // horizontal, vertical, vertical with ticks
        const SliderGeometry g(style & kSliderVertical ? 30 : 160,
                               style & kSliderVertical ? 160 : 30, style, -5, 7);
        for (int value = -5; value <= 7; ++value) {
            const UiRect thumb = g.Thumb(value);
            EXPECT_EQ(g.ValueAt(thumb.x + thumb.width / 2, thumb.y + thumb.height / 2), value)
                << style << " " << value;
        }
    }
}

TEST(SliderGeometry, EmptyRangeOrTinyControlDoesNotDivideByZero) {
    const SliderGeometry same(200, 30, kSliderHorizontal, 4, 4);
    EXPECT_EQ(same.ValueAt(150, 10), 4);
    EXPECT_EQ(same.Thumb(4).x, 9);
    const SliderGeometry tiny(10, 10, kSliderHorizontal, 0, 100);
    EXPECT_EQ(tiny.ValueAt(5, 5), 0);
}

TEST(SliderGeometry, EndMarksSitAwayFromTheTicks) {
    struct {
        int style;
        UiRect start, end;
    } cases[] = {
        {kSliderHorizontal, {1, 1, 7, 7}, {192, 1, 7, 7}},  // top left, top right
        {kSliderHorizontal | kSliderTicks, {1, 1, 7, 7}, {192, 1, 7, 7}},
        {kSliderHorizontal | kSliderTicks | kSliderTicksTopLeft, {1, 92, 7, 7}, {192, 92, 7, 7}},
        {kSliderVertical, {1, 1, 7, 7}, {1, 92, 7, 7}},  // top left, bottom left
        {kSliderVertical | kSliderTicks | kSliderTicksTopLeft, {192, 1, 7, 7}, {192, 92, 7, 7}},
    };
    for (const auto& c : cases) {
        const SliderGeometry g(200, 100, c.style, 0, 10);
        EXPECT_EQ(g.StartMark(), c.start) << c.style;
        EXPECT_EQ(g.EndMark(), c.end) << c.style;
    }
}

TEST(SliderGeometry, TicksStandOnTheirSideOfTheThumb) {
    const SliderGeometry below(200, 40, kSliderTicks, 0, 10);
    EXPECT_GE(below.Tick(0).y, below.Thumb(0).bottom());
    const SliderGeometry above(200, 40, kSliderTicks | kSliderTicksTopLeft, 0, 10);
    EXPECT_LE(above.Tick(0).bottom(), above.Thumb(0).y);
    EXPECT_GE(above.Tick(0).y, 0);
    EXPECT_EQ(below.Tick(10).x, below.Thumb(10).x + kSliderThumbLength / 2);
}

TEST(PlaylistColors, PlayingRowIsGreenOthersTan) {
    EXPECT_EQ(PlaylistRowColorsFor(3, 3).background, 0x00FF00u);
    EXPECT_EQ(PlaylistRowColorsFor(2, 3).background, 0x82B8C4u);
    EXPECT_EQ(PlaylistRowColorsFor(0, -1).background, 0x82B8C4u);  // nothing playing
    EXPECT_EQ(PlaylistRowColorsFor(3, 3).text, 0xFF0000u);
    EXPECT_EQ(PlaylistRowColorsFor(2, 3).text, 0xFF0000u);
    // A row that could not be played is written in grey, unless it plays again.
    EXPECT_EQ(PlaylistRowColorsFor(2, 3, true).text, kPlaylistUnplayableTextColor);
    EXPECT_EQ(PlaylistRowColorsFor(3, 3, true).text, 0xFF0000u);
}

TEST(PlaylistColors, MarksShowThePlayingRowAndRowsThatCouldNotPlay) {
    EXPECT_EQ(PlaylistRowMarkFor(3, 3, false), PlaylistRowMark::kPlaying);
    EXPECT_EQ(PlaylistRowMarkFor(3, 3, true), PlaylistRowMark::kPlaying);
    EXPECT_EQ(PlaylistRowMarkFor(2, 3, true), PlaylistRowMark::kUnplayable);
    EXPECT_EQ(PlaylistRowMarkFor(2, 3, false), PlaylistRowMark::kNone);
    EXPECT_EQ(PlaylistRowMarkFor(0, -1, false), PlaylistRowMark::kNone);
}

}  // namespace
}  // namespace reef
