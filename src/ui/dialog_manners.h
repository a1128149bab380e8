#pragma once

class wxDialog;

namespace reef {

// How a dialog over the tank behaves toward the window manager. A dialog takes it all up with
// one call in its constructor, KeepTankInView(this):
//
// - The window manager is asked for a title bar with a close box and nothing else: no minimise,
//   and no maximise, since the dialog's size is fixed. This holds whatever style the dialog was
//   made with.
// - Some window managers offer minimise all the same (openbox ignores the request) and iconify
//   the dialog together with the tank, which stands in its window group; the desktop would look
//   normal with the aquarium still running unseen. So an iconified dialog shows itself again at
//   once, which brings the tank back with it.
// - When the dialog closes (it is hidden), the tank frame, its top-level parent, shows itself
//   again if it was iconified or hidden by anyone in the meantime.
void KeepTankInView(wxDialog* dialog);

// Centres a modeless dialog on the screen and shows it above the tank, which goes on moving
// behind it.
void ShowBesideTank(wxDialog* dialog);

}  // namespace reef
