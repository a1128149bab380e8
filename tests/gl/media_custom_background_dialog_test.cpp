// The Custom Background dialog that the view made at start-up, driven as the user drives it,
// and the slideshow's picture behind the tank.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <wx/evtloop.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../unit/test_env.h"
#include "gl_test_support.h"
#include "media/custom_background_dialog.h"
#include "media/media_dialog_look.h"
#include "media/picture_textures.h"
#include "platform/message.h"
#include "scene/custom_background.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "ui/dialog_manners.h"
#include "ui/dialog_units.h"
#include "ui/hover_button.h"
#include "ui/hover_check_box.h"
#include "ui/wx_colour.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using Dialog = CustomBackgroundDialog;

class CustomBackgroundDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = test::View().BackgroundDialog();
        ASSERT_NE(m_dialog, nullptr);
    }
    void TearDown() override {
        if (Box(Dialog::ID_OWN_IMAGE)->GetCheck()) {
            Box(Dialog::ID_OWN_IMAGE)->Click();
        }
        Button(Dialog::ID_REMOVE_ALL);
        m_dialog->Hide();
        WaitFor([] { return !CustomBackground().active; });
    }

    HoverCheckBox* Box(int id) const {
        return dynamic_cast<HoverCheckBox*>(m_dialog->FindWindow(id));
    }
    wxListCtrl* List() const {
        return dynamic_cast<wxListCtrl*>(m_dialog->FindWindow(Dialog::ID_LIST));
    }
    void Send(wxEvent& event) {
        event.SetEventObject(m_dialog);
        m_dialog->ProcessWindowEvent(event);
        test::ProcessPendingEvents();
    }
    void Button(int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        Send(click);
    }
    void Key(int code) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        Send(key);
    }
    // Runs the event loop (so the dialog's 200 ms timer ticks) until `done`, for up to 3 s.
    static bool WaitFor(const std::function<bool()>& done) {
        wxEventLoop loop;
        wxEventLoopActivator active(&loop);
        wxStopWatch watch;
        while (watch.Time() < 3000 && !done()) {
            loop.DispatchTimeout(20);
            wxTheApp->ProcessPendingEvents();
        }
        return done();
    }

    Dialog* m_dialog = nullptr;
};

TEST_F(CustomBackgroundDialogTest, ControlsSitAtTheirTemplatePlaces) {
    EXPECT_EQ(m_dialog->GetTitle(), "Custom Background - Glass Reef Ripple Screensaver 1.0");
    EXPECT_FALSE(m_dialog->IsShown()) << "made hidden at start-up";
    const long style = m_dialog->GetWindowStyleFlag();
    EXPECT_FALSE(style & (wxRESIZE_BORDER | wxMINIMIZE_BOX | wxMAXIMIZE_BOX));
    EXPECT_TRUE(style & wxCLOSE_BOX);
    EXPECT_EQ(m_dialog->GetClientSize(), DialogUnitsToPixels({0, 0, 248, 135}).GetSize());
    auto placed = [](wxWindow* w, int x, int y, int width, int height) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->GetRect(), DialogUnitsToPixels({x, y, width, height}));
    };

    const struct {
        int id;
        const char* text;
        int x, y, w, h;
        const char* tooltip;
    } buttons[] = {
        {Dialog::ID_ADD_IMAGE, "Add Image", 7, 117, 50, 11, "Add Aquarium Background"},
        {Dialog::ID_REMOVE_IMAGE, "Remove Image", 63, 117, 51, 11, "Remove Aquarium Background"},
        {Dialog::ID_REMOVE_ALL, "Remove All", 119, 117, 50, 11, "Remove All Aquarium Backgrounds"},
    };
    for (const auto& b : buttons) {
        auto* button = dynamic_cast<HoverButton*>(m_dialog->FindWindow(b.id));
        placed(button, b.x, b.y, b.w, b.h);
        EXPECT_EQ(button->GetLabel(), b.text);
        ASSERT_NE(button->GetToolTip(), nullptr);
        EXPECT_EQ(button->GetToolTip()->GetTip(), b.tooltip);
        EXPECT_TRUE(button->GetWindowStyleFlag() & wxBORDER_NONE) << "flat";
    }

    const struct {
        int id;
        int x, y, w, h;
        int checked;
    } boxes[] = {
        {Dialog::ID_OWN_IMAGE, 8, 10, 9, 10, 0},
        {Dialog::ID_REPEAT_ONE, 94, 12, 10, 9, 1},
        {Dialog::ID_REPEAT_ALL, 147, 12, 10, 9, 0},
        {Dialog::ID_RANDOM, 199, 12, 10, 9, 0},
    };
    for (const auto& b : boxes) {
        placed(Box(b.id), b.x, b.y, b.w, b.h);
        EXPECT_EQ(Box(b.id)->GetCheck(), b.checked) << b.id;
        EXPECT_EQ(Box(b.id)->GetLabel(), "");
    }

    const struct {
        const char* text;
        int x, y;
    } labels[] = {{"Use your own image", 20, 13}, {"Repeat One", 104, 13}, {"Repeat All", 160, 13},
                  {"Random ", 211, 13},           {"Interval", 176, 119},  {"S", 231, 119}};
    for (const auto& l : labels) {
        bool found = false;
        for (wxWindow* child : m_dialog->GetChildren()) {
            auto* label = dynamic_cast<wxStaticText*>(child);
            if (label != nullptr && label->GetLabel() == l.text) {
                found = true;
                EXPECT_EQ(label->GetPosition(),
                          DialogUnitsToPixels({l.x, l.y, 1, 1}).GetPosition());
                EXPECT_TRUE(label->HasTransparentBackground());
            }
        }
        EXPECT_TRUE(found) << l.text;
    }

    wxListCtrl* list = List();
    placed(list, 10, 26, 231, 87);
    EXPECT_TRUE(list->InReportView());
    EXPECT_TRUE(list->GetWindowStyleFlag() & wxLC_SINGLE_SEL);
    EXPECT_TRUE(list->GetWindowStyleFlag() & wxLC_EDIT_LABELS);
    EXPECT_EQ(list->GetBackgroundColour(), wxColour(0xCF, 0xB8, 0x82));
    EXPECT_EQ(list->GetTextColour(), wxColour(0, 0, 0xFF));
    ASSERT_EQ(list->GetColumnCount(), 2);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
    list->GetColumn(0, column);
    EXPECT_EQ(column.GetText(), "Backgrounds Directory");
    EXPECT_EQ(column.GetWidth(), 320);
    EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_CENTRE);
    list->GetColumn(1, column);
    EXPECT_EQ(column.GetText(), "State");
    EXPECT_EQ(column.GetWidth(), 50);

    auto* interval = dynamic_cast<wxTextCtrl*>(m_dialog->FindWindow(Dialog::ID_INTERVAL));
    placed(interval, 204, 118, 24, 12);
    EXPECT_EQ(interval->GetValue(), "5");
}

TEST_F(CustomBackgroundDialogTest, OrderBoxesActLikeRadioButtons) {
    Box(Dialog::ID_RANDOM)->Click();
    test::ProcessPendingEvents();
    EXPECT_EQ(m_dialog->GetSlideshow().GetMode(), Slideshow::kRandom);
    EXPECT_EQ(Box(Dialog::ID_REPEAT_ONE)->GetCheck(), 0);
    Box(Dialog::ID_RANDOM)->Click();  // clicking the checked box leaves it checked
    test::ProcessPendingEvents();
    EXPECT_EQ(Box(Dialog::ID_RANDOM)->GetCheck(), 1);
    Box(Dialog::ID_REPEAT_ONE)->Click();
    test::ProcessPendingEvents();
    EXPECT_EQ(Box(Dialog::ID_RANDOM)->GetCheck(), 0);
    EXPECT_EQ(m_dialog->GetSlideshow().GetMode(), Slideshow::kRepeatOne);
}

struct Frame {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    const std::uint8_t* At(int x, int y) const { return &rgb[(y * width + x) * 3]; }
};

Frame DrawAndRead() {
    AquariumView& view = test::View();
    view.SetCurrent(*view.Context());
    view.DrawFrame();
    glFinish();
    Frame frame;
    frame.width = view.ScreenWidth();
    frame.height = view.ScreenHeight();
    frame.rgb.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

TEST_F(CustomBackgroundDialogTest, TheBoxPutsTheSlideshowPictureBehindTheTankAndItRipples) {
    test::ScratchDir dir;
    const std::string picture = dir / "sea.png";
    // Green at the top fading to blue at the bottom, little red; thin dark stripes show the
    // ripples' displacement.
    std::string command =
        "convert -size 320x200 gradient:'rgb(20,230,40)'-'rgb(20,40,230)' "
        "-fill 'rgb(10,60,60)'";
    for (int x = 0; x < 320; x += 8) {
        command += " -draw 'line " + std::to_string(x) + ",0 " + std::to_string(x) + ",199'";
    }
    command += " '" + picture + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    m_dialog->AddChosenImage(picture);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0, 0), picture);
    EXPECT_EQ(List()->GetItemText(0, 1), "OFF");

    Box(Dialog::ID_OWN_IMAGE)->Click();
    ASSERT_TRUE(WaitFor([] { return CustomBackground().active && CustomBackground().texture; }));
    const unsigned int texture = CustomBackground().texture;
    EXPECT_EQ(texture, m_dialog->GetSlideshow().TextureOfRow(0));
    EXPECT_EQ(List()->GetItemText(0, 1), "ON");

    for (int frame = 0; frame < 30; ++frame) {  // the waves need a few frames to spread
        DrawAndRead();
    }
    const Frame first = DrawAndRead();
    const int w = first.width, h = first.height;
    for (auto [x, y] : {std::pair{5, 5}, std::pair{w - 5, h - 5}, std::pair{w / 2, h / 2},
                        std::pair{5, h - 5}, std::pair{w - 5, 5}}) {
        const std::uint8_t* p = first.At(x, y);
        EXPECT_GT(p[1] + p[2], 4 * p[0]) << "pixel " << x << "," << y << " is the picture";
    }
    // Upright: rows are read bottom-up, so the last row is the top of the view.
    EXPECT_GT(first.At(w / 2, h - 30)[1], first.At(w / 2, h - 30)[2]) << "green at the top";
    EXPECT_GT(first.At(w / 2, 30)[2], first.At(w / 2, 30)[1]) << "blue at the bottom";

    const Frame second = DrawAndRead();
    int changed = 0;
    for (std::size_t k = 0; k < first.rgb.size(); ++k) {
        changed += first.rgb[k] != second.rgb[k];
    }
    EXPECT_GT(changed, 1000) << "the ripples move the picture";

    // Remove All takes the picture away and frees its texture; the box still holds the flag.
    Button(Dialog::ID_REMOVE_ALL);
    EXPECT_EQ(List()->GetItemCount(), 0);
    EXPECT_EQ(CustomBackground().texture, 0u);
    test::View().SetCurrent(*test::View().Context());
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_TRUE(CustomBackground().active);

    Box(Dialog::ID_OWN_IMAGE)->Click();
    EXPECT_TRUE(WaitFor([] { return !CustomBackground().active; })) << "the flag follows the box";
}

TEST_F(CustomBackgroundDialogTest, EnterDoesNothingEscapeHidesAndSaves) {
    const std::string ini = GetSettingsFilePath();
    ShowBesideTank(m_dialog);
    test::ProcessPendingEvents();
    auto* interval = dynamic_cast<wxTextCtrl*>(m_dialog->FindWindow(Dialog::ID_INTERVAL));
    interval->SetValue("12");  // as typed: the slideshow reads the field's text
    EXPECT_EQ(m_dialog->GetSlideshow().IntervalText(), "12");
    Key(WXK_RETURN);
    EXPECT_TRUE(m_dialog->IsShown());
    Key(WXK_ESCAPE);
    EXPECT_FALSE(m_dialog->IsShown());
    EXPECT_EQ(ReadIniString(ini, "Custom Images", "ImageTime"), "12");
    EXPECT_EQ(ReadIniString(ini, "Custom Images", "RepeatImage"), "1");
    EXPECT_EQ(ReadIniString(ini, "Custom Images", "ImageSum"), "0");
    interval->SetValue("5");
}

// A saved picture that cannot be loaded at the start stays in the list: grey, its state "N/A".
TEST(CustomBackgroundDialogRows, APictureThatIsAwayIsListedGreyAsNA) {
    class HalfTextures : public PictureTextures {
    public:
        unsigned int Create(const std::string& path) override {
            return path.find("away") == std::string::npos ? ++m_made : 0;
        }
        void Release(unsigned int) override {}

    private:
        unsigned int m_made = 0;
    };
    static std::vector<std::string> messages;
    messages.clear();
    SetMessageHandler(
        [](const std::string& text, const std::string&) { messages.push_back(text); });
    const std::string ini = GetSettingsFilePath();
    const std::string before = test::ReadText(ini);
    test::WriteText(
        ini, "[Custom Images]\nImageSum=2\nImageList0=/away/a.png\nImageList1=/here/b.png\n");
    auto* dialog = new Dialog(&test::View(), std::make_unique<HalfTextures>());
    test::ProcessPendingEvents();
    auto* list = dynamic_cast<wxListCtrl*>(dialog->FindWindow(Dialog::ID_LIST));
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 1), "N/A");
    EXPECT_EQ(list->GetItemText(1, 1), "OFF");
    EXPECT_EQ(list->GetItemTextColour(0), ToWxColour(kMediaListUnavailableText));
    EXPECT_EQ(list->GetItemTextColour(1), ToWxColour(kMediaListText));
    EXPECT_EQ(messages, std::vector<std::string>{"(/away/a.png)image loading error."});
    dialog->Destroy();
    test::ProcessPendingEvents();
    test::WriteText(ini, before);
    SetMessageHandler(nullptr);
}

}  // namespace
}  // namespace reef
