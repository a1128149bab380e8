#pragma once

namespace reef {

// The per-user profile value "Settings"/"Volume" (the music volume, 0..1000), which the program
// only reads; 1000 when it is missing or not a number. The profile is the wxWidgets
// configuration file of the application "GlassReefScr" (vendor "Local AppWizard-Generated
// Applications") in the XDG layout: $XDG_CONFIG_HOME/GlassReefScr.conf, else
// ~/.config/GlassReefScr.conf.
int ReadProfileVolume();

}  // namespace reef
