// The view's mouse input: the pointer rule, the right-click menu and its commands.
#include "fish/fish_settings_dialog.h"
#include "media/custom_background_dialog.h"
#include "media/custom_music_dialog.h"
#include "scene/popup_menu.h"
#include "ui/dialog_manners.h"
#include "view/aquarium_view.h"

namespace reef {

void AquariumView::BindInput() {
    for (auto type : {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK}) {
        Bind(type, &AquariumView::OnMouse, this);
    }
    Bind(wxEVT_RIGHT_DOWN, &AquariumView::OnRightDown, this);
    for (int command :
         {ID_ADD_DELETE_FISH, ID_EXIT_AQUARIUM, ID_CUSTOM_MUSIC, ID_CUSTOM_BACKGROUND}) {
        Bind(wxEVT_MENU, &AquariumView::OnCommand, this, command);
    }
}

void AquariumView::ApplyCursorRule() {
    // Nothing covers the aquarium while it is idle; after the fish dialog the pointer stays.
    SetCursor(m_nCommand == ID_MODE_IDLE ? wxCursor(wxCURSOR_BLANK) : wxCursor(wxCURSOR_ARROW));
}

void AquariumView::OnMouse(wxMouseEvent& event) {
    ApplyCursorRule();
    event.Skip();
}

void AquariumView::OnRightDown(wxMouseEvent& event) {
    // Records in menu order: command, icon resource, text (two leading blanks).
    struct {
        int command;
        int icon;
        const char* text;
    } const items[] = {
        {ID_ADD_DELETE_FISH, 180, "  Add/Delete Fish"},
        {ID_CUSTOM_MUSIC, 253, "  Custom Music"},
        {ID_CUSTOM_BACKGROUND, 232, "  Custom Background"},
        {ID_EXIT_AQUARIUM, 175, "  Exit"},
    };
    auto* menu = new OwnerDrawMenu(this);
    for (const auto& item : items) {
        menu->Append(item.command, PopupMenuItem{item.icon, item.icon, item.text});
    }
    menu->OpenAt(ClientToScreen(event.GetPosition()));
    event.Skip();
}

void AquariumView::OnCommand(wxCommandEvent& event) {
    m_nCommand = event.GetId();
    switch (m_nCommand) {
        case ID_ADD_DELETE_FISH: {
            // Modal over the living tank: the frame timer keeps ticking in the nested loop.
            // The mode stays: the pointer remains visible over the tank afterwards.
            FishSettingsDialog dialog(this);
            dialog.ShowModal();
            break;
        }
        case ID_CUSTOM_MUSIC:
        case ID_CUSTOM_BACKGROUND: {
            // Shown beside the living tank, without blocking it.
            wxDialog* dialog = m_nCommand == ID_CUSTOM_MUSIC
                                   ? static_cast<wxDialog*>(m_pMusicDlg)
                                   : static_cast<wxDialog*>(m_pBackgroundDlg);
            if (dialog != nullptr) {
                ShowBesideTank(dialog);
            }
            m_nCommand = ID_MODE_IDLE;
            ApplyCursorRule();
            break;
        }
        case ID_EXIT_AQUARIUM:
            ExitProgram();
        default:
            event.Skip();
    }
}

}  // namespace reef
