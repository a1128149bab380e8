#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/tooltip.h>

#include <string>

#include "../unit/test_env.h"
#include "fish/fish_settings_dialog.h"
#include "gl_test_support.h"
#include "resources/icons.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "ui/hover_button.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using Dialog = FishSettingsDialog;

// Opens the dialog (not modally, so the test keeps control) on a settings file that holds
// `fishNumber` as its "Fish Number" section.
class FishSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedSettings = g_settings;
        test::WriteText(GetSettingsFilePath(), "[Fish Number]\n" + std::string(FishNumber()));
        m_dialog = new Dialog(&test::View());
        m_dialog->Show();
        test::ProcessPendingEvents();
    }
    void TearDown() override {
        m_dialog->Destroy();
        g_settings = m_savedSettings;  // the dialog's saves reached the tank's counts
    }
    virtual const char* FishNumber() const { return "Fish0=2\nFish5=1\n"; }

    wxString Total() const {
        return static_cast<wxStaticText*>(m_dialog->FindWindow(Dialog::ID_TOTAL))->GetLabel();
    }
    void Send(wxEvent& event) {
        event.SetEventObject(m_dialog);
        m_dialog->ProcessWindowEvent(event);
    }
    void Key(int code) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        Send(key);
    }
    void Mouse(wxEventType type, int x, int y) {
        wxMouseEvent mouse(type);
        mouse.m_x = x;
        mouse.m_y = y;
        Send(mouse);
    }
    void Button(int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        Send(click);
    }
    int Count(int kind) const { return m_dialog->Population().GetCounts()[kind]; }

    Dialog* m_dialog = nullptr;
    AquariumSettings m_savedSettings{};
};

TEST_F(FishSettingsDialogTest, ControlsSitAtTheirTemplatePlaces) {
    EXPECT_EQ(m_dialog->GetTitle(), "Fish Settings - Glass Reef Ripple Screensaver 1.0");
    // The template's 334 x 345 units, at 1.5 x 1.625 pixels a unit: the width is the 500-pixel
    // sheet's, and the buttons keep their places below it, in pixels rounded from the
    // template's corners: Add (121, 324, 27, 15) spans 181.5 to 222 across.
    EXPECT_EQ(m_dialog->GetClientSize(), wxSize(501, 561));
    const struct {
        int id;
        const char* text;
        wxRect pixels;
        const char* tooltip;
    } buttons[] = {
        {Dialog::ID_ADD, "Add", {182, 527, 40, 24}, "Add Fish"},
        {Dialog::ID_DELETE, "Delete", {225, 527, 48, 24}, "Delete Fish"},
        {Dialog::ID_RANDOM, "Random", {276, 527, 47, 24}, "Random  All Fishes"},
        {Dialog::ID_CLEAR, "Clear", {326, 527, 40, 24}, "Clear All Fishes"},
    };
    for (const auto& b : buttons) {
        auto* button = dynamic_cast<HoverButton*>(m_dialog->FindWindow(b.id));
        ASSERT_NE(button, nullptr) << b.text;
        EXPECT_EQ(button->GetLabel(), b.text);
        EXPECT_EQ(button->GetRect(), b.pixels) << b.text;
        // Nothing clipped: the label fits with room for the button's frame on either side.
        EXPECT_LE(button->GetTextExtent(b.text).x, b.pixels.width - 6) << b.text;
        ASSERT_NE(button->GetToolTip(), nullptr) << b.text;
        EXPECT_EQ(button->GetToolTip()->GetTip(), b.tooltip);
        EXPECT_TRUE(button->IsShown());
    }
    for (int id : {Dialog::ID_OK, Dialog::ID_CANCEL}) {
        ASSERT_NE(m_dialog->FindWindow(id), nullptr) << id;
        EXPECT_FALSE(m_dialog->FindWindow(id)->IsShown()) << id;
    }
    EXPECT_EQ(m_dialog->FindWindow(Dialog::ID_OK)->GetRect(), wxRect(317, 340, 70, 34));

    // The link (9, 332) and the total (252, 332) start at their places; sized to their texts,
    // the link ends before the Add button and the total inside the dialog.
    auto* link = m_dialog->FindWindow(Dialog::ID_LINK);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetPosition(), wxPoint(14, 540));
    EXPECT_LE(link->GetRect().GetRight(), 181);
    auto* total = m_dialog->FindWindow(Dialog::ID_TOTAL);
    EXPECT_EQ(total->GetPosition(), wxPoint(378, 540));
    EXPECT_EQ(total->GetForegroundColour(), wxColour(0, 0, 255));
    EXPECT_EQ(Total(), "Total: 3   (Max:50)");
    EXPECT_LE(total->GetRect().GetRight(), 500);
    EXPECT_LE(total->GetRect().GetBottom(), 560);
}

TEST(FishSheet, TheEmbeddedSheetIsFiveByThreeCellsOf100By90) {
    wxBitmap sheet = LoadPngResource("BITMAP", 129);
    ASSERT_TRUE(sheet.IsOk());
    EXPECT_EQ(sheet.GetSize(), wxSize(500, 270));
}

TEST_F(FishSettingsDialogTest, ClicksKeysAndButtonsChangeTheCountsAndTheTimerSavesThem) {
    Mouse(wxEVT_LEFT_DOWN, 50, 50);  // kind 0
    Key('A');
    Key('A');
    EXPECT_EQ(Count(0), 4);
    EXPECT_EQ(Total(), "Total: 5   (Max:50)");
    Button(Dialog::ID_DELETE);
    Mouse(wxEVT_RIGHT_DCLICK, 300, 300);
    EXPECT_EQ(Count(0), 2);
    Mouse(wxEVT_LEFT_DCLICK, 300, 300);
    Button(Dialog::ID_ADD);
    Key('X');  // no button's letter
    EXPECT_EQ(Count(0), 4);

    // The half-second timer writes the counts and hands them to the tank. Timers only fire
    // from a running event loop.
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    wxStopWatch watch;
    while (watch.Time() < 3000 &&
           ReadIniString(GetSettingsFilePath(), "Fish Number", "Fish0") != "4") {
        loop.DispatchTimeout(20);
    }
    EXPECT_EQ(ReadIniString(GetSettingsFilePath(), "Fish Number", "Fish0"), "4");
    EXPECT_EQ(ReadIniString(GetSettingsFilePath(), "Fish Number", "Fish14"), "0");
    EXPECT_EQ(g_settings.nFishCount[0], 4);
    EXPECT_EQ(g_settings.nFishCount[5], 1);

    Key('C');
    EXPECT_EQ(Total(), "Total: 0   (Max:50)");
    Button(Dialog::ID_RANDOM);
    EXPECT_EQ(m_dialog->Population().Selection(), -1);
    auto randomCounts = m_dialog->Population().GetCounts();
    Key('A');  // the selection went with Random: nothing to add to
    EXPECT_EQ(m_dialog->Population().GetCounts(), randomCounts);
}

class FullTankDialogTest : public FishSettingsDialogTest {
    const char* FishNumber() const override { return "Fish3=50\n"; }
};

TEST_F(FullTankDialogTest, AddIsRefusedAtFifty) {
    EXPECT_EQ(Total(), "Total: 50   (Max:50)");
    Mouse(wxEVT_LEFT_DOWN, 350, 50);  // kind 3
    Key('A');
    Button(Dialog::ID_ADD);
    EXPECT_EQ(Count(3), 50);
    Key('D');
    EXPECT_EQ(Total(), "Total: 49   (Max:50)");
}

}  // namespace
}  // namespace reef
