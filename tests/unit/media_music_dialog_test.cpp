#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "media/media_player.h"
#include "media/music_dialog_logic.h"
#include "media/sound_hand_over.h"
#include "platform/message.h"
#include "platform/random.h"
#include "settings/ini_file.h"
#include "test_env.h"

namespace reef {
namespace {

using test::ScratchDir;
using test::WriteText;

// A player whose songs last `length` ms and end when the test says so; files named in
// `unplayable` when they are opened cannot play.
class FakePlayer : public MediaPlayer {
public:
    void Open(const std::string& file) override {
        opened.push_back(file);
        m_canPlay = !file.empty() && unplayable.count(file) == 0;
        m_position = 0;
        playing = false;
    }
    bool CanPlay() const override { return m_canPlay; }
    void Play() override { playing = CanPlay(); }
    void Stop() override { playing = false; }
    void Seek(int milliseconds) override { m_position = milliseconds; }
    void Close() override { m_position = 0; }
    int GetPosition() override { return m_position; }
    int GetLength() override { return CanPlay() ? length : 0; }
    void SetVolume(int v) override { volume = v; }
    int GetVolume() const override { return volume; }

    void EndSong() { m_position = length; }

    std::vector<std::string> opened;
    std::map<std::string, bool> unplayable;
    bool playing = false;
    int volume = -1;
    int length = 3000;

private:
    bool m_canPlay = false;
    int m_position = 0;
};

class MusicDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ProcessRandom().SetState(1);
        SetMessageHandler([](const std::string& text, const std::string& caption) {
            Messages().push_back(caption + ": " + text);
        });
        Messages().clear();
    }
    void TearDown() override {
        SetMessageHandler(nullptr);
        ProcessRandom().SetState(1);
        PlayingRow() = -1;
    }
    static std::vector<std::string>& Messages() {
        static std::vector<std::string> messages;
        return messages;
    }
    void AddSongs(int n) {
        for (int i = 0; i < n; ++i) {
            logic.AddMusicFile("song" + std::to_string(i) + ".mp3");
        }
    }
    // Lets the current song end and runs the dialog's timer; the row that plays next.
    int NextAfterEnd() {
        player.EndSong();
        logic.OnTimer();
        return logic.Current();
    }

    FakePlayer player;
    MusicDialogLogic logic{player, 700};
};

TEST_F(MusicDialog, CreationOpensNothingAndSetsTheProfileVolume) {
    ASSERT_EQ(player.opened, std::vector<std::string>{""});
    EXPECT_EQ(player.volume, 700);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kIdle);
    EXPECT_TRUE(logic.ModeChecked(MusicDialogLogic::kRepeatOne));
    EXPECT_FALSE(logic.OnOffChecked());
}

// Which row ChooseTrack picks, for each mode and state; four rows, Random draws from the
// process generator.
TEST_F(MusicDialog, ChooseTrackPicksByModeAndState) {
    struct Case {
        MusicDialogLogic::Mode mode;
        bool playing;
        int current;    // row playing before, when playing
        int selection;  // -1: none
        bool userPick;
        int expected;  // -2: the generator's next number modulo 4
    } const cases[] = {
        {MusicDialogLogic::kRepeatOne, true, 2, -1, false, 2},  // the same song again
        {MusicDialogLogic::kRepeatAll, true, 2, -1, false, 3},  // the next row
        {MusicDialogLogic::kRepeatAll, true, 3, -1, false, 0},  // wraps after the last
        {MusicDialogLogic::kRandom, true, 2, -1, false, -2},    // random
        {MusicDialogLogic::kRepeatOne, true, 2, 1, true, 1},    // a pick wins in every mode
        {MusicDialogLogic::kRepeatAll, true, 2, 1, true, 1},
        {MusicDialogLogic::kRandom, true, 2, 3, true, 3},
        {MusicDialogLogic::kRepeatOne, false, -1, 2, false, 2},  // idle: the selection
        {MusicDialogLogic::kRepeatAll, false, -1, 2, false, 2},
        {MusicDialogLogic::kRandom, false, -1, 2, false, 2},
        {MusicDialogLogic::kRepeatOne, false, -1, -1, false, 0},  // idle, no selection
        {MusicDialogLogic::kRepeatAll, false, -1, -1, false, 0},
        {MusicDialogLogic::kRandom, false, -1, -1, false, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " playing " << c.playing
                                        << " selection " << c.selection);
        FakePlayer p;
        MusicDialogLogic l(p, 1000);
        for (int i = 0; i < 4; ++i) {
            l.AddMusicFile("row" + std::to_string(i));
        }
        l.OnMode(c.mode);
        if (c.playing) {
            l.SetSelection(c.current);
            l.OnPlay();
            ASSERT_EQ(l.Current(), c.current);
        }
        l.SetSelection(c.selection);
        RandomGenerator copy(ProcessRandom().State());
        const int expected = c.expected == -2 ? copy.Next() % 4 : c.expected;
        l.ChooseTrack(0, c.userPick);
        EXPECT_EQ(l.Current(), expected);
        EXPECT_EQ(p.opened.back(), "row" + std::to_string(expected));
        EXPECT_EQ(p.volume, 1000);  // the volume follows every open
    }
}

TEST_F(MusicDialog, RepeatAllChainsRowsInOrderAndStaysPlaying) {
    AddSongs(3);
    logic.OnMode(MusicDialogLogic::kRepeatAll);
    logic.OnPlay();
    EXPECT_EQ(logic.Current(), 0);
    EXPECT_EQ(NextAfterEnd(), 1);
    EXPECT_EQ(NextAfterEnd(), 2);
    EXPECT_EQ(NextAfterEnd(), 0);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kPlaying);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(PlayingRow(), 0);
    // A song that has not ended does not advance.
    logic.OnTimer();
    EXPECT_EQ(logic.Current(), 0);
}

TEST_F(MusicDialog, RepeatOneRepeatsTheRowItStartedWith) {
    AddSongs(3);
    logic.SetSelection(1);
    logic.OnPlay();
    EXPECT_EQ(NextAfterEnd(), 1);
    EXPECT_EQ(NextAfterEnd(), 1);
    EXPECT_EQ(player.opened.size(), 4u);  // creation, then three opens of row 1
}

TEST_F(MusicDialog, PlayingDisablesEditingAndStopKeepsOnOffButClearsTheSelection) {
    AddSongs(3);
    logic.SetSelection(2);
    logic.OnPlay();
    EXPECT_FALSE(logic.EditButtonsEnabled());
    EXPECT_TRUE(logic.OnOffChecked());
    EXPECT_EQ(PlayingRow(), 2);

    logic.OnStop();
    EXPECT_EQ(logic.State(), MusicDialogLogic::kStopped);
    EXPECT_TRUE(logic.EditButtonsEnabled());
    EXPECT_TRUE(logic.OnOffChecked());  // so the ambient sound stays silent
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(PlayingRow(), -1);
    EXPECT_EQ(logic.Selection(), -1);
    logic.OnTimer();
    EXPECT_TRUE(ProcessSoundFlags().ownMusicActive);

    // The next Play starts at row 0, not at the song that was stopped.
    logic.OnPlay();
    EXPECT_EQ(logic.Current(), 0);
}

TEST_F(MusicDialog, OnOffStartsAndStopsAndItsStateReachesTheSoundFlag) {
    AddSongs(2);
    logic.OnOnOff(true);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kPlaying);
    logic.OnTimer();
    EXPECT_TRUE(ProcessSoundFlags().ownMusicActive);

    logic.OnOnOff(false);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kStopped);
    logic.OnTimer();
    EXPECT_FALSE(ProcessSoundFlags().ownMusicActive);
}

TEST_F(MusicDialog, OnOffWithAnEmptyListStartsNothingButStaysChecked) {
    logic.OnOnOff(true);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kIdle);
    EXPECT_TRUE(logic.OnOffChecked());
    logic.OnTimer();
    EXPECT_TRUE(ProcessSoundFlags().ownMusicActive);
    EXPECT_EQ(player.opened.size(), 1u);
}

TEST_F(MusicDialog, DoubleClickLoadsWhileStoppedAndSwitchesWhilePlaying) {
    AddSongs(3);
    logic.SetSelection(2);
    logic.OnDoubleClick();
    EXPECT_EQ(player.opened.back(), "song2.mp3");
    EXPECT_NE(logic.State(), MusicDialogLogic::kPlaying);
    EXPECT_FALSE(player.playing);
    logic.OnPlay();  // the row is still selected, so Play plays it
    EXPECT_EQ(logic.Current(), 2);
    EXPECT_TRUE(player.playing);

    logic.SetSelection(1);
    logic.OnDoubleClick();
    EXPECT_EQ(logic.Current(), 1);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(PlayingRow(), 1);

    logic.SetSelection(-1);  // a double click on no row does nothing
    const auto opens = player.opened.size();
    logic.OnDoubleClick();
    EXPECT_EQ(player.opened.size(), opens);
}

// A missing, moved or broken file is passed over by the mode's rule and marked, and the list
// plays on. Four rows; Random draws from the process generator.
TEST_F(MusicDialog, UnplayableRowsArePassedOverByTheModesRule) {
    struct Case {
        const char* what;
        MusicDialogLogic::Mode mode;
        std::vector<int> unplayable;
        int selection;              // before Play; -1: none
        std::vector<int> expected;  // the rows played: by Play, then after each song's end
    } const cases[] = {
        {"Repeat All skips a bad row between good ones",
         MusicDialogLogic::kRepeatAll,
         {1},
         -1,
         {0, 2, 3, 0, 2}},
        {"Repeat All wraps past bad rows at the end",
         MusicDialogLogic::kRepeatAll,
         {2, 3},
         1,
         {1, 0, 1}},
        {"Repeat One goes on to the next row and keeps it",
         MusicDialogLogic::kRepeatOne,
         {0, 1},
         -1,
         {2, 2, 2}},
        {"a chosen bad row leads to the next good one",
         MusicDialogLogic::kRepeatOne,
         {3},
         3,
         {0, 0}},
        {"Random tries other rows until one plays",
         MusicDialogLogic::kRandom,
         {0, 1, 2},
         -1,
         {3, 3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlayer p;
        MusicDialogLogic l(p, 1000);
        for (int i = 0; i < 4; ++i) {
            l.AddMusicFile("row" + std::to_string(i));
        }
        for (int row : c.unplayable) {
            p.unplayable["row" + std::to_string(row)] = true;
        }
        l.OnMode(c.mode);
        l.SetSelection(c.selection);
        std::vector<int> played;
        l.OnPlay();
        played.push_back(l.Current());
        while (played.size() < c.expected.size()) {
            p.EndSong();
            l.OnTimer();
            played.push_back(l.Current());
        }
        EXPECT_EQ(played, c.expected);
        EXPECT_EQ(l.State(), MusicDialogLogic::kPlaying);
        EXPECT_TRUE(p.playing);
        EXPECT_EQ(PlayingRow(), c.expected.back());
        for (int row = 0; row < 4; ++row) {
            const bool bad = std::count(c.unplayable.begin(), c.unplayable.end(), row) > 0;
            const bool tried = bad && std::count(p.opened.begin(), p.opened.end(),
                                                 "row" + std::to_string(row)) > 0;
            EXPECT_EQ(l.UnplayableRows()[row], tried) << "row " << row;
        }
    }
    EXPECT_TRUE(Messages().empty());
}

// With no row that plays, each is tried once; the list stops with On/Off off, so the ambient
// sound comes back, and the rows stay marked.
TEST_F(MusicDialog, WithNoPlayableRowTheListStopsAndTheAmbienceComesBack) {
    AddSongs(3);
    for (int i = 0; i < 3; ++i) {
        player.unplayable["song" + std::to_string(i) + ".mp3"] = true;
    }
    logic.OnOnOff(true);
    EXPECT_EQ(player.opened.size(), 4u);  // creation, then each row once
    EXPECT_EQ(logic.State(), MusicDialogLogic::kStopped);
    EXPECT_FALSE(logic.OnOffChecked());
    EXPECT_TRUE(logic.EditButtonsEnabled());
    EXPECT_EQ(PlayingRow(), -1);
    EXPECT_EQ(logic.UnplayableRows(), (std::vector<bool>{true, true, true}));
    logic.OnTimer();
    EXPECT_FALSE(ProcessSoundFlags().ownMusicActive);

    // The files come back: the marks go as each one plays.
    player.unplayable.clear();
    logic.OnPlay();
    EXPECT_EQ(logic.State(), MusicDialogLogic::kPlaying);
    EXPECT_TRUE(logic.OnOffChecked());
    EXPECT_EQ(logic.UnplayableRows(), (std::vector<bool>{false, true, true}));

    // Files that go while the list plays: the chain stops at the end of the song.
    for (int i = 0; i < 3; ++i) {
        player.unplayable["song" + std::to_string(i) + ".mp3"] = true;
    }
    player.EndSong();
    logic.OnTimer();
    EXPECT_EQ(logic.State(), MusicDialogLogic::kStopped);
    EXPECT_FALSE(logic.OnOffChecked());
    logic.OnTimer();
    EXPECT_FALSE(ProcessSoundFlags().ownMusicActive);
    EXPECT_TRUE(Messages().empty());
}

// The timer never touches the selection; Stop clears it, and says so.
TEST_F(MusicDialog, OnlyStopClearsTheSelection) {
    AddSongs(3);
    logic.OnPlay();
    logic.SetSelection(2);
    const unsigned clears = logic.SelectionClears();
    for (int i = 0; i < 3; ++i) {
        logic.OnTimer();
    }
    player.EndSong();
    logic.OnTimer();  // the next song starts
    EXPECT_EQ(logic.Selection(), 2);
    EXPECT_EQ(logic.SelectionClears(), clears);
    logic.OnStop();
    EXPECT_EQ(logic.Selection(), -1);
    EXPECT_NE(logic.SelectionClears(), clears);
}

TEST_F(MusicDialog, RemoveDeletesTheSelectedRowOrAsksForOne) {
    AddSongs(3);
    logic.OnRemove();
    ASSERT_EQ(Messages(),
              std::vector<std::string>{"GlassReefScr: Please select an item from the music list!"});
    EXPECT_EQ(logic.Count(), 3);

    logic.SetSelection(1);
    logic.OnRemove();
    EXPECT_EQ(logic.Rows(), (std::vector<std::string>{"song0.mp3", "song2.mp3"}));
    EXPECT_EQ(logic.Count(), 2);
    EXPECT_EQ(player.opened.back(), "song0.mp3");  // loaded, not played
    EXPECT_FALSE(player.playing);

    logic.OnRemoveAll();
    EXPECT_TRUE(logic.Rows().empty());
    EXPECT_EQ(logic.Count(), 0);
}

TEST_F(MusicDialog, ModeBoxesActAsOneRadioGroup) {
    logic.OnMode(MusicDialogLogic::kRandom);
    logic.OnMode(MusicDialogLogic::kRandom);  // a click on the checked box keeps it checked
    EXPECT_EQ(logic.CurrentMode(), MusicDialogLogic::kRandom);
    EXPECT_TRUE(logic.ModeChecked(MusicDialogLogic::kRandom));
    EXPECT_FALSE(logic.ModeChecked(MusicDialogLogic::kRepeatOne));
    EXPECT_FALSE(logic.ModeChecked(MusicDialogLogic::kRepeatAll));
}

TEST_F(MusicDialog, VolumeSliderSetsThePlayerAtOnce) {
    logic.OnVolume(250);
    EXPECT_EQ(player.volume, 250);
    EXPECT_EQ(logic.Volume(), 250);
    AddSongs(1);
    logic.OnPlay();
    EXPECT_EQ(player.volume, 250);
}

class MusicSettings : public MusicDialog {
protected:
    std::string Value(const char* key) { return ReadIniString(m_path, "Custom Settings", key); }
    ScratchDir m_dir;
    std::string m_path = m_dir / "ReefSet.ini";
};

TEST_F(MusicSettings, SaveWritesFlagsCountAndPathsInOrder) {
    logic.AddMusicFile("/music/a b.mp3");
    logic.AddMusicFile("/music/été #1.wav");
    logic.OnMode(MusicDialogLogic::kRepeatAll);
    logic.OnOnOff(true);
    logic.SaveMusicSettings(m_path);
    EXPECT_EQ(test::ReadText(m_path),
              "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\n"
              "MusicSum=2\nMusicList0=/music/a b.mp3\nMusicList1=/music/été #1.wav\n");
}

TEST_F(MusicSettings, LoadRestoresTheListAndPlaysWhenOnOffWasOn) {
    const std::string longPath = "/" + std::string(140, 'x') + ".mp3";
    WriteText(m_path,
              "[Custom Settings]\nRandomMusic=1\nCycMusic=0\nRepeatMusic=1\nOwnMusic=1\n"
              "MusicSum=3\nMusicList0=/a.mp3\nMusicList1=" +
                  longPath + "\nMusicList3=/stale.mp3\n");
    logic.LoadMusicSettings(m_path);
    // Random and Repeat One both set: Repeat One wins. The list runs to the last key the file
    // holds below the count (the stale key 3 is not read); the long path comes back whole.
    EXPECT_EQ(logic.CurrentMode(), MusicDialogLogic::kRepeatOne);
    EXPECT_FALSE(logic.ModeChecked(MusicDialogLogic::kRandom));
    ASSERT_EQ(logic.Rows().size(), 2u);
    EXPECT_EQ(logic.Rows()[0], "/a.mp3");
    EXPECT_EQ(logic.Rows()[1], longPath);
    EXPECT_EQ(logic.State(), MusicDialogLogic::kPlaying);
    EXPECT_EQ(player.opened.back(), "/a.mp3");
}

TEST_F(MusicSettings, LoadOfNothingGivesRepeatOneAndAnIdleEmptyList) {
    logic.AddMusicFile("/old.mp3");
    WriteText(m_path, "[Custom Settings]\nOwnMusic=1\nCycMusic=2\nMusicSum=abc\n");
    logic.LoadMusicSettings(m_path);
    EXPECT_TRUE(logic.Rows().empty());
    EXPECT_EQ(logic.CurrentMode(), MusicDialogLogic::kRepeatOne);  // "2" is not a set flag
    EXPECT_TRUE(logic.OnOffChecked());
    EXPECT_EQ(logic.State(), MusicDialogLogic::kIdle);
}

TEST_F(MusicSettings, AHugeCountInTheFileReadsOnlyTheRowsItHolds) {
    // A key missing between two present ones is an empty row; the list ends at the last key.
    WriteText(m_path,
              "[Custom Settings]\nMusicSum=2147483647\nMusicList0=/a.mp3\nmusiclist2=/c.mp3\n"
              "MusicList01=/not-a-row-key.mp3\nMusicList99999=/beyond-the-limit.mp3\n");
    logic.LoadMusicSettings(m_path);
    EXPECT_EQ(logic.Rows(), (std::vector<std::string>{"/a.mp3", "", "/c.mp3"}));

    // Rows as many as the limit, then no more.
    std::string text = "[Custom Settings]\nMusicSum=2147483647\n";
    for (int i = 0; i <= MusicDialogLogic::kMaxLoadedRows; ++i) {
        text += "MusicList" + std::to_string(i) + "=/" + std::to_string(i) + ".mp3\n";
    }
    WriteText(m_path, text);
    logic.LoadMusicSettings(m_path);
    EXPECT_EQ(logic.Count(), MusicDialogLogic::kMaxLoadedRows);
    EXPECT_EQ(logic.Rows().back(), "/9999.mp3");
}

// Songs whose files are not there at the load (a folder renamed away, a disk not mounted yet)
// stay in the list, marked unavailable, and are saved again as they were.
TEST_F(MusicSettings, RowsWhoseFilesAreAwayAreKeptMarkedAndSavedAgain) {
    const std::string here = m_dir / "here.wav";
    const std::string away = m_dir / "away/song.wav";
    const std::string pipe = m_dir / "pipe.wav";
    WriteText(here, "RIFF");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string section = "[Custom Settings]\nCycMusic=1\nMusicSum=3\nMusicList0=" + here +
                                "\nMusicList1=" + away + "\nMusicList2=" + pipe + "\n";
    WriteText(m_path, section);
    logic.LoadMusicSettings(m_path);
    ASSERT_EQ(logic.Rows(), (std::vector<std::string>{here, away, pipe}));
    EXPECT_TRUE(logic.RowAvailable(0));
    EXPECT_FALSE(logic.RowAvailable(1));
    EXPECT_FALSE(logic.RowAvailable(2));  // never opened: a pipe would block
    EXPECT_FALSE(logic.RowAvailable(3));

    const unsigned revision = logic.RowsRevision();
    logic.SetRowAvailable(1, true);
    EXPECT_TRUE(logic.RowAvailable(1));
    EXPECT_NE(logic.RowsRevision(), revision);

    logic.SetSelection(0);
    logic.OnRemove();
    EXPECT_TRUE(logic.RowAvailable(0));  // the flags move with their rows
    EXPECT_FALSE(logic.RowAvailable(1));
    logic.AddMusicFile(m_dir / "chosen.wav");
    EXPECT_TRUE(logic.RowAvailable(2));  // just chosen by the user

    WriteText(m_path, section);
    logic.LoadMusicSettings(m_path);
    logic.SaveMusicSettings(m_path);
    EXPECT_EQ(Value("MusicSum"), "3");
    EXPECT_EQ(ReadIniSection(m_path, "Custom Settings").WholeValue("MusicList1"), away);
}

TEST_F(MusicSettings, SavedThenLoadedListIsTheSame) {
    logic.AddMusicFile("/one.mp3");
    logic.AddMusicFile("/one.mp3");  // duplicates are kept
    logic.AddMusicFile("/two.mpeg");
    logic.OnMode(MusicDialogLogic::kRandom);
    logic.SaveMusicSettings(m_path);
    // Shrinking the list leaves the old keys in the file; the count bounds the next load.
    logic.SetSelection(0);
    logic.OnRemove();
    logic.SaveMusicSettings(m_path);
    EXPECT_EQ(Value("MusicList2"), "/two.mpeg");

    FakePlayer other;
    MusicDialogLogic loaded(other, 1000);
    loaded.LoadMusicSettings(m_path);
    EXPECT_EQ(loaded.Rows(), (std::vector<std::string>{"/one.mp3", "/two.mpeg"}));
    EXPECT_EQ(loaded.CurrentMode(), MusicDialogLogic::kRandom);
    EXPECT_EQ(loaded.State(), MusicDialogLogic::kIdle);
}

// A program killed while it saves a playlist of 10,000 rows leaves the section as it was or as
// the save made it, never a mixture: 20 kills at moments spread over the saves, the old and the
// new list saved in turn.
TEST_F(MusicSettings, AKillDuringASaveLeavesTheOldListOrTheNewOne) {
    constexpr int kRows = 10000;
    auto fill = [](MusicDialogLogic& logic, const std::string& tag, int rows) {
        for (int i = 0; i < rows; ++i) {
            logic.AddMusicFile("/home/someone/Music/" + tag + "/" + std::to_string(i) + ".mp3");
        }
    };
    FakePlayer playerA;
    MusicDialogLogic listA(playerA, 1000);
    fill(listA, "old", kRows - 1);
    FakePlayer playerB;
    MusicDialogLogic listB(playerB, 1000);
    fill(listB, "new", kRows);
    listB.OnMode(MusicDialogLogic::kRepeatAll);

    for (int kill = 0; kill < 20; ++kill) {
        listA.SaveMusicSettings(m_path);
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(started[0]);
            for (bool second = true;; second = !second) {
                const char mark = 's';
                if (write(started[1], &mark, 1) != 1) {
                    _exit(1);
                }
                (second ? listB : listA).SaveMusicSettings(m_path);
            }
        }
        close(started[1]);
        // In the first, second or third save (the first is the new list's), at a moment spread
        // over a save's length.
        for (int save = 0; save <= kill % 3; ++save) {
            char mark;
            ASSERT_EQ(read(started[0], &mark, 1), 1);
        }
        usleep(static_cast<useconds_t>(kill * 7919 % 20000));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(started[0]);

        FakePlayer player;
        MusicDialogLogic loaded(player, 1000);
        loaded.LoadMusicSettings(m_path);
        const bool isOld =
            loaded.Rows() == listA.Rows() && loaded.CurrentMode() == MusicDialogLogic::kRepeatOne;
        const bool isNew =
            loaded.Rows() == listB.Rows() && loaded.CurrentMode() == MusicDialogLogic::kRepeatAll;
        ASSERT_TRUE(isOld || isNew) << "kill " << kill << ": " << loaded.Rows().size()
                                    << " rows, mode " << loaded.CurrentMode();
    }
    // The temporary files the kills left go at the next start.
    RemoveStaleIniWrites(m_path);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace reef
