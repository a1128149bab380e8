#include <gtest/gtest.h>
#include <wx/dialog.h>

#include "gl_test_support.h"
#include "ui/dialog_units.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

TEST(DialogUnits, CornersConvertToTheNearestPixel) {
    const struct {
        DialogRect units;
        wxRect pixels;
        const char* property;
    } cases[] = {
        {{0, 0, 334, 345}, {0, 0, 501, 561}, "1.5 x 1.625 pixels a unit"},
        {{0, 0, 4, 8}, {0, 0, 6, 13}, "four units across and eight down are one character"},
        {{121, 324, 27, 15}, {182, 527, 40, 24}, "halves round up, at each corner"},
        {{148, 324, 2, 15}, {222, 527, 3, 24}, "the gap after a box starts where the box ends"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogUnitsToPixels(c.units), c.pixels) << c.property;
    }
}

TEST(DialogUnits, TheTemplateFontFitsTheTemplateCharacter) {
    auto* dialog = new wxDialog(&test::View(), wxID_ANY, "units");
    SetUpFromTemplate(*dialog, 317, 151);
    EXPECT_LE(dialog->GetCharWidth(), 6);
    EXPECT_LE(dialog->GetCharHeight(), 13);
    EXPECT_LE(dialog->GetFont().GetFractionalPointSize(), 8.0);
    EXPECT_EQ(dialog->GetClientSize(), wxSize(476, 245));
    dialog->Destroy();
}

}  // namespace
}  // namespace reef
