#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fish/fish_population.h"
#include "platform/random.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "test_env.h"

namespace reef {
namespace {

using Action = FishPopulation::Action;
using Counts = FishPopulation::Counts;
using Rect = FishPopulation::Rect;

Counts Filled(int value) {
    Counts counts;
    counts.fill(value);
    return counts;
}

Rect Cell(int index) {
    return FishPopulation::CellRect(index);
}

TEST(FishPopulation, CellsAndSquaresFollowTheSheetGrid) {
    EXPECT_EQ(Cell(0), (Rect{2, 2, 100, 90}));
    EXPECT_EQ(Cell(4), (Rect{402, 2, 100, 90}));
    EXPECT_EQ(Cell(7), (Rect{202, 92, 100, 90}));
    EXPECT_EQ(Cell(14), (Rect{402, 182, 100, 90}));
    EXPECT_EQ(Cell(24), (Rect{402, 362, 100, 90}));
    EXPECT_EQ(FishPopulation::CountSquare(7), (Rect{202, 92, 20, 20}));
}

TEST(FishPopulation, TotalLabelAndStartCounts) {
    FishPopulation population;
    EXPECT_EQ(population.GetCounts(), Filled(10));  // before any load
    EXPECT_EQ(population.TotalLabel(), "Total: 150   (Max:50)");
    population.SetCounts(Filled(0));
    EXPECT_EQ(population.TotalLabel(), "Total: 0   (Max:50)");
}

// Each row is one click after the previous rows of the same sequence.
struct ClickCase {
    int x, y;
    int selection;
    std::vector<Rect> dirty;
    const char* why;
};

TEST(FishPopulation, ClicksSelectCellsAndRedrawOnlyWhatChanged) {
    const ClickCase cases[] = {
        {0, 0, 0, {Cell(0)}, "first click: only the new cell"},
        {99, 89, 0, {}, "same cell again: nothing to redraw"},
        {250, 100, 7, {Cell(0), Cell(7)}, "another kind: old and new cell"},
        {499, 269, 14, {Cell(7), Cell(14)}, "last pixel of the sheet is kind 14"},
        {10, 300, 15, {Cell(14), Cell(15)}, "empty row below the sheet"},
        {450, 449, 24, {Cell(15), Cell(24)}, "last empty cell"},
        {100, 451, -1, {Cell(24)}, "below 450 clears the selection"},
        {450, 449, 24, {Cell(24)}, "the cleared cell draws again when clicked"},
        {450, 450, 29, {Cell(24)}, "y = 450 is a click on no cell; the old one is redrawn"},
        {520, 10, -1, {}, "right of the sheet: no wrap into the next row"},
        {50, 350, 15, {Cell(15)}, "an empty cell again"},
        {520, 10, -1, {Cell(15)}, "right of the sheet clears it"},
        {50, 50, 0, {Cell(0)}, "selecting again after a clear"},
    };
    FishPopulation population;
    for (const auto& c : cases) {
        EXPECT_EQ(population.Click(c.x, c.y), c.dirty) << c.why;
        EXPECT_EQ(population.Selection(), c.selection) << c.why;
    }
}

struct ActionCase {
    Counts start;
    int click;  // kind clicked first, or -1 for a click below the sheet
    Action action;
    int kind;  // the count checked
    int expected;
    bool redrawn;
    const char* why;
};

Counts Total50() {
    Counts counts = Filled(0);
    counts[3] = 50;
    return counts;
}

TEST(FishPopulation, AddAndDeleteActOnTheSelectedKindWithinTheLimits) {
    const Counts mixed{1, 2, 3, 0, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 1};  // total 37
    const Counts over = Filled(4);                                    // total 60, as Random gives
    const ActionCase cases[] = {
        {mixed, 0, Action::kAdd, 0, 2, true, "add one of the selected kind"},
        {mixed, 14, Action::kAdd, 14, 2, true, "the last kind"},
        {Total50(), 3, Action::kAdd, 3, 50, false, "total 50: add refused"},
        {Total50(), 0, Action::kAdd, 0, 0, false, "total 50, other kind: refused"},
        {over, 2, Action::kAdd, 2, 4, false, "total 60: refused"},
        {mixed, -1, Action::kAdd, 0, 1, false, "nothing selected"},
        {mixed, 15, Action::kAdd, 0, 1, false, "an empty cell selects no kind"},
        {mixed, 4, Action::kDelete, 4, 3, true, "delete one"},
        {mixed, 3, Action::kDelete, 3, 0, false, "delete at 0 keeps 0"},
        {over, 2, Action::kDelete, 2, 3, true, "delete works above the total"},
        {mixed, -1, Action::kDelete, 4, 4, false, "delete with nothing selected"},
        {mixed, 20, Action::kDelete, 0, 1, false, "delete on an empty cell"},
    };
    for (const auto& c : cases) {
        FishPopulation population;
        population.SetCounts(c.start);
        if (c.click >= 0) {
            Rect cell = Cell(c.click);
            population.Click(cell.left + 10, cell.top + 10);
        } else {
            population.Click(10, 460);
        }
        auto dirty = population.Apply(c.action);
        EXPECT_EQ(population.GetCounts()[c.kind], c.expected) << c.why;
        int selected = c.click >= 0 && c.click < 15 ? c.click : 0;
        EXPECT_EQ(dirty, c.redrawn ? std::vector<Rect>{FishPopulation::CountSquare(selected)}
                                   : std::vector<Rect>{})
            << c.why;
    }
}

TEST(FishPopulation, AddStopsExactlyAtFifty) {
    Counts counts = Filled(0);
    counts[0] = 48;
    FishPopulation population;
    population.SetCounts(counts);
    population.Click(5, 5);
    for (int i = 0; i < 5; ++i) {
        population.Apply(Action::kAdd);
    }
    EXPECT_EQ(population.GetCounts()[0], 50);
    EXPECT_EQ(population.TotalLabel(), "Total: 50   (Max:50)");
}

TEST(FishPopulation, RandomDrawsOneNumberPerKindAndDropsTheSelection) {
    ProcessRandom().SetState(1);
    RandomGenerator expected(1);
    FishPopulation population;
    population.Click(150, 100);  // kind 6
    auto dirty = population.Apply(Action::kRandom);
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(population.GetCounts()[kind], expected.Next() % 5) << kind;
    }
    EXPECT_EQ(ProcessRandom().State(), expected.State());  // exactly 15 draws
    EXPECT_EQ(population.Selection(), -1);
    ASSERT_EQ(dirty.size(), 16u);
    EXPECT_EQ(dirty[0], Cell(6));
    EXPECT_EQ(dirty[15], FishPopulation::CountSquare(14));
    // The cell whose ellipse was erased draws again when clicked.
    EXPECT_EQ(population.Click(150, 100), std::vector<Rect>{Cell(6)});
    ProcessRandom().SetState(1);
}

TEST(FishPopulation, ClearZeroesEveryCountAndKeepsTheSelection) {
    FishPopulation population;
    population.Click(5, 5);
    auto dirty = population.Apply(Action::kClear);
    EXPECT_EQ(population.GetCounts(), Filled(0));
    EXPECT_EQ(population.Selection(), 0);
    EXPECT_EQ(dirty.size(), 15u);
    EXPECT_EQ(population.TotalLabel(), "Total: 0   (Max:50)");
}

TEST(FishPopulation, KeysAreTheButtonsFirstLetters) {
    const struct {
        int key;
        Action action;
    } cases[] = {
        {'a', Action::kAdd},    {'A', Action::kAdd},    {'d', Action::kDelete},
        {'D', Action::kDelete}, {'r', Action::kRandom}, {'R', Action::kRandom},
        {'c', Action::kClear},  {'C', Action::kClear},  {'x', Action::kNone},
        {'1', Action::kNone},   {27, Action::kNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FishPopulation::ActionForKey(c.key), c.action) << c.key;
    }
}

TEST(FishPopulation, LoadReadsTheFileWithMissingKeysAsZero) {
    test::ScratchDir dir;
    std::string path = dir / "ReefSet.ini";
    test::WriteText(path, "[Fish Number]\nFish0=3\nFish2=70\nFish3=-4\nFish4=7 fish\nFish14=1\n");
    FishPopulation population;
    population.Load(path);
    const Counts expected{3, 0, 70, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(population.GetCounts(), expected);

    FishPopulation fromNothing;
    fromNothing.Load(dir / "missing.ini");
    EXPECT_EQ(fromNothing.GetCounts(), Filled(0));
}

TEST(FishPopulation, SaveWritesEveryKeyAndAppliesCappedCounts) {
    test::ScratchDir dir;
    std::string path = dir / "ReefSet.ini";
    test::WriteText(path, "[Aquarium Settings]\nFog Level=5\n[Fish Number]\nFish1=9\n");
    Counts counts{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 60};
    FishPopulation population;
    population.SetCounts(counts);
    AquariumSettings settings{};
    EXPECT_TRUE(population.Save(path, settings));
    for (int kind = 0; kind < 15; ++kind) {
        EXPECT_EQ(ReadIniString(path, "Fish Number", "Fish" + std::to_string(kind)),
                  std::to_string(counts[kind]));
        EXPECT_EQ(settings.nFishCount[kind], kind == 14 ? 50 : kind);
    }
    EXPECT_EQ(ReadIniString(path, "Aquarium Settings", "Fog Level"), "5");

    FishPopulation reloaded;
    reloaded.Load(path);
    EXPECT_EQ(reloaded.GetCounts(), counts);
}

TEST(FishPopulation, SaveToAnUnwritableFileStillAppliesTheCounts) {
    test::ScratchDir dir;
    FishPopulation population;
    AquariumSettings settings{};
    EXPECT_FALSE(population.Save(dir.path(), settings));  // a folder, not a file
    EXPECT_EQ(settings.nFishCount[0], 10);
}

}  // namespace
}  // namespace reef
