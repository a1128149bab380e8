#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>
#include <string>

#include "media/slideshow.h"
#include "ui/file_chooser.h"

class wxCommandEvent;
class wxKeyEvent;
class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

namespace reef {

class HoverCheckBox;
class PictureTextures;

// The modeless Custom Background dialog: the list of the user's own pictures, the "Use your own
// image" box, the three order boxes, the interval in seconds and the Add, Remove and Remove All
// buttons. It is made hidden at scene start-up and lives as long as the view; its 200 ms timer
// runs the slideshow (media/slideshow.h) whether it is shown or not, and hands the picture and
// the box's state to the background pass through CustomBackground(). Escape and the close box
// hide it and save section "Custom Images"; Enter does nothing.
class CustomBackgroundDialog : public wxDialog {
public:
    // Control ids.
    enum {
        ID_ADD_IMAGE = 1008,
        ID_REMOVE_IMAGE = 1011,
        ID_REMOVE_ALL = 1012,
        ID_OWN_IMAGE = 1014,
        ID_LIST = 1015,
        ID_INTERVAL = 1019,
        ID_REPEAT_ONE = 1023,
        ID_REPEAT_ALL = 1024,
        ID_RANDOM = 1025,
    };
    static constexpr int kTimerId = 1;

    // Builds the dialog hidden, loads the saved list (adding each picture, so `textures` must
    // be able to make textures now) and starts the timer.
    CustomBackgroundDialog(wxWindow* parent, std::unique_ptr<PictureTextures> textures);
    // Frees the pictures' textures and takes the picture away from the background pass.
    ~CustomBackgroundDialog() override;

    // What "Add Image" does with the file the user chose.
    void AddChosenImage(const std::string& path);
    // Saves section "Custom Images": when the dialog closes, and when the program ends.
    void SaveBackgroundSettings();

    const Slideshow& GetSlideshow() const { return m_show; }

private:
    void CreateControls();
    // Brings the controls and the background pass up to the slideshow's state.
    void SyncControls();
    void RefreshList();
    void HideAndSave();

    void OnCheckBox(wxCommandEvent& event);
    void OnButton(wxCommandEvent& event);
    void OnActivated(wxListEvent& event);
    void OnIntervalText(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnTimer(wxTimerEvent& event);

    std::unique_ptr<PictureTextures> m_textures;
    Slideshow m_show;
    HoverCheckBox* m_ownImage = nullptr;
    HoverCheckBox* m_orders[3] = {};  // by Slideshow::Mode
    wxListCtrl* m_list = nullptr;
    wxTextCtrl* m_interval = nullptr;
    AddFilesChooser m_chooser;
    wxTimer m_timer;
};

}  // namespace reef
