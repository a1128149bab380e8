#include "ui/dialog_manners.h"

#include <gtk/gtk.h>
#include <wx/dialog.h>

#include "platform/window_state.h"

namespace reef {
namespace {

// Takes minimise and maximise away from what the window manager is asked to offer, and makes
// the size fixed. wxGTK translates the style to these GDK hints when the dialog is created and
// writes them to the window when it is realised and first shown, so they are changed at the
// source, and on the window too when it exists already.
void AskForCloseBoxOnly(wxDialog* dialog) {
    dialog->m_gdkFunc &= ~(GDK_FUNC_MINIMIZE | GDK_FUNC_MAXIMIZE | GDK_FUNC_RESIZE);
    dialog->m_gdkDecor &= ~(GDK_DECOR_MINIMIZE | GDK_DECOR_MAXIMIZE | GDK_DECOR_RESIZEH);
    dialog->SetWindowStyleFlag(dialog->GetWindowStyleFlag() &
                               ~(wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxRESIZE_BORDER));
    GtkWidget* widget = dialog->GetHandle();
    gtk_window_set_resizable(GTK_WINDOW(widget), FALSE);
    if (GdkWindow* window = gtk_widget_get_window(widget)) {
        gdk_window_set_functions(window, static_cast<GdkWMFunction>(dialog->m_gdkFunc));
        gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(dialog->m_gdkDecor));
    }
}

void ShowAgain(wxTopLevelWindow* window) {
    if (window->IsIconized()) {
        window->Iconize(false);
    } else if (!IsTopLevelOnScreen(window)) {
        // Withdrawn from outside: the toolkit still counts the window as shown, so it is hidden
        // first to be mapped afresh.
        window->Hide();
        window->Show();
    }
}

}  // namespace

void KeepTankInView(wxDialog* dialog) {
    AskForCloseBoxOnly(dialog);

    dialog->Bind(wxEVT_ICONIZE, [dialog](wxIconizeEvent& event) {
        event.Skip();
        if (event.IsIconized()) {
            // Not from inside the window manager's state change.
            dialog->CallAfter([dialog] { dialog->Iconize(false); });
        }
    });
    dialog->Bind(wxEVT_SHOW, [dialog](wxShowEvent& event) {
        event.Skip();
        auto* tank = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(dialog->GetParent()));
        if (!event.IsShown() && tank != nullptr) {
            ShowAgain(tank);
        }
    });
}

void ShowBesideTank(wxDialog* dialog) {
    dialog->CentreOnScreen();
    dialog->Show();
    dialog->Raise();
}

}  // namespace reef
