// Saving and loading the music playlist in the settings file, at 10, 1,000 and 10,000 rows: the
// time of closing the Custom Music dialog (a save with every row changed, or with nothing
// changed) and of its load at start-up; and the start-up's reads of a 50 MB file. The file lives in
// a fresh folder under $TMPDIR (else /tmp); point TMPDIR at the disk that holds the real settings
// to count its fsync as well.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "media/media_player.h"
#include "media/music_dialog_logic.h"
#include "settings/aquarium_settings.h"

namespace {

class SilentPlayer : public reef::MediaPlayer {
public:
    void Open(const std::string&) override {}
    bool CanPlay() const override { return false; }
    void Play() override {}
    void Stop() override {}
    void Seek(int) override {}
    void Close() override {}
    int GetPosition() override { return 0; }
    int GetLength() override { return 0; }
    void SetVolume(int volume) override { m_volume = volume; }
    int GetVolume() const override { return m_volume; }

private:
    int m_volume = 1000;
};

class ScratchFile {
public:
    ScratchFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "reef-bench-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string Path() const { return m_folder + "/ReefSet.ini"; }

private:
    std::string m_folder;
};

// A playlist of `rows` paths of a usual length (about 70 bytes), `tag` making them differ.
void Fill(reef::MusicDialogLogic& logic, int rows, const std::string& tag) {
    for (int i = 0; i < rows; ++i) {
        logic.AddMusicFile("/home/someone/Music/" + tag + "/Some Artist/An Album/" +
                           std::to_string(i) + " A Song.mp3");
    }
}

void BM_SaveEveryRowChanged(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    ScratchFile file;
    SilentPlayer player;
    reef::MusicDialogLogic a(player, 1000);
    reef::MusicDialogLogic b(player, 1000);
    Fill(a, rows, "first");
    Fill(b, rows, "second");
    a.SaveMusicSettings(file.Path());
    bool second = true;
    for (auto _ : state) {
        (second ? b : a).SaveMusicSettings(file.Path());
        second = !second;
    }
    state.counters["rows"] = rows;
}

void BM_SaveNothingChanged(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    ScratchFile file;
    SilentPlayer player;
    reef::MusicDialogLogic logic(player, 1000);
    Fill(logic, rows, "first");
    logic.SaveMusicSettings(file.Path());
    for (auto _ : state) {
        logic.SaveMusicSettings(file.Path());
    }
    state.counters["rows"] = rows;
}

void BM_Load(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    ScratchFile file;
    SilentPlayer player;
    reef::MusicDialogLogic saved(player, 1000);
    Fill(saved, rows, "first");
    saved.SaveMusicSettings(file.Path());
    reef::MusicDialogLogic loaded(player, 1000);
    for (auto _ : state) {
        loaded.LoadMusicSettings(file.Path());
    }
    if (loaded.Count() != rows) {
        state.SkipWithError("the list did not come back whole");
    }
    state.counters["rows"] = rows;
}

// A 50 MB hand-made file whose "MusicSum" claims two thousand million rows while it holds
// three: the playlist's load and the start-up's read of the scene settings.
std::string WriteLargeFile(const ScratchFile& file) {
    std::string text =
        "[Aquarium Settings]\nFOGNONGDU=20\n[Custom Settings]\n"
        "MusicSum=2000000000\nMusicList0=/a.mp3\nMusicList1=/b.mp3\n"
        "MusicList2=/c.mp3\n";
    const std::string filler = "; " + std::string(98, 'x') + "\n";
    while (text.size() < (50u << 20)) {
        text += filler;
    }
    std::FILE* out = std::fopen(file.Path().c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return file.Path();
}

void BM_LoadLargeFile(benchmark::State& state) {
    ScratchFile file;
    const std::string path = WriteLargeFile(file);
    SilentPlayer player;
    reef::MusicDialogLogic loaded(player, 1000);
    for (auto _ : state) {
        loaded.LoadMusicSettings(path);
    }
    if (loaded.Count() != 3) {
        state.SkipWithError("the three rows did not come back");
    }
}

void BM_StartUpReadOfLargeFile(benchmark::State& state) {
    ScratchFile file;
    const std::string path = WriteLargeFile(file);
    for (auto _ : state) {
        reef::AquariumSettings settings{};
        reef::LoadAquariumSettings(path, settings);
        benchmark::DoNotOptimize(settings);
    }
}

BENCHMARK(BM_SaveEveryRowChanged)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNothingChanged)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpReadOfLargeFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
