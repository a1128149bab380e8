#pragma once

#include "ui/ui_types.h"

namespace reef {

inline constexpr ColorRef kPlaylistTextColor = 0xFF0000;
inline constexpr ColorRef kPlaylistRowColor = 0x82B8C4;
inline constexpr ColorRef kPlaylistPlayingRowColor = 0x00FF00;
// Text of a row whose file is not at hand: grey, readable on the tan rows.
inline constexpr ColorRef kPlaylistUnavailableTextColor = 0x707070;

struct PlaylistRowColors {
    ColorRef text;
    ColorRef background;
};

// Colours of playlist row `row`; `playingRow` is the row being played, or -1 for none.
PlaylistRowColors PlaylistRowColorsFor(int row, int playingRow);

}  // namespace reef
