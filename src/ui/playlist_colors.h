#pragma once

#include "ui/ui_types.h"

namespace reef {

inline constexpr ColorRef kPlaylistTextColor = 0xFF0000;
// Text of a row whose file is not at hand or could not be played: grey, readable on the tan
// rows.
inline constexpr ColorRef kPlaylistUnplayableTextColor = 0x707070;
inline constexpr ColorRef kPlaylistRowColor = 0x82B8C4;
inline constexpr ColorRef kPlaylistPlayingRowColor = 0x00FF00;

struct PlaylistRowColors {
    ColorRef text;
    ColorRef background;
};

// Colours of playlist row `row`; `playingRow` is the row being played, or -1 for none.
// `unplayable`: the row's file could not be played; its text is grey.
PlaylistRowColors PlaylistRowColorsFor(int row, int playingRow, bool unplayable = false);

// The mark drawn at the start of a row. Unlike the colours, it stays visible while the row is
// selected and painted in the selection's colour.
enum class PlaylistRowMark { kNone, kPlaying, kUnplayable };

PlaylistRowMark PlaylistRowMarkFor(int row, int playingRow, bool unplayable);

}  // namespace reef
