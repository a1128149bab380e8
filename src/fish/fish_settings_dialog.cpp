#include "fish/fish_settings_dialog.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/stattext.h>

#include <algorithm>

#include "fish/invert_ellipse.h"
#include "platform/help_page.h"
#include "resources/icons.h"
#include "settings/aquarium_settings.h"
#include "ui/dialog_manners.h"
#include "ui/dialog_units.h"
#include "ui/hover_button.h"
#include "ui/hyperlink.h"

namespace reef {

namespace {

constexpr int kSheetResource = 129;
constexpr const char* kCaption = "Fish Settings - Glass Reef Ripple Screensaver 1.0";
// The link opens the help page installed with the program (platform/help_page.h).
constexpr const char* kHelpLabel = "Glass Reef help";

// The template: the dialog's size and its controls, in dialog units.
constexpr int kTemplateWidth = 334;
constexpr int kTemplateHeight = 345;

using Placement = TemplateControl;

constexpr Placement kButtons[] = {
    {FishSettingsDialog::ID_ADD, "Add", {121, 324, 27, 15}, "Add Fish"},
    {FishSettingsDialog::ID_DELETE, "Delete", {150, 324, 32, 15}, "Delete Fish"},
    {FishSettingsDialog::ID_RANDOM, "Random", {184, 324, 31, 15}, "Random  All Fishes"},
    {FishSettingsDialog::ID_CLEAR, "Clear", {217, 324, 27, 15}, "Clear All Fishes"},
};
constexpr Placement kHidden[] = {
    {FishSettingsDialog::ID_OK, "OK", {211, 209, 47, 21}, nullptr},
    {FishSettingsDialog::ID_CANCEL, "Cancel", {283, 209, 47, 21}, nullptr},
};
constexpr Placement kLink{FishSettingsDialog::ID_LINK, kHelpLabel, {9, 332, 113, 12}, nullptr};
constexpr Placement kTotal{
    FishSettingsDialog::ID_TOTAL, "Total:50  (Max:50)", {252, 332, 81, 8}, nullptr};

FishPopulation::Action ActionOfButton(int id) {
    switch (id) {
        case FishSettingsDialog::ID_ADD:
            return FishPopulation::Action::kAdd;
        case FishSettingsDialog::ID_DELETE:
            return FishPopulation::Action::kDelete;
        case FishSettingsDialog::ID_RANDOM:
            return FishPopulation::Action::kRandom;
        case FishSettingsDialog::ID_CLEAR:
            return FishPopulation::Action::kClear;
        default:
            return FishPopulation::Action::kNone;
    }
}

}  // namespace

FishSettingsDialog::FishSettingsDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_timer(this, kSaveTimerId) {
    // The template's 334 units span the 500-pixel sheet; the buttons and labels sit below it.
    SetUpFromTemplate(*this, kTemplateWidth, kTemplateHeight);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    KeepTankInView(this);

    m_sheet = LoadPngResource("BITMAP", kSheetResource);
    CreateControls();
    CentreOnScreen();

    m_population.Load(GetSettingsFilePath());
    Bind(wxEVT_PAINT, &FishSettingsDialog::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &FishSettingsDialog::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent&) { Perform(FishPopulation::Action::kAdd); });
    Bind(wxEVT_RIGHT_DCLICK, [this](wxMouseEvent&) { Perform(FishPopulation::Action::kDelete); });
    Bind(wxEVT_CHAR_HOOK, &FishSettingsDialog::OnCharHook, this);
    Bind(wxEVT_BUTTON, &FishSettingsDialog::OnButton, this);
    Bind(wxEVT_CLOSE_WINDOW, &FishSettingsDialog::OnClose, this);
    Bind(wxEVT_TIMER, &FishSettingsDialog::OnTimer, this, kSaveTimerId);
    m_timer.Start(kSavePeriodMs);
    RefreshTotal();
}

FishSettingsDialog::~FishSettingsDialog() {
    m_timer.Stop();
}

void FishSettingsDialog::CreateControls() {
    for (const auto& p : kButtons) {
        const wxRect r = DialogUnitsToPixels(p.rect);
        auto* button = new HoverButton(this, p.id, p.text, r.GetPosition(), r.GetSize(),
                                       HoverButton::kStandard, wxBU_EXACTFIT);
        button->SetTooltipText(p.tooltip, true);
    }
    for (const auto& p : kHidden) {
        const wxRect r = DialogUnitsToPixels(p.rect);
        (new wxButton(this, p.id, p.text, r.GetPosition(), r.GetSize()))->Hide();
    }
    const wxRect link = DialogUnitsToPixels(kLink.rect);
    new HyperLink(this, kLink.id, kLink.text, wxString::FromUTF8(HelpPageAddress()),
                  link.GetPosition(), link.GetSize(), 0);
    // The label grows to its text; the template's width is only its first extent.
    m_total = new wxStaticText(this, kTotal.id, kTotal.text,
                               DialogUnitsToPixels(kTotal.rect).GetPosition(), wxDefaultSize);
    m_total->SetForegroundColour(wxColour(0, 0, 255));
}

void FishSettingsDialog::Perform(FishPopulation::Action action) {
    Redraw(m_population.Apply(action));
}

void FishSettingsDialog::Redraw(const std::vector<FishPopulation::Rect>& dirty) {
    for (const auto& r : dirty) {
        RefreshRect(wxRect(r.left, r.top, r.width, r.height), false);
    }
    RefreshTotal();
}

void FishSettingsDialog::RefreshTotal() {
    m_total->SetLabel(m_population.TotalLabel());
}

void FishSettingsDialog::Save() {
    // A settings file that cannot be written is not reported: the tank gets the counts anyway.
    m_population.Save(GetSettingsFilePath(), g_settings);
}

void FishSettingsDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize client = GetClientSize();
    // The sheet with its counts goes through an image, so the selected cell's ellipse can be
    // inverted pixel by pixel; the picture covers the cells of all 15 kinds.
    const int width = std::min(client.x, FishPopulation::kSheetWidth + 2);
    const int height = std::min(client.y, FishPopulation::kSheetHeight + 2);
    wxBitmap picture(width, height, 24);
    {
        wxMemoryDC memory(picture);
        memory.SetBackground(wxBrush(GetBackgroundColour()));
        memory.Clear();
        if (m_sheet.IsOk()) {
            memory.DrawBitmap(m_sheet, 0, 0);
        }
        memory.SetFont(GetFont());
        memory.SetTextForeground(*wxBLACK);
        memory.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        for (int kind = 0; kind < FishPopulation::kKinds; ++kind) {
            auto cell = FishPopulation::CellRect(kind);
            memory.DrawText(wxString::Format("%d", m_population.GetCounts()[kind]), cell.left + 2,
                            cell.top + 2);
        }
    }
    if (m_population.HasKindSelected()) {
        wxImage image = picture.ConvertToImage();
        auto cell = FishPopulation::CellRect(m_population.Selection());
        InvertEllipse(image.GetData(), width, height, cell.left, cell.top, cell.width, cell.height);
        picture = wxBitmap(image);
    }
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.DrawBitmap(picture, 0, 0);
}

void FishSettingsDialog::OnLeftDown(wxMouseEvent& event) {
    Redraw(m_population.Click(event.GetX(), event.GetY()));
    event.Skip();
}

void FishSettingsDialog::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        EndModal(ID_CANCEL);  // the last timer save stands
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        PressFocusedOrDefault();
        return;
    }
    // Shift (like Caps Lock) only picks the letter's case, and either case stands for the
    // button; combinations with Ctrl, Alt or Meta go on to the normal processing.
    const bool combination = (event.GetModifiers() & ~wxMOD_SHIFT) != 0;
    auto action = combination ? FishPopulation::Action::kNone : FishPopulation::ActionForKey(key);
    if (action == FishPopulation::Action::kNone) {
        event.Skip();
        return;
    }
    Perform(action);
}

void FishSettingsDialog::PressFocusedOrDefault() {
    // As in any dialog, Enter presses the button that has the focus (the dialog opens with the
    // focus on Add, and a click on a button gives it the focus); elsewhere, on the link, it does
    // what the hidden default button OK does.
    auto* button = dynamic_cast<wxButton*>(FindFocus());
    if (button != nullptr && button->GetParent() == this && button->IsEnabled()) {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
        return;
    }
    Save();
    EndModal(ID_OK);
}

void FishSettingsDialog::OnButton(wxCommandEvent& event) {
    switch (event.GetId()) {
        case ID_OK:
            Save();
            EndModal(ID_OK);
            break;
        case ID_CANCEL:
            EndModal(ID_CANCEL);
            break;
        default:
            Perform(ActionOfButton(event.GetId()));
    }
}

void FishSettingsDialog::OnClose(wxCloseEvent&) {
    Save();
    EndModal(ID_OK);
}

void FishSettingsDialog::OnTimer(wxTimerEvent&) {
    Save();
}

}  // namespace reef
