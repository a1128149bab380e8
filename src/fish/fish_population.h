#pragma once

#include <array>
#include <string>
#include <vector>

namespace reef {

struct AquariumSettings;

// The fish counts edited in the Fish Settings dialog: a working copy of the 15 counts (index =
// kind), the selected cell of the picture sheet, and the cells that must be redrawn after each
// change. Knows nothing of windows: the dialog turns clicks and keys into these calls and
// invalidates the rectangles they return.
//
// The picture sheet shows the kinds in five columns and three rows of 100 x 90 pixels; cell
// indices 15..24 are the empty rows below it and select nothing the buttons act on.
class FishPopulation {
public:
    static constexpr int kKinds = 15;
    static constexpr int kMaxTotal = 50;  // the tank has 50 slots
    static constexpr int kCellWidth = 100;
    static constexpr int kCellHeight = 90;
    static constexpr int kColumns = 5;
    static constexpr int kSheetWidth = kCellWidth * kColumns;  // 500
    static constexpr int kSheetHeight = kCellHeight * 3;       // 270
    static constexpr int kLastCellY = 450;   // clicks below this clear the selection
    static constexpr int kCountSquare = 20;  // side of the square a count is written in

    using Counts = std::array<int, kKinds>;

    // A rectangle in the dialog's client pixels.
    struct Rect {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rect& other) const {
            return left == other.left && top == other.top && width == other.width &&
                   height == other.height;
        }
    };

    // The buttons and the letters that stand for them.
    enum class Action { kNone, kAdd, kDelete, kRandom, kClear };

    // Every count starts at 10 until Load() replaces them.
    FishPopulation();

    const Counts& GetCounts() const { return m_counts; }
    void SetCounts(const Counts& counts) { m_counts = counts; }
    int Total() const;

    // "Total: N   (Max:50)".
    std::string TotalLabel() const;

    // The selected cell, -1 for none; 0..14 is a kind, 15..29 an empty cell.
    int Selection() const { return m_selection; }
    bool HasKindSelected() const { return m_selection >= 0 && m_selection < kKinds; }

    // Cell i: left = 100 (i % 5) + 2, top = 90 (i / 5) + 2, 100 x 90.
    static Rect CellRect(int index);
    // The square at a cell's top-left corner in which its count is written.
    static Rect CountSquare(int index);

    // A left click at client pixel (x, y). Returns the rectangles to redraw.
    std::vector<Rect> Click(int x, int y);

    // The button actions. Each returns the rectangles to redraw (empty when nothing changed).
    // Add: one more of the selected kind while the total is below 50. Delete: one less, not
    // below 0. Random: every count becomes Rand() % 5, in kind order, and the selection is
    // dropped. Clear: every count becomes 0.
    std::vector<Rect> Apply(Action action);

    // The action a key stands for: the first letter of a button's name, either case.
    static Action ActionForKey(int keyCode);

    // Reads Fish0..Fish14 of section "Fish Number"; a missing key reads as 0, a negative value
    // as 0.
    void Load(const std::string& path);

    // Writes the counts to the file and hands them to the running tank (ApplyFishCounts).
    // False when the file could not be written; the tank gets the counts all the same.
    bool Save(const std::string& path, AquariumSettings& settings) const;

private:
    void DropSelection(std::vector<Rect>& dirty);

    Counts m_counts;
    int m_selection = -1;
    int m_previous = -1;  // the cell whose ellipse is on screen, if any
};

// Copies counts into the tank's population, each kept within 0..50. The next frame draws them.
void ApplyFishCounts(const FishPopulation::Counts& counts, AquariumSettings& settings);

}  // namespace reef
