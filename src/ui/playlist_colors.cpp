#include "ui/playlist_colors.h"

namespace reef {

PlaylistRowColors PlaylistRowColorsFor(int row, int playingRow) {
    return PlaylistRowColors{kPlaylistTextColor,
                             row == playingRow ? kPlaylistPlayingRowColor : kPlaylistRowColor};
}

}  // namespace reef
