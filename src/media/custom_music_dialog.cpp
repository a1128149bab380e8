#include "media/custom_music_dialog.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>

#include "media/media_dialog_look.h"
#include "media/media_player.h"
#include "settings/aquarium_settings.h"
#include "settings/profile.h"
#include "ui/color_slider.h"
#include "ui/dialog_manners.h"
#include "ui/dialog_units.h"
#include "ui/hover_check_box.h"
#include "ui/playlist_ctrl.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

constexpr const char* kCaption = "Custom Music - Glass Reef Ripple Screensaver 1.0";
constexpr const char* kFileFilter = "(*.mp3;*.wav;*.mpeg)|*.mp3;*.wav;*.mpeg";

// The template: the dialog's size and its controls' places, in dialog units.
constexpr int kTemplateWidth = 317;
constexpr int kTemplateHeight = 151;

using Place = TemplateControl;

constexpr Place kGroups[] = {
    {wxID_ANY, "Use your own music", {10, 10, 79, 22}},
    {wxID_ANY, "Play Modes", {95, 10, 212, 22}},
    {wxID_ANY, "Volume", {270, 113, 38, 26}},
};
constexpr Place kOnOff{CustomMusicDialog::ID_ON_OFF, "On/Off", {17, 19, 54, 12}};
constexpr Place kModes[] = {
    {CustomMusicDialog::ID_REPEAT_ONE, "Repeat One", {100, 20, 58, 8}},
    {CustomMusicDialog::ID_REPEAT_ALL, "Repeat All", {186, 20, 53, 8}},
    {CustomMusicDialog::ID_RANDOM, "Random ", {262, 20, 41, 8}},
};
constexpr Place kList{CustomMusicDialog::ID_LIST, "List1", {15, 44, 250, 95}};
constexpr Place kButtons[] = {
    {CustomMusicDialog::ID_ADD, "Add Music", {270, 44, 38, 11}},
    {CustomMusicDialog::ID_REMOVE, "Remove", {270, 57, 38, 11}},
    {CustomMusicDialog::ID_REMOVE_ALL, "Remove All", {270, 70, 38, 11}},
    {CustomMusicDialog::ID_PLAY, "Play", {270, 83, 38, 11}},
    {CustomMusicDialog::ID_STOP, "Stop", {270, 97, 38, 11}},
};
constexpr Place kVolume{CustomMusicDialog::ID_SLIDER_VOLUME, "Slider2", {271, 122, 33, 13}};
constexpr Place kPosition{CustomMusicDialog::ID_SLIDER_POSITION, "Slider1", {227, 7, 36, 8}};
constexpr Place kPlayerParent{CustomMusicDialog::ID_PLAYER_PARENT, "Static", {196, 7, 24, 8}};
constexpr int kEditButtons[] = {CustomMusicDialog::ID_ADD, CustomMusicDialog::ID_REMOVE,
                                CustomMusicDialog::ID_REMOVE_ALL, CustomMusicDialog::ID_PLAY};

MusicDialogLogic::Mode ModeOfBox(int id) {
    switch (id) {
        case CustomMusicDialog::ID_REPEAT_ALL:
            return MusicDialogLogic::kRepeatAll;
        case CustomMusicDialog::ID_RANDOM:
            return MusicDialogLogic::kRandom;
        default:
            return MusicDialogLogic::kRepeatOne;
    }
}

}  // namespace

CustomMusicDialog::CustomMusicDialog(wxWindow* parent, std::unique_ptr<MediaPlayer> player)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_player(std::move(player)),
      m_logic(*m_player, ReadProfileVolume()),
      m_timer(this, kTimerId) {
    SetUpFromTemplate(*this, kTemplateWidth, kTemplateHeight);
    CreateControls();
    KeepTankInView(this);

    Bind(wxEVT_BUTTON, &CustomMusicDialog::OnButton, this);
    Bind(wxEVT_CHECKBOX, &CustomMusicDialog::OnCheckBox, this);
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &CustomMusicDialog::OnListActivated, this, ID_LIST);
    // Labels can be edited in place, but an edit never changes the playlist.
    Bind(
        wxEVT_LIST_END_LABEL_EDIT, [](wxListEvent& event) { event.Veto(); }, ID_LIST);
    Bind(wxEVT_SLIDER, &CustomMusicDialog::OnVolume, this, ID_SLIDER_VOLUME);
    Bind(wxEVT_CHAR_HOOK, &CustomMusicDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CustomMusicDialog::OnClose, this);
    Bind(wxEVT_TIMER, &CustomMusicDialog::OnTimer, this, kTimerId);

    m_logic.LoadMusicSettings(GetSettingsFilePath());
    ShowState();
    m_timer.Start(kTimerPeriodMs);
}

CustomMusicDialog::~CustomMusicDialog() {
    m_timer.Stop();
}

void CustomMusicDialog::CreateControls() {
    auto at = [](const Place& p) { return DialogUnitsToPixels(p.rect).GetPosition(); };
    auto size = [](const Place& p) { return DialogUnitsToPixels(p.rect).GetSize(); };

    for (const Place& p : kGroups) {
        new wxStaticBox(this, p.id, p.text, at(p), size(p));
    }
    m_list = new PlaylistCtrl(
        this, kList.id, [] { return PlayingRow(); }, at(kList), size(kList),
        wxLC_EDIT_LABELS | wxBORDER_SUNKEN);
    m_list->SetBackgroundColour(ToWxColour(kMediaListBackground));
    m_list->SetForegroundColour(ToWxColour(kMediaListText));
    m_list->AppendColumn("Music List", wxLIST_FORMAT_CENTRE, 500);
    m_list->SetRowAvailability([this](int row) { return m_logic.RowAvailable(row); });

    m_onOff = new HoverCheckBox(this, kOnOff.id, kOnOff.text, at(kOnOff), size(kOnOff));
    m_onOff->SetIcons(kOnOffIconChecked, kOnOffIconUnchecked);
    for (int i = 0; i < 3; ++i) {
        const Place& p = kModes[i];
        m_modes[i] = new HoverCheckBox(this, p.id, p.text, at(p), size(p));
        m_modes[i]->SetColors(kOrderBoxChecked, kOrderBoxUnchecked);
    }
    for (const Place& p : kButtons) {
        new wxButton(this, p.id, p.text, at(p), size(p), wxBU_EXACTFIT);
    }
    m_volume =
        new ColorSlider(this, kVolume.id, m_logic.Volume(), 0, 1000, at(kVolume), size(kVolume));
    // Never shown: the playback position, and the place the player was once attached to.
    m_position = new wxSlider(this, kPosition.id, 0, 0, 1, at(kPosition), size(kPosition));
    m_position->Hide();
    (new wxStaticText(this, kPlayerParent.id, kPlayerParent.text, at(kPlayerParent),
                      size(kPlayerParent)))
        ->Hide();
}

void CustomMusicDialog::ReadSelection() {
    m_logic.SetSelection(
        static_cast<int>(m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)));
}

void CustomMusicDialog::ShowState() {
    if (m_shownRowsRevision != m_logic.RowsRevision()) {
        m_list->DeleteAllItems();
        const auto& rows = m_logic.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            m_list->InsertItem(static_cast<long>(i), wxString::FromUTF8(rows[i]));
        }
        m_list->RefreshRowColors();
        m_shownRowsRevision = m_logic.RowsRevision();
    }
    if (m_logic.Selection() == -1) {
        for (long row = 0; row < m_list->GetItemCount(); ++row) {
            m_list->SetItemState(row, 0, wxLIST_STATE_SELECTED);
        }
    }
    auto check = [](HoverCheckBox* box, bool checked) {
        if ((box->GetCheck() != 0) != checked) {
            box->SetCheck(checked ? 1 : 0);
        }
    };
    check(m_onOff, m_logic.OnOffChecked());
    for (int i = 0; i < 3; ++i) {
        check(m_modes[i], m_logic.ModeChecked(static_cast<MusicDialogLogic::Mode>(i)));
    }
    for (int id : kEditButtons) {
        FindWindow(id)->Enable(m_logic.EditButtonsEnabled());
    }
    const int range = std::max(1, m_logic.PositionRange());
    if (m_position->GetMax() != range) {
        m_position->SetRange(0, range);
    }
    m_position->SetValue(std::clamp(m_logic.Position(), 0, range));
}

void CustomMusicDialog::AddMusicFile(const wxString& path) {
    m_logic.AddMusicFile(path.utf8_string());
    ShowState();
}

void CustomMusicDialog::SaveMusicSettings() {
    m_logic.SaveMusicSettings(GetSettingsFilePath());
}

void CustomMusicDialog::Command(int id) {
    ReadSelection();
    switch (id) {
        case ID_PLAY:
            m_logic.OnPlay();
            break;
        case ID_STOP:
            m_logic.OnStop();
            break;
        case ID_REMOVE:
            m_logic.OnRemove();
            break;
        case ID_REMOVE_ALL:
            m_logic.OnRemoveAll();
            break;
        case ID_ON_OFF:
            m_logic.OnOnOff(m_onOff->GetCheck() != 0);
            break;
        case ID_REPEAT_ONE:
        case ID_REPEAT_ALL:
        case ID_RANDOM:
            m_logic.OnMode(ModeOfBox(id));
            break;
        case ID_ADD: {
            wxFileDialog chooser(this, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                                 kFileFilter, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
            if (chooser.ShowModal() == wxID_OK) {
                m_logic.AddMusicFile(chooser.GetPath().utf8_string());
            }
            break;
        }
        default:
            return;
    }
    ShowState();
}

void CustomMusicDialog::OnButton(wxCommandEvent& event) {
    Command(event.GetId());
}

void CustomMusicDialog::OnCheckBox(wxCommandEvent& event) {
    Command(event.GetId());
}

void CustomMusicDialog::OnListActivated(wxListEvent&) {
    ReadSelection();
    m_logic.OnDoubleClick();
    ShowState();
}

void CustomMusicDialog::OnVolume(wxCommandEvent& event) {
    m_logic.OnVolume(event.GetInt());
}

void CustomMusicDialog::OnCharHook(wxKeyEvent& event) {
    // While a row's label is being edited, Enter and Escape end the edit.
    if (m_list->GetEditControl() != nullptr) {
        event.Skip();
        return;
    }
    switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            Close();
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return;  // Enter does nothing here
        default:
            event.Skip();
    }
}

void CustomMusicDialog::OnClose(wxCloseEvent&) {
    // Only hidden: the playlist goes on playing with the dialog out of sight.
    Hide();
    SaveMusicSettings();
}

void CustomMusicDialog::OnTimer(wxTimerEvent&) {
    m_logic.OnTimer();
    if (m_logic.State() == MusicDialogLogic::kPlaying) {
        ShowState();
    }
}

}  // namespace reef
