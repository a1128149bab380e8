#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "scene/popup_menu.h"

namespace reef {
namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Draws one item of 140 x 48 at (10, 5) on a grey bitmap and returns the picture.
wxImage DrawOne(bool selected, const PopupMenuItem* item) {
    wxBitmap bitmap(170, 70, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(128, 128, 128)));
        dc.Clear();
        OwnerDrawMenu::DrawItem(dc, wxRect(10, 5, 140, 48), selected, item);
    }
    return bitmap.ConvertToImage();
}

Rgb At(const wxImage& image, int x, int y) {
    return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

const Rgb kGrey{128, 128, 128};

TEST(PopupMenu, ItemsAre140By48) {
    EXPECT_EQ(OwnerDrawMenu::MeasureItem(), wxSize(140, 48));
}

TEST(PopupMenu, UnselectedItemHasAnIconStripAndALightTextArea) {
    PopupMenuItem item{180, 180, "  Add/Delete Fish"};
    wxImage image = DrawOne(false, &item);
    EXPECT_EQ(At(image, 10, 5), (Rgb{219, 216, 209}));    // strip, top-left corner
    EXPECT_EQ(At(image, 34, 52), (Rgb{219, 216, 209}));   // strip, last column and row
    EXPECT_EQ(At(image, 35, 5), (Rgb{249, 248, 247}));    // text area starts 25 in
    EXPECT_EQ(At(image, 149, 52), (Rgb{249, 248, 247}));  // bottom-right corner
    EXPECT_EQ(At(image, 150, 30), kGrey);                 // nothing outside the item
    EXPECT_EQ(At(image, 9, 30), kGrey);
    // The icon is drawn at the strip's top-left corner inset by 3: the add-fish icon is not
    // the strip colour everywhere in its 24 x 24 square.
    bool iconSeen = false;
    for (int y = 8; y < 32; ++y) {
        for (int x = 13; x < 35; ++x) {
            iconSeen = iconSeen || !(At(image, x, y) == Rgb{219, 216, 209});
        }
    }
    EXPECT_TRUE(iconSeen);
    // The text is drawn in the text area.
    bool textSeen = false;
    for (int x = 43; x < 149; ++x) {
        textSeen = textSeen || !(At(image, x, 29) == Rgb{249, 248, 247});
    }
    EXPECT_TRUE(textSeen);
}

TEST(PopupMenu, SelectedItemHasABlackFrameAndABlueFillAndAPressedIcon) {
    PopupMenuItem item{180, 180, "  Add/Delete Fish"};
    wxImage selected = DrawOne(true, &item);
    EXPECT_EQ(At(selected, 10, 5), (Rgb{0, 0, 0}));  // frame corners
    EXPECT_EQ(At(selected, 149, 52), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(selected, 80, 5), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(selected, 11, 6), (Rgb{177, 185, 207}));  // fill inside the frame
    EXPECT_EQ(At(selected, 148, 51), (Rgb{177, 185, 207}));

    // The selected icon is the unselected one moved one pixel up and left.
    wxImage plain = DrawOne(false, &item);
    int same = 0, total = 0;
    for (int y = 9; y < 32; ++y) {
        for (int x = 14; x < 34; ++x) {
            Rgb a = At(plain, x, y), b = At(selected, x - 1, y - 1);
            bool aIcon = !(a == Rgb{219, 216, 209}), bIcon = !(b == Rgb{177, 185, 207});
            total += aIcon ? 1 : 0;
            same += (aIcon && bIcon && a == b) ? 1 : 0;
        }
    }
    ASSERT_GT(total, 20);
    EXPECT_GT(same, total / 2);
}

TEST(PopupMenu, AnItemWithoutDataDrawsNothing) {
    wxImage image = DrawOne(true, nullptr);
    EXPECT_EQ(At(image, 10, 5), kGrey);
    EXPECT_EQ(At(image, 80, 30), kGrey);
}

}  // namespace
}  // namespace reef
