#pragma once

#include <string>
#include <vector>

namespace reef {

class MediaPlayer;

// The row of the playlist being played, painted green by the playlist control; -1 = none.
// Process-wide, as the control reads it without knowing the dialog.
int& PlayingRow();

// Everything the Custom Music dialog decides, without its windows: the playlist rows, the four
// check boxes, which buttons are enabled, the play state and the chain from song to song. The
// dialog shows this state in its controls and forwards each user action here; the player is
// reached only through the MediaPlayer face.
//
// The playlist is the list of full paths, in the order added; duplicates are allowed and there
// is no limit on their number. Rows change only while the player is idle or stopped, because
// the buttons that change them are disabled while it plays.
class MusicDialogLogic {
public:
    enum State { kPlaying = 0, kIdle = 1, kStopped = 2 };
    enum Mode { kRepeatOne = 0, kRepeatAll = 1, kRandom = 2 };

    // Loads from a saved list stop after this many rows: "MusicSum" comes from a file a user may
    // edit, and a count of billions would read keys for hours. (A load also never reads past
    // the last row key the file holds.)
    static constexpr int kMaxLoadedRows = 10000;

    // Sets the player's volume to `volume` (0..1000, the profile value).
    MusicDialogLogic(MediaPlayer& player, int volume);

    // --- the dialog's operations ---

    // Picks the row to play by mode and state and opens it (see the table in the .cpp); nothing
    // when the list is empty. Every caller passes fallback row 0. A row whose file cannot play is
    // marked (RowUnplayable) and passed over by the mode's rule: the next row in Repeat One and
    // Repeat All, another random row not yet tried in Random, at most once round the list. True
    // when a row that plays is open; false, with the playlist stopped, when none is.
    bool ChooseTrack(int fallbackRow, bool userPick);
    void StartPlayback();
    void StopPlayback();
    void RefreshPlayingRow();
    // Adds a row for a file the user has just chosen: available.
    void AddMusicFile(const std::string& path);
    // Section "Custom Settings" of the INI file at `path`, every key in one replacement of the
    // file, so that a crash leaves the old section or the new one. Unavailable rows are saved
    // too.
    void SaveMusicSettings(const std::string& path) const;
    // Reads the section back in one pass (paths whole, settings/saved_list.h); each row's file
    // is checked (RowAvailable).
    void LoadMusicSettings(const std::string& path);

    // --- what the user does; each acts on the current selection (SetSelection first) ---

    void OnPlay();
    void OnStop();
    // After the On/Off box has toggled itself to `checked`.
    void OnOnOff(bool checked);
    void OnDoubleClick();
    void OnRemove();
    void OnRemoveAll();
    // A click on a mode box: that mode is chosen, its box checked, the other two unchecked.
    void OnMode(Mode mode);
    void OnVolume(int sliderPosition);
    // The 200 ms timer: copies the On/Off box to the process's own-music flag and chains to the
    // next song once the current one has ended.
    void OnTimer();

    // --- the state the dialog shows ---

    // The first selected row, or -1. Operations that clear the selection set it to -1 and count
    // in SelectionClears(), so the dialog clears its list's selection then, and only then.
    void SetSelection(int row) { m_selection = row; }
    int Selection() const { return m_selection; }
    unsigned SelectionClears() const { return m_selectionClears; }
    const std::vector<std::string>& Rows() const { return m_rows; }
    // By row: the row's file could not be played the last time it was opened (false once it
    // plays again, and for rows not opened yet).
    const std::vector<bool>& UnplayableRows() const { return m_unplayable; }
    // Whether row `row`'s file is at hand: false for a row that could not be played the last time
    // it was opened, and for one that was not a readable regular file when the list was loaded (a
    // disk not mounted yet, a folder renamed away, a pipe). Such a row stays in the list and is
    // saved again, so it plays once its file is back; the dialog shows it greyed. False for a row
    // outside the list.
    bool RowAvailable(int row) const;
    // Marks row `row` (for one found away, or come back); changes RowsRevision().
    void SetRowAvailable(int row, bool available);
    // Grows whenever rows are added or deleted, so the dialog knows when to rebuild its list.
    unsigned RowsRevision() const { return m_rowsRevision; }

    bool OnOffChecked() const { return m_onOff; }
    // The box of `mode` is checked. Normally exactly one is.
    bool ModeChecked(Mode mode) const { return m_modeBox[mode]; }
    // "Add Music", "Remove", "Remove All" and "Play" are enabled together.
    bool EditButtonsEnabled() const { return m_editEnabled; }

    int State() const { return m_nState; }
    int Current() const { return m_nCurrent; }
    int Count() const { return m_nCount; }
    int CurrentMode() const { return m_nMode; }
    int Volume() const { return m_nVolume; }
    // The hidden position slider: range 0..PositionRange(), at Position(), in milliseconds.
    int Position() const { return m_nPosition; }
    int PositionRange() const { return m_positionRange; }

private:
    void SelectMode(Mode mode);
    void CheckOnly(Mode mode);
    void DeleteAllRows();
    void ClearSelection();
    // The row to try after `row` could not play; `tried` marks the rows tried so far.
    int NextCandidate(int row, const std::vector<bool>& tried);
    // ChooseTrack, then StartPlayback. When no row of the list can play, the playlist stays
    // stopped and On/Off goes off, so the ambient sound comes back.
    void PlayChosen(bool userPick);

    MediaPlayer& m_player;
    std::vector<std::string> m_rows;
    std::vector<bool> m_unplayable;  // by row
    unsigned m_rowsRevision = 0;
    int m_selection = -1;
    unsigned m_selectionClears = 0;

    bool m_onOff = false;
    bool m_modeBox[3] = {true, false, false};
    bool m_editEnabled = true;

    int m_nPosition = 0;
    int m_positionRange = 0;
    int m_nVolume;
    int m_nState = kIdle;
    int m_nCurrent = -1;
    int m_nCount = 0;
    int m_nMode = kRepeatOne;
};

}  // namespace reef
