#include "media/music_dialog_logic.h"

#include <algorithm>

#include "media/media_player.h"
#include "media/sound_hand_over.h"
#include "platform/file_check.h"
#include "platform/message.h"
#include "platform/random.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/saved_list.h"

namespace reef {
namespace {

constexpr const char* kSection = "Custom Settings";

}  // namespace

int& PlayingRow() {
    static int row = -1;
    return row;
}

MusicDialogLogic::MusicDialogLogic(MediaPlayer& player, int volume)
    : m_player(player), m_nVolume(volume) {
    m_player.Open("");
    m_player.SetVolume(m_nVolume);
}

bool MusicDialogLogic::ChooseTrack(int fallbackRow, bool userPick) {
    const int count = static_cast<int>(m_rows.size());
    if (count == 0) {
        return false;
    }
    const int sel = m_selection;
    //              | playing, no pick  | playing, pick | idle or stopped
    // Repeat One   | the same row      | sel           | sel, else the fallback row
    // Repeat All   | the next, wrapped | sel           | sel, else row 0
    // Random       | a random row      | sel           | sel, else a random row
    int next = m_nCurrent;
    if (m_nState == kPlaying && !userPick) {
        if (m_nMode == kRepeatAll) {
            next = (m_nCurrent + 1) % count;
        } else if (m_nMode == kRandom) {
            next = Rand() % count;
        }
    } else if (m_nState == kPlaying || sel != -1) {
        next = sel;
    } else if (m_nMode == kRepeatOne) {
        next = fallbackRow;
    } else if (m_nMode == kRepeatAll) {
        next = 0;
    } else {
        next = Rand() % count;
    }
    // A chain that lost its row or a pick of no row starts again from the fallback row instead
    // of reading outside the list.
    if (next < 0 || next >= count) {
        next = std::clamp(fallbackRow, 0, count - 1);
    }

    m_player.Stop();
    // A file that is missing, moved or broken must not silence the list: the rows after it (by
    // the mode's rule) are tried, each at most once.
    std::vector<bool> tried(m_rows.size(), false);
    bool playable = false;
    for (int attempt = 0; attempt < count && !playable; ++attempt) {
        if (attempt > 0) {
            next = NextCandidate(next, tried);
        }
        tried[static_cast<std::size_t>(next)] = true;
        m_nCurrent = next;
        m_player.Close();
        m_player.Open(m_rows[m_nCurrent]);
        playable = m_player.CanPlay();
        m_unplayable[static_cast<std::size_t>(next)] = !playable;
    }
    if (!playable) {
        StopPlayback();
    }
    m_player.Seek(0);
    m_player.SetVolume(m_nVolume);
    m_positionRange = m_player.GetLength();
    m_nPosition = 0;
    return playable;
}

int MusicDialogLogic::NextCandidate(int row, const std::vector<bool>& tried) {
    const int count = static_cast<int>(m_rows.size());
    if (m_nMode != kRandom) {
        return (row + 1) % count;
    }
    // Random: any row not tried yet, each as likely.
    const int left = static_cast<int>(std::count(tried.begin(), tried.end(), false));
    if (left == 0) {
        return row;
    }
    int pick = Rand() % left;
    for (int r = 0; r < count; ++r) {
        if (!tried[static_cast<std::size_t>(r)] && pick-- == 0) {
            return r;
        }
    }
    return row;
}

void MusicDialogLogic::PlayChosen(bool userPick) {
    if (ChooseTrack(0, userPick)) {
        StartPlayback();
    } else if (!m_rows.empty()) {
        m_onOff = false;
    }
}

void MusicDialogLogic::StartPlayback() {
    if (m_rows.empty()) {
        return;
    }
    m_nState = kPlaying;
    m_player.Play();
    RefreshPlayingRow();
    m_editEnabled = false;
    m_onOff = true;
}

void MusicDialogLogic::StopPlayback() {
    m_nState = kStopped;
    m_player.Stop();
    m_player.Seek(0);
    m_nCurrent = -1;
    RefreshPlayingRow();
    ClearSelection();
    m_editEnabled = true;
}

void MusicDialogLogic::ClearSelection() {
    m_selection = -1;
    ++m_selectionClears;
}

void MusicDialogLogic::RefreshPlayingRow() {
    PlayingRow() = m_nCurrent;
}

void MusicDialogLogic::AddMusicFile(const std::string& path) {
    m_rows.push_back(path);
    m_unplayable.push_back(false);
    ++m_rowsRevision;
    m_nCount = static_cast<int>(m_rows.size());
}

bool MusicDialogLogic::RowAvailable(int row) const {
    return row >= 0 && row < static_cast<int>(m_unplayable.size()) &&
           !m_unplayable[static_cast<std::size_t>(row)];
}

void MusicDialogLogic::SetRowAvailable(int row, bool available) {
    if (row >= 0 && row < static_cast<int>(m_unplayable.size()) &&
        m_unplayable[static_cast<std::size_t>(row)] == available) {
        m_unplayable[static_cast<std::size_t>(row)] = !available;
        ++m_rowsRevision;
    }
}

void MusicDialogLogic::DeleteAllRows() {
    m_rows.clear();
    m_unplayable.clear();
    ++m_rowsRevision;
    ClearSelection();
    m_nCount = 0;
}

void MusicDialogLogic::SaveMusicSettings(const std::string& path) const {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    std::vector<IniEntry> entries = {
        {"RandomMusic", flag(m_modeBox[kRandom])},
        {"CycMusic", flag(m_modeBox[kRepeatAll])},
        {"RepeatMusic", flag(m_modeBox[kRepeatOne])},
        {"OwnMusic", flag(m_onOff)},
    };
    AppendSavedList(entries, "MusicSum", "MusicList", m_rows);
    // A file that cannot be written is not reported; the next start finds the old list.
    WriteIniValues(path, kSection, entries);
}

void MusicDialogLogic::LoadMusicSettings(const std::string& path) {
    DeleteAllRows();
    const IniSection section = ReadIniSection(path, kSection);
    auto isSet = [&](const char* key) { return AtoiLike(section.Value(key)) == 1; };
    m_modeBox[kRandom] = isSet("RandomMusic");
    m_modeBox[kRepeatAll] = isSet("CycMusic");
    m_modeBox[kRepeatOne] = isSet("RepeatMusic");
    m_onOff = isSet("OwnMusic");

    const int n = std::min(AtoiLike(section.Value("MusicSum")), kMaxLoadedRows);
    m_rows = ReadSavedList(section, "MusicSum", "MusicList", kMaxLoadedRows);
    // Kept even when empty or not there: the row is listed, it just cannot play.
    m_unplayable.clear();
    for (const std::string& row : m_rows) {
        m_unplayable.push_back(!IsReadableRegularFile(row));
    }
    ++m_rowsRevision;
    m_nCount = static_cast<int>(m_rows.size());

    if (!m_modeBox[kRandom] && !m_modeBox[kRepeatAll] && !m_modeBox[kRepeatOne]) {
        m_modeBox[kRepeatOne] = true;
    }
    // Each choice unchecks the other two, so with several flags set the last one that applies
    // wins: Repeat One over Repeat All over Random.
    const bool loaded[3] = {m_modeBox[kRepeatOne], m_modeBox[kRepeatAll], m_modeBox[kRandom]};
    for (Mode mode : {kRandom, kRepeatAll, kRepeatOne}) {
        if (loaded[mode]) {
            SelectMode(mode);
        }
    }
    if (n > 0 && m_onOff) {
        OnPlay();
    }
}

void MusicDialogLogic::OnPlay() {
    PlayChosen(false);
}

void MusicDialogLogic::OnStop() {
    StopPlayback();
}

void MusicDialogLogic::OnOnOff(bool checked) {
    m_onOff = checked;
    if (checked) {
        OnPlay();
    } else if (m_nState == kPlaying) {
        StopPlayback();
    }
}

void MusicDialogLogic::OnDoubleClick() {
    if (m_selection < 0) {
        return;
    }
    // Switches songs while playing; otherwise the song is only loaded.
    if (m_nState == kPlaying) {
        PlayChosen(true);
    } else {
        ChooseTrack(0, true);
    }
}

void MusicDialogLogic::OnRemove() {
    if (m_selection < 0 || m_selection >= static_cast<int>(m_rows.size())) {
        ShowMessage("Please select an item from the music list!", kAppTitle);
        return;
    }
    m_rows.erase(m_rows.begin() + m_selection);
    m_unplayable.erase(m_unplayable.begin() + m_selection);
    ++m_rowsRevision;
    ClearSelection();
    m_nCount = static_cast<int>(m_rows.size());
    ChooseTrack(0, false);
}

void MusicDialogLogic::OnRemoveAll() {
    DeleteAllRows();
}

void MusicDialogLogic::SelectMode(Mode mode) {
    m_nMode = mode;
    CheckOnly(mode);
}

void MusicDialogLogic::CheckOnly(Mode mode) {
    for (int m = 0; m < 3; ++m) {
        m_modeBox[m] = m == mode;
    }
}

void MusicDialogLogic::OnMode(Mode mode) {
    SelectMode(mode);
}

void MusicDialogLogic::OnVolume(int sliderPosition) {
    m_player.SetVolume(sliderPosition);
    m_nVolume = m_player.GetVolume();
}

void MusicDialogLogic::OnTimer() {
    ProcessSoundFlags().ownMusicActive = m_onOff;
    if (m_nState != kPlaying) {
        return;
    }
    m_nPosition = m_player.GetPosition();
    if (m_player.CanPlay() && m_player.GetLength() == m_nPosition) {
        PlayChosen(false);
    }
}

}  // namespace reef
