#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

class wxWindow;

namespace reef {

// The file-open dialog of a list's "Add" button, shared by the music and background dialogs: its
// first filter shows the list's kind of files whatever the case of their names (".JPG" as
// ".jpg", and the other usual spellings such as ".jpeg"), the second shows all files; several
// files can be chosen at once. It opens in the folder a file was last chosen from, else the
// folder of the list's newest row, else the user's own folder for such files.
class AddFilesChooser {
public:
    enum UserFolder { kPictures, kMusic };

    // `label` is the first filter's description; `extensions` (without dots) the names it shows.
    AddFilesChooser(std::string label, std::vector<std::string> extensions, UserFolder folder);

    // Shows the dialog over `parent`. `lastListed` is the list's newest row, or empty. The full
    // paths of the files chosen, in the order the chooser gives them; none when cancelled.
    std::vector<wxString> Choose(wxWindow* parent, const wxString& lastListed);

private:
    std::string m_wildcard;
    UserFolder m_userFolder;
    wxString m_lastFolder;
};

}  // namespace reef
