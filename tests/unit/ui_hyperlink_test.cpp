#include <gtest/gtest.h>

#include "ui/hyperlink_logic.h"

namespace reef {
namespace {

TEST(LinkErrors, EveryListedResultHasItsMessageAndOthersAreUnknown) {
    struct {
        int result;
        const char* message;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},  // the trailing blank belongs to the text
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\n"
         "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},  // gaps in the table
        {4, "Unknown Error (4) occurred."},
        {25, "Unknown Error (25) occurred."},
        {-7, "Unknown Error (-7) occurred."},  // a negative value keeps its sign
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkErrorMessage(c.result), c.message) << c.result;
        EXPECT_EQ(LinkFailureText(c.result),
                  std::string("Unable to open hyperlink:\n\n") + c.message);
    }
}

TEST(LinkErrors, ABrowserThatDoesNotStartIsTheNoAssociationMessage) {
    EXPECT_GT(kLinkOpened, 32);
    EXPECT_EQ(LinkFailureText(kLinkNoAssociation),
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              "filename extension.");
}

TEST(LinkColors, HoverBeatsVisitedBeatsLink) {
    const ColorRef hover = 0x123456;
    struct {
        bool hover, visited;
        ColorRef expected;
    } cases[] = {
        {false, false, 0xEE0000},  // blue link
        {false, true, 0x8B1A55},   // purple once visited
        {true, false, hover},
        {true, true, hover},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkTextColor(c.hover, c.visited, hover), c.expected)
            << c.hover << " " << c.visited;
    }
}

TEST(LinkFit, ControlKeepsItsAnchorWhenResizedToItsText) {
    struct {
        LinkAnchor anchor;
        int oldPos, oldSize, newSize, expected;
    } cases[] = {
        {LinkAnchor::kStart, 10, 100, 40, 10},
        {LinkAnchor::kCenter, 10, 100, 40, 40},   // the centre stays at 60
        {LinkAnchor::kEnd, 10, 100, 40, 70},      // the right edge stays at 110
        {LinkAnchor::kCenter, 10, 40, 100, -20},  // growing spreads both ways
        {LinkAnchor::kEnd, 10, 40, 100, -50},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnchoredPosition(c.oldPos, c.oldSize, c.newSize, c.anchor), c.expected)
            << static_cast<int>(c.anchor) << " " << c.oldSize << "->" << c.newSize;
    }
}

}  // namespace
}  // namespace reef
