#include <wx/settings.h>

#include "gl_test_support.h"
#include "ui/hyperlink.h"
#include "ui/hyperlink_logic.h"
#include "ui/wx_colour.h"
#include "ui_render.h"

namespace reef {
namespace {

using test::CountColor;

// True when some row is coloured across nearly its whole width: the underline (the text itself
// has gaps between its letters).
bool HasUnderline(const wxImage& image) {
    for (int y = 0; y < image.GetHeight(); ++y) {
        int coloured = 0;
        for (int x = 0; x < image.GetWidth(); ++x) {
            coloured += test::PixelAt(image, x, y) != 0xFFFFFF ? 1 : 0;
        }
        if (coloured >= image.GetWidth() * 9 / 10) {
            return true;
        }
    }
    return false;
}

class HyperLinkTest : public test::ControlTest {
protected:
    HyperLink* Make(bool opens) {
        auto* link = new HyperLink(m_frame, 601, "Glass Reef help", "https://example.org/help",
                                   wxPoint(100, 50), wxSize(300, 40), wxALIGN_RIGHT);
        link->SetOpener([this, opens](const wxString& url) {
            m_opened.push_back(url);
            return opens;
        });
        link->SetFailureReporter([this](const wxString& text) { m_reported.push_back(text); });
        return link;
    }
    std::vector<wxString> m_opened;
    std::vector<wxString> m_reported;
};

TEST_F(HyperLinkTest, FitsItsTextKeepingTheRightEdgeAndShowsTheAddress) {
    HyperLink* link = Make(true);
    const wxSize text = link->GetTextExtent("Glass Reef help");
    EXPECT_EQ(link->GetSize(), text);
    EXPECT_EQ(link->GetPosition(), wxPoint(400 - text.x, 50));
    EXPECT_EQ(link->GetToolTipText(), "https://example.org/help");
    EXPECT_TRUE(link->GetCursor().IsOk());

    auto* bare = new HyperLink(m_frame, 602, "", "https://example.org/");
    EXPECT_EQ(bare->GetLabel(), "https://example.org/");
    EXPECT_EQ(bare->GetSize(), bare->GetTextExtent("https://example.org/"));
    auto* fromText = new HyperLink(m_frame, 603, "https://example.org/x", "");
    EXPECT_EQ(fromText->GetURL(), "https://example.org/x");
}

TEST_F(HyperLinkTest, DrawnInLinkThenHoverThenVisitedColour) {
    HyperLink* link = Make(true);
    const ColorRef hover = ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    // The letters' stems are drawn in the exact colour (their edges are smoothed).
    const int stems = 20;
    EXPECT_GT(CountColor(Render(*link), kLinkColor), stems);
    EXPECT_EQ(CountColor(m_last, kVisitedLinkColor), 0);
    EXPECT_TRUE(HasUnderline(m_last));

    wxMouseEvent move(wxEVT_MOTION);
    move.SetPosition(wxPoint(3, 3));
    link->GetEventHandler()->ProcessEvent(move);
    EXPECT_TRUE(link->IsHovering());
    EXPECT_GT(CountColor(Render(*link), hover), stems);

    wxMouseEvent click(wxEVT_LEFT_UP);
    click.SetPosition(wxPoint(3, 3));
    link->GetEventHandler()->ProcessEvent(click);
    wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
    link->GetEventHandler()->ProcessEvent(leave);
    EXPECT_FALSE(link->IsHovering());
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], "https://example.org/help");
    EXPECT_TRUE(link->IsVisited());
    EXPECT_GT(CountColor(Render(*link), kVisitedLinkColor), stems);
    EXPECT_EQ(CountColor(m_last, kLinkColor), 0);
    EXPECT_TRUE(m_reported.empty());
}

TEST_F(HyperLinkTest, FailureShowsTheMessageAndLeavesTheLinkUnvisited) {
    HyperLink* link = Make(false);
    EXPECT_EQ(link->Open(), kLinkNoAssociation);
    EXPECT_FALSE(link->IsVisited());
    ASSERT_EQ(m_reported.size(), 1u);
    EXPECT_EQ(m_reported[0],
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              "filename extension.");
}

TEST_F(HyperLinkTest, VisitedStaysAfterALaterFailure) {
    bool opens = true;
    HyperLink* link = Make(true);
    link->SetOpener([&opens](const wxString&) { return opens; });
    EXPECT_EQ(link->Open(), kLinkOpened);
    opens = false;
    EXPECT_EQ(link->Open(), kLinkNoAssociation);
    EXPECT_TRUE(link->IsVisited());
    EXPECT_EQ(m_reported.size(), 1u);
}

}  // namespace
}  // namespace reef
