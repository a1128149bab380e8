#pragma once

#include "ui/playlist_colors.h"
#include "ui/ui_types.h"

namespace reef {

// The look the Custom Music and Custom Background dialogs share: blue text on tan in their
// lists, an on/off box drawn with the check-box icons, and round order boxes green when checked
// and black when not.
inline constexpr ColorRef kMediaListBackground = 0x82B8CF;
inline constexpr ColorRef kMediaListText = 0xFF0000;
// A row whose file is not at hand (a disk not mounted, a folder renamed away): grey text.
inline constexpr ColorRef kMediaListUnavailableText = kPlaylistUnplayableTextColor;
inline constexpr int kOnOffIconChecked = 184;
inline constexpr int kOnOffIconUnchecked = 183;
inline constexpr ColorRef kOrderBoxChecked = 0x00FF00;
inline constexpr ColorRef kOrderBoxUnchecked = 0x000000;

}  // namespace reef
