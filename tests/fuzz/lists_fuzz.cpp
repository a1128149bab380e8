// The playlist and picture list loads on a settings file of any bytes. The state they load keeps
// its rules (one order box checked, bounded lists), and saved and loaded again it comes back
// exactly: rows, boxes and the interval. The same input split at NUL bytes (which no file name
// holds) is also a list of rows of up to 4 KB each: added, saved, loaded, they come back as they
// were, whatever bytes they hold (line breaks, blanks at the ends, '=', '[').
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "media/media_player.h"
#include "media/music_dialog_logic.h"
#include "media/picture_textures.h"
#include "media/slideshow.h"
#include "platform/message.h"

namespace {

class SilentPlayer : public reef::MediaPlayer {
public:
    void Open(const std::string& file) override { m_open = !file.empty(); }
    bool CanPlay() const override { return m_open; }
    void Play() override {}
    void Stop() override {}
    void Seek(int) override {}
    void Close() override { m_open = false; }
    int GetPosition() override { return 0; }
    int GetLength() override { return 1000; }
    void SetVolume(int volume) override { m_volume = volume; }
    int GetVolume() const override { return m_volume; }

private:
    bool m_open = false;
    int m_volume = 0;
};

// Every picture whose name does not contain "bad" loads.
class NamedTextures : public reef::PictureTextures {
public:
    unsigned int Create(const std::string& path) override {
        return path.empty() || path.find("bad") != std::string::npos ? 0 : ++m_made;
    }
    void Release(unsigned int) override {}

private:
    unsigned int m_made = 0;
};

void CheckMusic(const std::string& path) {
    using reef::MusicDialogLogic;
    SilentPlayer player;
    MusicDialogLogic loaded(player, 1000);
    loaded.LoadMusicSettings(path);
    int checked = 0;
    for (auto mode :
         {MusicDialogLogic::kRepeatOne, MusicDialogLogic::kRepeatAll, MusicDialogLogic::kRandom}) {
        checked += loaded.ModeChecked(mode) ? 1 : 0;
    }
    FUZZ_CHECK(checked == 1);
    FUZZ_CHECK(loaded.Count() == static_cast<int>(loaded.Rows().size()));
    FUZZ_CHECK(loaded.Count() <= MusicDialogLogic::kMaxLoadedRows);

    const std::string copy = reef::fuzz::ScratchFolder() + "music.ini";
    std::remove(copy.c_str());
    loaded.SaveMusicSettings(copy);
    SilentPlayer otherPlayer;
    MusicDialogLogic reloaded(otherPlayer, 1000);
    reloaded.LoadMusicSettings(copy);
    FUZZ_CHECK(reloaded.Rows() == loaded.Rows());
    FUZZ_CHECK(reloaded.OnOffChecked() == loaded.OnOffChecked());
    FUZZ_CHECK(reloaded.CurrentMode() == loaded.CurrentMode());
}

void CheckPictures(const std::string& path) {
    using reef::Slideshow;
    NamedTextures textures;
    Slideshow loaded(textures);
    loaded.LoadBackgroundSettings(path);
    int checked = 0;
    for (auto mode : {Slideshow::kRepeatOne, Slideshow::kRepeatAll, Slideshow::kRandom}) {
        checked += loaded.OrderChecked(mode) ? 1 : 0;
    }
    FUZZ_CHECK(checked == 1);
    FUZZ_CHECK(loaded.Rows().size() <= Slideshow::kMaxImages);
    FUZZ_CHECK(loaded.Count() == static_cast<int>(loaded.Rows().size()));
    // A row has a texture exactly when it is available; only pictures that fail are not.
    for (int row = 0; row < loaded.Count(); ++row) {
        const auto& listed = loaded.Rows()[row];
        FUZZ_CHECK((loaded.TextureOfRow(row) != 0) == listed.available);
        FUZZ_CHECK(listed.available == (listed.path.find("bad") == std::string::npos));
        FUZZ_CHECK(!listed.path.empty());
    }

    const std::string copy = reef::fuzz::ScratchFolder() + "pictures.ini";
    std::remove(copy.c_str());
    loaded.SaveBackgroundSettings(copy);
    NamedTextures otherTextures;
    Slideshow reloaded(otherTextures);
    reloaded.LoadBackgroundSettings(copy);
    FUZZ_CHECK(reloaded.Rows().size() == loaded.Rows().size());
    for (std::size_t row = 0; row < loaded.Rows().size(); ++row) {
        FUZZ_CHECK(reloaded.Rows()[row].path == loaded.Rows()[row].path);
        FUZZ_CHECK(reloaded.Rows()[row].available == loaded.Rows()[row].available);
    }
    FUZZ_CHECK(reloaded.OwnImage() == loaded.OwnImage());
    FUZZ_CHECK(reloaded.GetMode() == loaded.GetMode());
    FUZZ_CHECK(reloaded.IntervalText() == loaded.IntervalText());
    // The show runs exactly when the box is on and the saved list is not empty. (The first load
    // also runs it when no listed picture is kept, since it goes by the count in the file.)
    FUZZ_CHECK(reloaded.Running() == (loaded.Count() > 0 && loaded.OwnImage()));
}

// The input's NUL-separated parts as rows, each cut to 4 KB (a path's longest).
std::vector<std::string> RowsOf(std::string_view bytes) {
    std::vector<std::string> rows;
    std::size_t at = 0;
    while (at <= bytes.size() && !bytes.empty()) {
        const std::size_t nul = std::min(bytes.find('\0', at), bytes.size());
        rows.emplace_back(bytes.substr(at, std::min<std::size_t>(nul - at, 4096)));
        at = nul + 1;
    }
    return rows;
}

void CheckRowsRoundTrip(std::string_view bytes) {
    const std::vector<std::string> rows = RowsOf(bytes);
    const std::string path = reef::fuzz::ScratchFolder() + "rows.ini";

    std::remove(path.c_str());
    SilentPlayer player;
    reef::MusicDialogLogic music(player, 1000);
    for (const std::string& row : rows) {
        music.AddMusicFile(row);
    }
    music.SaveMusicSettings(path);
    SilentPlayer otherPlayer;
    reef::MusicDialogLogic musicLoaded(otherPlayer, 1000);
    musicLoaded.LoadMusicSettings(path);
    FUZZ_CHECK(musicLoaded.Rows() == rows);

    // The same file keeps the playlist when the pictures are saved into it.
    NamedTextures textures;
    reef::Slideshow show(textures);
    for (const std::string& row : rows) {
        show.AddChosenImage(row);
    }
    show.SaveBackgroundSettings(path);
    NamedTextures otherTextures;
    reef::Slideshow showLoaded(otherTextures);
    showLoaded.LoadBackgroundSettings(path);
    FUZZ_CHECK(showLoaded.Rows().size() == show.Rows().size());
    for (std::size_t row = 0; row < show.Rows().size(); ++row) {
        FUZZ_CHECK(showLoaded.Rows()[row].path == show.Rows()[row].path);
    }
    musicLoaded.LoadMusicSettings(path);
    FUZZ_CHECK(musicLoaded.Rows() == rows);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The loads tell the user about pictures that fail; the fuzzer has no one to tell.
    reef::SetMessageHandler([](const std::string&, const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = reef::fuzz::WriteScratchFile(
        "ReefSet.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    CheckMusic(path);
    CheckPictures(path);
    CheckRowsRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
