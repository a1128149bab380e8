#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/statbox.h>
#include <wx/timer.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "../unit/test_env.h"
#include "gl_test_support.h"
#include "media/custom_music_dialog.h"
#include "media/media_player.h"
#include "media/sound_hand_over.h"
#include "platform/message.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "ui/color_slider.h"
#include "ui/dialog_units.h"
#include "ui/hover_check_box.h"
#include "ui/playlist_colors.h"
#include "ui/playlist_ctrl.h"
#include "ui/wx_colour.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using Dialog = CustomMusicDialog;

// Plays nothing; every file but "bad.mp3" can play and lasts 1 s.
class SilentPlayer : public MediaPlayer {
public:
    void Open(const std::string& file) override { m_file = file; }
    bool CanPlay() const override { return !m_file.empty() && m_file != "bad.mp3"; }
    void Play() override {}
    void Stop() override {}
    void Seek(int) override {}
    void Close() override {}
    int GetPosition() override { return 0; }
    int GetLength() override { return 1000; }
    void SetVolume(int volume) override { m_volume = volume; }
    int GetVolume() const override { return m_volume; }

private:
    std::string m_file;
    int m_volume = 0;
};

class MusicDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteText(GetSettingsFilePath(), Saved());
        m_dialog = new Dialog(&test::View(), std::make_unique<SilentPlayer>());
        m_dialog->Show();
        test::ProcessPendingEvents();
    }
    void TearDown() override {
        m_dialog->Destroy();
        test::ProcessPendingEvents();
        ProcessSoundFlags() = SoundFlags{};
    }
    virtual std::string Saved() const { return ""; }

    wxListCtrl* List() const {
        return static_cast<wxListCtrl*>(m_dialog->FindWindow(Dialog::ID_LIST));
    }
    HoverCheckBox* Box(int id) const {
        return static_cast<HoverCheckBox*>(m_dialog->FindWindow(id));
    }
    void Key(int code) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        key.SetEventObject(m_dialog);
        m_dialog->ProcessWindowEvent(key);
    }

    void Select(long row) {
        List()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    long Selected() const {
        return List()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    }
    // One tick of the dialog's 200 ms timer, now.
    void Tick() {
        wxTimer timer(m_dialog, Dialog::kTimerId);
        wxTimerEvent event(timer);
        m_dialog->ProcessWindowEvent(event);
    }
    void DoubleClick(long row) {
        wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, Dialog::ID_LIST);
        event.SetEventObject(List());
        event.SetIndex(row);
        List()->GetEventHandler()->ProcessEvent(event);
    }

    Dialog* m_dialog = nullptr;
};

TEST_F(MusicDialogTest, ControlsSitAtTheirTemplatePlaces) {
    EXPECT_EQ(m_dialog->GetTitle(), "Custom Music - Glass Reef Ripple Screensaver 1.0");
    EXPECT_EQ(m_dialog->GetClientSize(), DialogUnitsToPixels({0, 0, 317, 151}).GetSize());
    EXPECT_FALSE(m_dialog->HasFlag(wxMINIMIZE_BOX));
    EXPECT_FALSE(m_dialog->HasFlag(wxMAXIMIZE_BOX));
    const struct {
        int id;
        const char* text;  // nullptr: not checked
        int x, y, w, h;
        bool shown;
    } controls[] = {
        {Dialog::ID_ON_OFF, "On/Off", 17, 19, 54, 12, true},
        {Dialog::ID_REPEAT_ONE, "Repeat One", 100, 20, 58, 8, true},
        {Dialog::ID_REPEAT_ALL, "Repeat All", 186, 20, 53, 8, true},
        {Dialog::ID_RANDOM, "Random ", 262, 20, 41, 8, true},
        {Dialog::ID_LIST, nullptr, 15, 44, 250, 95, true},
        {Dialog::ID_ADD, "Add Music", 270, 44, 38, 11, true},
        {Dialog::ID_REMOVE, "Remove", 270, 57, 38, 11, true},
        {Dialog::ID_REMOVE_ALL, "Remove All", 270, 70, 38, 11, true},
        {Dialog::ID_PLAY, "Play", 270, 83, 38, 11, true},
        {Dialog::ID_STOP, "Stop", 270, 97, 38, 11, true},
        {Dialog::ID_SLIDER_VOLUME, nullptr, 271, 122, 33, 13, true},
        {Dialog::ID_SLIDER_POSITION, nullptr, 227, 7, 36, 8, false},
        {Dialog::ID_PLAYER_PARENT, nullptr, 196, 7, 24, 8, false},
    };
    for (const auto& c : controls) {
        wxWindow* control = m_dialog->FindWindow(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        if (c.text != nullptr) {
            EXPECT_EQ(control->GetLabel(), c.text);
        }
        EXPECT_EQ(control->GetRect(), DialogUnitsToPixels({c.x, c.y, c.w, c.h})) << c.id;
        EXPECT_EQ(control->IsShown(), c.shown) << c.id;
    }
    std::vector<wxString> groups;
    for (wxWindow* child : m_dialog->GetChildren()) {
        if (auto* box = dynamic_cast<wxStaticBox*>(child)) {
            groups.push_back(box->GetLabel());
        }
    }
    EXPECT_EQ(groups, (std::vector<wxString>{"Use your own music", "Play Modes", "Volume"}));

    wxListCtrl* list = List();
    EXPECT_TRUE(list->HasFlag(wxLC_EDIT_LABELS));
    EXPECT_EQ(ToColorRef(list->GetBackgroundColour()), 0x82B8CFu);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
    ASSERT_TRUE(list->GetColumn(0, column));
    EXPECT_EQ(column.GetText(), "Music List");
    EXPECT_EQ(column.GetWidth(), 500);
    EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_CENTRE);
    EXPECT_TRUE(Box(Dialog::ID_REPEAT_ONE)->GetCheck());
    EXPECT_FALSE(Box(Dialog::ID_ON_OFF)->GetCheck());
}

TEST_F(MusicDialogTest, PlayingDisablesTheEditButtonsAndEscapeHidesAndSaves) {
    for (const char* path : {"/music/one.mp3", "/music/two.wav"}) {
        m_dialog->AddMusicFile(path);
    }
    ASSERT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(List()->GetItemText(1), "/music/two.wav");

    // A click on the checked mode box leaves it checked.
    Box(Dialog::ID_REPEAT_ALL)->Click();
    test::ProcessPendingEvents();
    Box(Dialog::ID_REPEAT_ALL)->Click();
    test::ProcessPendingEvents();
    EXPECT_TRUE(Box(Dialog::ID_REPEAT_ALL)->GetCheck());
    EXPECT_FALSE(Box(Dialog::ID_REPEAT_ONE)->GetCheck());

    Box(Dialog::ID_ON_OFF)->Click();
    test::ProcessPendingEvents();
    EXPECT_EQ(m_dialog->Logic().State(), MusicDialogLogic::kPlaying);
    for (int id : {Dialog::ID_ADD, Dialog::ID_REMOVE, Dialog::ID_REMOVE_ALL, Dialog::ID_PLAY}) {
        EXPECT_FALSE(m_dialog->FindWindow(id)->IsEnabled()) << id;
    }
    EXPECT_TRUE(m_dialog->FindWindow(Dialog::ID_STOP)->IsEnabled());

    Key(WXK_RETURN);  // nothing
    EXPECT_TRUE(m_dialog->IsShown());
    Key(WXK_ESCAPE);
    EXPECT_FALSE(m_dialog->IsShown());
    const std::string path = GetSettingsFilePath();
    EXPECT_EQ(ReadIniString(path, "Custom Settings", "OwnMusic"), "1");
    EXPECT_EQ(ReadIniString(path, "Custom Settings", "CycMusic"), "1");
    EXPECT_EQ(ReadIniString(path, "Custom Settings", "MusicSum"), "2");
    EXPECT_EQ(ReadIniString(path, "Custom Settings", "MusicList0"), "/music/one.mp3");
    // Hidden, it goes on playing.
    EXPECT_EQ(m_dialog->Logic().State(), MusicDialogLogic::kPlaying);
}

TEST_F(MusicDialogTest, StopClearsTheSelectionAndRemoveWithoutOneAsks) {
    std::vector<std::string> messages;
    static std::vector<std::string>* sink;
    sink = &messages;
    SetMessageHandler([](const std::string& text, const std::string&) { sink->push_back(text); });
    m_dialog->AddMusicFile("a.mp3");
    m_dialog->AddMusicFile("b.mp3");
    m_dialog->Command(Dialog::ID_REMOVE);
    EXPECT_EQ(messages, std::vector<std::string>{"Please select an item from the music list!"});

    Select(1);
    m_dialog->Command(Dialog::ID_PLAY);
    EXPECT_EQ(m_dialog->Logic().Current(), 1);
    m_dialog->Command(Dialog::ID_STOP);
    EXPECT_EQ(List()->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), -1);
    EXPECT_TRUE(Box(Dialog::ID_ON_OFF)->GetCheck());
    EXPECT_TRUE(m_dialog->FindWindow(Dialog::ID_PLAY)->IsEnabled());

    Select(0);
    m_dialog->Command(Dialog::ID_REMOVE);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0), "b.mp3");
    SetMessageHandler(nullptr);
}

// The box posts its click; a tick that comes before the dialog handles it shows the playlist's
// state in the box again. The click must still count.
TEST_F(MusicDialogTest, OnOffActsOnTheStateTheClickLeftEvenAfterATick) {
    m_dialog->AddMusicFile("/music/one.mp3");
    for (bool on : {true, false, true, false}) {
        Box(Dialog::ID_ON_OFF)->Click();
        Tick();
        test::ProcessPendingEvents();
        EXPECT_EQ(m_dialog->Logic().OnOffChecked(), on);
        EXPECT_EQ(Box(Dialog::ID_ON_OFF)->GetCheck() != 0, on);
        EXPECT_EQ(m_dialog->Logic().State() == MusicDialogLogic::kPlaying, on);
    }
}

TEST_F(MusicDialogTest, TicksKeepTheSelectionAndADoubleClickWhilePlayingSwitches) {
    for (const char* path : {"a.mp3", "b.mp3", "c.mp3"}) {
        m_dialog->AddMusicFile(path);
    }
    m_dialog->Command(Dialog::ID_PLAY);
    ASSERT_EQ(m_dialog->Logic().Current(), 0);
    Select(2);
    Tick();
    Tick();
    EXPECT_EQ(Selected(), 2) << "a tick cleared the user's selection";
    DoubleClick(2);
    EXPECT_EQ(m_dialog->Logic().Current(), 2);
    EXPECT_EQ(m_dialog->Logic().State(), MusicDialogLogic::kPlaying);
    // Stop, and only Stop, clears it.
    m_dialog->Command(Dialog::ID_STOP);
    EXPECT_EQ(Selected(), -1);
}

TEST_F(MusicDialogTest, PlayHandsTheKeyboardToStopAndBadRowsAreMarked) {
    m_dialog->AddMusicFile("bad.mp3");
    m_dialog->AddMusicFile("good.mp3");
    wxWindow* play = m_dialog->FindWindow(Dialog::ID_PLAY);
    play->SetFocus();
    ASSERT_EQ(wxWindow::FindFocus(), play);
    m_dialog->Command(Dialog::ID_PLAY);
    EXPECT_FALSE(play->IsEnabled());
    EXPECT_EQ(wxWindow::FindFocus(), m_dialog->FindWindow(Dialog::ID_STOP));

    // "bad.mp3" was passed over, and its row says so.
    EXPECT_EQ(m_dialog->Logic().Current(), 1);
    auto* list = static_cast<PlaylistCtrl*>(List());
    EXPECT_TRUE(list->RowUnplayable(0));
    auto image = [&](long row) {
        wxListItem item;
        item.SetId(row);
        item.SetMask(wxLIST_MASK_IMAGE);
        list->GetItem(item);
        return item.GetImage();
    };
    EXPECT_EQ(image(0), PlaylistCtrl::kUnplayableImage);
    EXPECT_EQ(image(1), PlaylistCtrl::kPlayingImage);
}

TEST_F(MusicDialogTest, TheWheelOverTheVolumeSliderStepsTheVolume) {
    wxWindow* slider = m_dialog->FindWindow(Dialog::ID_SLIDER_VOLUME);
    const int before = m_dialog->Logic().Volume();
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.m_wheelDelta = 120;
    slider->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(m_dialog->Logic().Volume(), before - 50);
}

class SavedPlaylistTest : public MusicDialogTest {
    std::string Saved() const override {
        return "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\n"
               "MusicSum=2\nMusicList0=/music/one.mp3\nMusicList1=/music/two.wav\n";
    }
};

TEST_F(SavedPlaylistTest, ASavedPlaylistThatWasOnPlaysAtCreation) {
    EXPECT_EQ(List()->GetItemCount(), 2);
    EXPECT_EQ(m_dialog->Logic().State(), MusicDialogLogic::kPlaying);
    EXPECT_EQ(m_dialog->Logic().Current(), 0);
    EXPECT_TRUE(Box(Dialog::ID_ON_OFF)->GetCheck());
    EXPECT_TRUE(Box(Dialog::ID_REPEAT_ALL)->GetCheck());
    EXPECT_FALSE(m_dialog->FindWindow(Dialog::ID_ADD)->IsEnabled());
}

// Rows whose files were not there at the load are written in grey until they play (row 0 is
// played at creation by the test's player, which plays any name; row 1 is not opened yet).
TEST_F(SavedPlaylistTest, RowsWhoseFilesAreMissingAreGrey) {
    EXPECT_TRUE(m_dialog->Logic().RowAvailable(0));
    EXPECT_FALSE(m_dialog->Logic().RowAvailable(1));
    EXPECT_EQ(List()->GetItemTextColour(1), ToWxColour(kPlaylistUnplayableTextColor));
    EXPECT_NE(List()->GetItemTextColour(1), ToWxColour(kPlaylistTextColor));
}

// A profile file that wxFileConfig's parser stops on gives the default volume.
class DamagedProfileTest : public MusicDialogTest {
    void SetUp() override {
        m_profile = std::string(std::getenv("XDG_CONFIG_HOME")) + "/GlassReefScr.conf";
        test::WriteText(m_profile, "[Settings]\n=1\nVol ume\n[\n");
        MusicDialogTest::SetUp();
    }
    void TearDown() override {
        MusicDialogTest::TearDown();
        std::remove(m_profile.c_str());
    }
    std::string m_profile;
};

TEST_F(DamagedProfileTest, TheVolumeIs1000) {
    EXPECT_EQ(m_dialog->Logic().Volume(), 1000);
    auto* slider = dynamic_cast<ColorSlider*>(m_dialog->FindWindow(Dialog::ID_SLIDER_VOLUME));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetValue(), 1000);
}

}  // namespace
}  // namespace reef
