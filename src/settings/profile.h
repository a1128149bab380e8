#pragma once

#include <string_view>

namespace reef {

// The per-user profile value "Settings"/"Volume" (the music volume, 0..1000), which the program
// only reads; 1000 when it is missing or not a number. The profile is the wxWidgets
// configuration file of the application "GlassReefScr" (vendor "Local AppWizard-Generated
// Applications") in the XDG layout: $XDG_CONFIG_HOME/GlassReefScr.conf, else
// ~/.config/GlassReefScr.conf. Any bytes in that file give a value or the default: the file is
// read by the program's own reader, never through wxFileConfig, whose parser stops the program
// on some damaged lines ("=1").
int ReadProfileVolume();

// The volume in the text of a profile file. Lines end at LF or CR; blanks around names and
// values do not count; lines starting with ';' or '#' are comments. The first "Volume" entry
// under a "[Settings]" group counts (names are case-sensitive, as wxFileConfig keeps them); its
// value, without the double quotes wxFileConfig may put around it, must be a whole decimal
// number within the range of int;
// a number outside 0..1000 is brought to the nearer end. Anything else gives 1000.
int ProfileVolumeFromText(std::string_view text);

}  // namespace reef
