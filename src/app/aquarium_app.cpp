#include "app/aquarium_app.h"

#include <wx/msgdlg.h>

#include <cstdlib>

#include "app/main_frame.h"
#include "platform/end_request.h"
#include "platform/instance_lock.h"
#include "platform/message.h"

namespace reef {
namespace {

void ShowMessageBox(const std::string& text, const std::string& caption) {
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | wxICON_EXCLAMATION);
}

}  // namespace

bool AquariumApp::OnInit() {
    // A sibling program holding its lock: end at once, silently. This program holds the same
    // lock for as long as it runs.
    if (AcquireNamedLock("CoralfinScr") == LockResult::kHeldByOther) {
        std::exit(0);
    }
    // Another copy of this program: end without a window or a word.
    if (AcquireNamedLock("GlassReefScr") == LockResult::kHeldByOther) {
        return false;
    }
    SetAppName("GlassReefScr");
    SetVendorName("Local AppWizard-Generated Applications");
    SetMessageHandler(ShowMessageBox);

    auto* frame = new CMainFrame();
    SetTopWindow(frame);
    frame->CreateAndShow();
    // Ended from outside (the session closing, kill, Ctrl+C): as by the menu's Exit, so the
    // media dialogs' edits are saved.
    WhenAskedToEnd([frame] { frame->EndProgram(); });
    return true;
}

}  // namespace reef
