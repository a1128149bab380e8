#include "media/custom_background_dialog.h"

#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <iterator>

#include "media/media_dialog_look.h"
#include "media/picture_textures.h"
#include "scene/custom_background.h"
#include "settings/aquarium_settings.h"
#include "ui/dialog_manners.h"
#include "ui/dialog_units.h"
#include "ui/hover_button.h"
#include "ui/hover_check_box.h"
#include "ui/wx_colour.h"

namespace reef {

namespace {

constexpr const char* kCaption = "Custom Background - Glass Reef Ripple Screensaver 1.0";

// The template: the dialog's size, and each control's box in dialog units.
constexpr int kTemplateWidth = 248;
constexpr int kTemplateHeight = 135;

using Placement = TemplateControl;

constexpr Placement kOwnImage{CustomBackgroundDialog::ID_OWN_IMAGE, "", {8, 10, 9, 10}, nullptr};
// By Slideshow::Mode.
constexpr Placement kOrders[] = {
    {CustomBackgroundDialog::ID_REPEAT_ONE, "", {94, 12, 10, 9}, nullptr},
    {CustomBackgroundDialog::ID_REPEAT_ALL, "", {147, 12, 10, 9}, nullptr},
    {CustomBackgroundDialog::ID_RANDOM, "", {199, 12, 10, 9}, nullptr},
};
constexpr Placement kLabels[] = {
    {wxID_STATIC, "Use your own image", {20, 13, 73, 11}, nullptr},
    {wxID_STATIC, "Repeat One", {104, 13, 41, 9}, nullptr},
    {wxID_STATIC, "Repeat All", {160, 13, 34, 8}, nullptr},
    {wxID_STATIC, "Random ", {211, 13, 30, 8}, nullptr},
    {wxID_STATIC, "Interval", {176, 119, 27, 9}, nullptr},
    {wxID_STATIC, "S", {231, 119, 8, 8}, nullptr},
};
constexpr Placement kList{CustomBackgroundDialog::ID_LIST, "List1", {10, 26, 231, 87}, nullptr};
constexpr Placement kButtons[] = {
    {CustomBackgroundDialog::ID_ADD_IMAGE,
     "Add Image",
     {7, 117, 50, 11},
     "Add Aquarium Background"},
    {CustomBackgroundDialog::ID_REMOVE_IMAGE,
     "Remove Image",
     {63, 117, 51, 11},
     "Remove Aquarium Background"},
    {CustomBackgroundDialog::ID_REMOVE_ALL,
     "Remove All",
     {119, 117, 50, 11},
     "Remove All Aquarium Backgrounds"},
};
constexpr Placement kInterval{CustomBackgroundDialog::ID_INTERVAL, "", {204, 118, 24, 12}, nullptr};

// File names are bytes; shown and handed back in the file-name encoding.
wxString FromPath(const std::string& path) {
    return wxString(path.c_str(), *wxConvFileName);
}

}  // namespace

CustomBackgroundDialog::CustomBackgroundDialog(wxWindow* parent,
                                               std::unique_ptr<PictureTextures> textures)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_textures(std::move(textures)),
      m_show(*m_textures),
      m_chooser("(*.jpg;*.bmp;*.png)", {"jpg", "jpeg", "jpe", "jfif", "png", "bmp", "dib"},
                AddFilesChooser::kPictures),
      m_timer(this, kTimerId) {
    SetUpFromTemplate(*this, kTemplateWidth, kTemplateHeight);
    CreateControls();
    KeepTankInView(this);

    Bind(wxEVT_CHECKBOX, &CustomBackgroundDialog::OnCheckBox, this);
    Bind(wxEVT_BUTTON, &CustomBackgroundDialog::OnButton, this);
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &CustomBackgroundDialog::OnActivated, this, ID_LIST);
    // The list lets its labels be edited, but an edit is never taken over.
    Bind(
        wxEVT_LIST_END_LABEL_EDIT, [](wxListEvent& event) { event.Veto(); }, ID_LIST);
    Bind(wxEVT_TEXT, &CustomBackgroundDialog::OnIntervalText, this, ID_INTERVAL);
    Bind(wxEVT_CHAR_HOOK, &CustomBackgroundDialog::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { HideAndSave(); });
    Bind(wxEVT_TIMER, &CustomBackgroundDialog::OnTimer, this, kTimerId);

    m_show.LoadBackgroundSettings(GetSettingsFilePath());
    SyncControls();
    m_timer.Start(Slideshow::kTickMs);
}

CustomBackgroundDialog::~CustomBackgroundDialog() {
    m_timer.Stop();
    CustomBackground() = {};
}

void CustomBackgroundDialog::CreateControls() {
    auto at = [](const Placement& p) { return DialogUnitsToPixels(p.rect).GetPosition(); };
    auto size = [](const Placement& p) { return DialogUnitsToPixels(p.rect).GetSize(); };

    m_ownImage =
        new HoverCheckBox(this, kOwnImage.id, kOwnImage.text, at(kOwnImage), size(kOwnImage));
    m_ownImage->SetIcons(kOnOffIconChecked, kOnOffIconUnchecked);
    for (int mode = 0; mode < 3; ++mode) {
        const Placement& p = kOrders[mode];
        m_orders[mode] = new HoverCheckBox(this, p.id, p.text, at(p), size(p));
        m_orders[mode]->SetColors(kOrderBoxChecked, kOrderBoxUnchecked);
    }
    // GTK draws a label straight onto the dialog's own background: transparent, as the
    // layout wants.
    // The first four are the texts of the four boxes, and a click on one toggles its box.
    HoverCheckBox* const labelled[] = {m_ownImage, m_orders[0], m_orders[1], m_orders[2]};
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        const Placement& p = kLabels[i];
        auto* label = new wxStaticText(this, p.id, p.text, at(p), size(p));
        if (i < std::size(labelled)) {
            labelled[i]->TakeClicksOf(label);
        }
    }

    m_list = new wxListCtrl(this, kList.id, at(kList), size(kList),
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS | wxLC_HRULES |
                                wxLC_VRULES | wxBORDER_SUNKEN);
    m_list->SetName(kList.text);
    m_list->SetBackgroundColour(ToWxColour(kMediaListBackground));
    m_list->SetTextColour(ToWxColour(kMediaListText));
    m_list->InsertColumn(0, "Backgrounds Directory", wxLIST_FORMAT_CENTRE, 320);
    m_list->InsertColumn(1, "State", wxLIST_FORMAT_CENTRE, 50);

    for (const auto& p : kButtons) {
        auto* button =
            new HoverButton(this, p.id, p.text, at(p), size(p), HoverButton::kFlat, wxBU_EXACTFIT);
        button->SetTooltipText(p.tooltip, true);
    }
    m_interval = new wxTextCtrl(this, kInterval.id, kInterval.text, at(kInterval), size(kInterval),
                                wxBORDER_SUNKEN, wxTextValidator(wxFILTER_DIGITS));
}

void CustomBackgroundDialog::AddChosenImage(const std::string& path) {
    m_show.AddChosenImage(path);
    SyncControls();
}

void CustomBackgroundDialog::SyncControls() {
    m_ownImage->SetCheck(m_show.OwnImage() ? 1 : 0);
    for (int mode = 0; mode < 3; ++mode) {
        m_orders[mode]->SetCheck(m_show.OrderChecked(static_cast<Slideshow::Mode>(mode)) ? 1 : 0);
    }
    if (m_interval->GetValue().utf8_string() != m_show.IntervalText()) {
        m_interval->ChangeValue(wxString::FromUTF8(m_show.IntervalText()));
    }
    RefreshList();
    // The flag itself follows the box only at the next tick.
    CustomBackground().texture = m_show.CurrentTexture();
}

void CustomBackgroundDialog::RefreshList() {
    const auto& rows = m_show.Rows();
    bool same = m_list->GetItemCount() == static_cast<int>(rows.size());
    for (int r = 0; same && r < m_list->GetItemCount(); ++r) {
        same = m_list->GetItemText(r, 0) == FromPath(rows[r].path);
    }
    if (!same) {  // rows were added or removed: rebuild, at most ten rows
        m_list->DeleteAllItems();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            m_list->InsertItem(r, FromPath(rows[r].path));
            m_list->SetItemBackgroundColour(r, ToWxColour(kMediaListBackground));
            m_list->SetItemTextColour(r, ToWxColour(kMediaListText));
        }
    }
    // A row whose picture is not at hand is written in grey, its state "N/A".
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const wxString state = !rows[r].available ? "N/A" : rows[r].on ? "ON" : "OFF";
        if (m_list->GetItemText(r, 1) != state) {
            m_list->SetItem(r, 1, state);
        }
        const wxColour text =
            ToWxColour(rows[r].available ? kMediaListText : kMediaListUnavailableText);
        if (m_list->GetItemTextColour(r) != text) {
            m_list->SetItemTextColour(r, text);
        }
    }
}

void CustomBackgroundDialog::HideAndSave() {
    Hide();
    SaveBackgroundSettings();
}

void CustomBackgroundDialog::SaveBackgroundSettings() {
    m_show.SaveBackgroundSettings(GetSettingsFilePath());
}

void CustomBackgroundDialog::OnCheckBox(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_OWN_IMAGE:
            // The state the click left, carried by the event: a tick between the click and
            // this handler has already set the box back to the slideshow's state.
            m_show.ToggleOwnImage(event.GetInt() == 1);
            break;
        case ID_REPEAT_ONE:
            m_show.ChooseOrder(Slideshow::kRepeatOne);
            break;
        case ID_REPEAT_ALL:
            m_show.ChooseOrder(Slideshow::kRepeatAll);
            break;
        case ID_RANDOM:
            m_show.ChooseOrder(Slideshow::kRandom);
            break;
        default:
            event.Skip();
            return;
    }
    SyncControls();
}

void CustomBackgroundDialog::OnButton(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_ADD_IMAGE: {
            // The button's tooltip is taken away while the chooser is open, so it cannot be left
            // standing on the screen when the chooser closes.
            auto* button = dynamic_cast<HoverButton*>(event.GetEventObject());
            auto choose = [this] {
                const auto& rows = m_show.Rows();
                const wxString newest = rows.empty() ? wxString() : FromPath(rows.back().path);
                for (const wxString& path : m_chooser.Choose(this, newest)) {
                    // Each file is added as one chosen alone, but a full list says so only once.
                    const bool full =
                        static_cast<int>(m_show.Rows().size()) >= Slideshow::kMaxImages;
                    AddChosenImage(std::string(path.fn_str()));
                    if (full) {
                        break;
                    }
                }
            };
            if (button != nullptr) {
                button->RunWithoutTooltip(choose);
            } else {
                choose();
            }
            break;
        }
        case ID_REMOVE_IMAGE:
            m_show.RemoveImage(
                static_cast<int>(m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)));
            SyncControls();
            break;
        case ID_REMOVE_ALL:
            m_show.RemoveAll();
            SyncControls();
            break;
        default:
            event.Skip();
    }
}

void CustomBackgroundDialog::OnActivated(wxListEvent& event) {
    m_show.ShowRow(static_cast<int>(event.GetIndex()));
    SyncControls();
}

void CustomBackgroundDialog::OnIntervalText(wxCommandEvent&) {
    m_show.SetIntervalText(m_interval->GetValue().utf8_string());
}

void CustomBackgroundDialog::OnCharHook(wxKeyEvent& event) {
    // While a row's label is being edited, Enter and Escape end the edit.
    if (m_list->GetEditControl() != nullptr) {
        event.Skip();
        return;
    }
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        HideAndSave();
        return;
    }
    // Enter neither closes the dialog nor activates a row.
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        return;
    }
    event.Skip();
}

void CustomBackgroundDialog::OnTimer(wxTimerEvent&) {
    m_show.Tick();
    CustomBackground().active = m_show.OwnImage();
    SyncControls();
}

}  // namespace reef
