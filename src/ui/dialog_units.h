#pragma once

#include <wx/gdicmn.h>

class wxWindow;

namespace reef {

// The dialogs are laid out from templates in dialog units, drawn for an 8-point dialog font
// whose average character is 6 x 13 pixels: a unit is a quarter of that width across (1.5
// pixels) and an eighth of its height down (1.625 pixels). The units stay tied to those pixels
// whatever font the desktop has, so a dialog keeps the proportions it was drawn with and meets
// the pictures laid out in pixels beside its controls (the Fish Settings dialog's 334 units
// span its 500-pixel picture sheet). Pixels are window pixels, which GTK scales as a whole on
// HiDPI screens.

// A box of a dialog template, in dialog units.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One control of a dialog template: its id, its text, its box and, for the controls that have
// one, its tooltip.
struct TemplateControl {
    int id = 0;
    const char* text = "";
    DialogRect rect;
    const char* tooltip = nullptr;
};

// The box in pixels. Its corners are converted, each rounded to the nearest pixel, so boxes
// that meet or line up in the template meet or line up on screen.
wxRect DialogUnitsToPixels(const DialogRect& rect);

// Prepares `dialog` for controls placed with DialogUnitsToPixels; call it before creating them,
// which take the dialog's font. Gives the dialog the largest font of at most 8 points whose
// average character fits the template's 6 x 13 pixels, so the texts fit the boxes drawn for
// them, and a client area of width x height dialog units.
//
// Create push buttons with wxBU_EXACTFIT: GTK themes pad a button's label by about 8 pixels a
// side, which a template's box, drawn for a thin frame, has no room for.
void SetUpFromTemplate(wxWindow& dialog, int width, int height);

}  // namespace reef
