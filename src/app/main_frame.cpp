#include "app/main_frame.h"

#include <wx/msgdlg.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/desktop_snapshot.h"
#include "platform/folders.h"
#include "platform/message.h"
#include "platform/screen.h"
#include "platform/temp_files.h"
#include "resources/icons.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

// The program's icon among the embedded icons.
constexpr int kProgramIconId = 128;

}  // namespace

CMainFrame::CMainFrame() = default;

void CMainFrame::CreateAndShow() {
    const wxRect screen = PrimaryScreenRect();
    auto tempFolder = TempFolder();
    // Without a temporary folder there is no snapshot and no view: the frame stays an ordinary
    // decorated window.
    std::string snapshot;
    if (tempFolder) {
        // Nothing of the program exists on screen yet, so the picture is the desktop as the
        // user left it. A snapshot that cannot be taken leaves the view without a desktop
        // picture: a file of an earlier run may still stand there, but it is not today's
        // desktop.
        const wxRect pixels = PrimaryScreenDeviceRect();
        const std::string path = *tempFolder + "topdesk.bmp";
        // A capture cut short by a kill leaves its partial picture of the screen under a
        // temporary name; those of earlier runs go now.
        RemoveStaleTempFiles(path);
        if (TakeDesktopSnapshot(pixels, path)) {
            snapshot = path;
        }
    }
    long style = tempFolder ? (wxBORDER_NONE | wxSTAY_ON_TOP) : wxDEFAULT_FRAME_STYLE;
    Create(nullptr, wxID_ANY, kAppTitle, screen.GetPosition(), screen.GetSize(), style);
    SetBackgroundColour(*wxBLACK);
    if (wxBitmap icon = LoadIconBitmap(kProgramIconId); icon.IsOk()) {
        wxIcon frameIcon;
        frameIcon.CopyFromBitmap(icon);
        SetIcon(frameIcon);
    }
    Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_SET_FOCUS, &CMainFrame::OnSetFocus, this);

    if (!tempFolder) {
        wxMessageBox("Error Find TempPath.", "ERROR", wxOK, this);
        Show();
        return;
    }
    m_view = new AquariumView(this);
    m_view->SetDesktopSnapshot(snapshot);

    // Without a window manager a full-screen request is not honoured, so the frame also places
    // itself over the screen.
    SetSize(screen);
    Show();
    ShowFullScreen(true, wxFULLSCREEN_ALL);
    SetSize(screen);
    Raise();
    m_view->SetFocus();
    m_view->StartScene();
}

void CMainFrame::EndProgram() {
    if (m_view != nullptr) {
        m_view->ExitProgram();
    }
    std::fflush(nullptr);
    _exit(0);
}

void CMainFrame::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) {
        Close();
        return;
    }
    event.Skip();
}

void CMainFrame::OnSetFocus(wxFocusEvent& event) {
    if (m_view != nullptr) {
        m_view->SetFocus();
    }
    event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    if (m_view != nullptr) {
        m_view->Teardown();
    }
    event.Skip();
}

}  // namespace reef
