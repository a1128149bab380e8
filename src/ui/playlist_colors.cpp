#include "ui/playlist_colors.h"

namespace reef {

PlaylistRowColors PlaylistRowColorsFor(int row, int playingRow, bool unplayable) {
    const bool playing = row == playingRow;
    return PlaylistRowColors{
        unplayable && !playing ? kPlaylistUnplayableTextColor : kPlaylistTextColor,
        playing ? kPlaylistPlayingRowColor : kPlaylistRowColor};
}

PlaylistRowMark PlaylistRowMarkFor(int row, int playingRow, bool unplayable) {
    if (row == playingRow) {
        return PlaylistRowMark::kPlaying;
    }
    return unplayable ? PlaylistRowMark::kUnplayable : PlaylistRowMark::kNone;
}

}  // namespace reef
