#include "ui/file_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "ui/file_patterns.h"

namespace reef {

AddFilesChooser::AddFilesChooser(std::string label, std::vector<std::string> extensions,
                                 UserFolder folder)
    : m_wildcard(AddFilesWildcard(label, extensions)), m_userFolder(folder) {}

std::vector<wxString> AddFilesChooser::Choose(wxWindow* parent, const wxString& lastListed) {
    // The user's folder as the desktop's user-dirs file names it; the home folder without one.
    const wxString userFolder = wxStandardPaths::Get().GetUserDir(
        m_userFolder == kPictures ? wxStandardPaths::Dir_Pictures : wxStandardPaths::Dir_Music);
    const std::string start =
        AddFilesStartFolder(std::string(m_lastFolder.fn_str()), std::string(lastListed.fn_str()),
                            std::string(userFolder.fn_str()));
    // Owned by the list's dialog, so it opens above that dialog and the tank below it.
    wxFileDialog chooser(parent, wxFileSelectorPromptStr, wxString(start.c_str(), *wxConvFileName),
                         wxEmptyString, wxString::FromUTF8(m_wildcard),
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE);
    std::vector<wxString> chosen;
    if (chooser.ShowModal() != wxID_OK) {
        return chosen;
    }
    wxArrayString paths;
    chooser.GetPaths(paths);
    for (const wxString& path : paths) {
        chosen.push_back(path);
    }
    if (!chosen.empty()) {
        m_lastFolder = wxFileName(chosen.back()).GetPath(wxPATH_GET_SEPARATOR);
    }
    return chosen;
}

}  // namespace reef
