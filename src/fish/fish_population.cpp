#include "fish/fish_population.h"

#include <algorithm>
#include <vector>

#include "platform/random.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"

namespace reef {

namespace {

constexpr const char* kFishSection = "Fish Number";

std::string FishKey(int kind) {
    return "Fish" + std::to_string(kind);
}

// The 25 cells of the sheet's grid, the empty rows below the kinds included.
bool IsCell(int index) {
    return index >= 0 && index < 25;
}

}  // namespace

FishPopulation::FishPopulation() {
    m_counts.fill(10);
}

int FishPopulation::Total() const {
    int total = 0;
    for (int count : m_counts) {
        total += count;
    }
    return total;
}

std::string FishPopulation::TotalLabel() const {
    return "Total: " + std::to_string(Total()) + "   (Max:50)";
}

FishPopulation::Rect FishPopulation::CellRect(int index) {
    return {kCellWidth * (index % kColumns) + 2, kCellHeight * (index / kColumns) + 2, kCellWidth,
            kCellHeight};
}

FishPopulation::Rect FishPopulation::CountSquare(int index) {
    Rect cell = CellRect(index);
    return {cell.left, cell.top, kCountSquare, kCountSquare};
}

void FishPopulation::DropSelection(std::vector<Rect>& dirty) {
    if (IsCell(m_previous)) {
        dirty.push_back(CellRect(m_previous));
    }
    if (IsCell(m_selection) && m_selection != m_previous) {
        dirty.push_back(CellRect(m_selection));
    }
    // Forgetting the previous cell too makes the next click on that same cell draw its ellipse
    // again, which was just erased.
    m_selection = -1;
    m_previous = -1;
}

std::vector<FishPopulation::Rect> FishPopulation::Click(int x, int y) {
    std::vector<Rect> dirty;
    // Right of the sheet there are no cells: x / 100 would wrap into the next row's kinds.
    if (y > kLastCellY || x < 0 || y < 0 || x >= kSheetWidth) {
        DropSelection(dirty);
        return dirty;
    }
    int index = x / kCellWidth + (y / kCellHeight) * kColumns;
    if (index != m_previous) {
        // The old cell is redrawn even when the new index lies on no cell (y = 450), so its
        // ellipse does not stay behind.
        if (IsCell(m_previous)) {
            dirty.push_back(CellRect(m_previous));
        }
        if (IsCell(index)) {
            dirty.push_back(CellRect(index));
        }
    }
    m_previous = index;
    m_selection = index;
    return dirty;
}

std::vector<FishPopulation::Rect> FishPopulation::Apply(Action action) {
    std::vector<Rect> dirty;
    switch (action) {
        case Action::kAdd:
            if (HasKindSelected() && Total() < kMaxTotal) {
                m_counts[m_selection] = std::min(m_counts[m_selection] + 1, kMaxTotal);
                dirty.push_back(CountSquare(m_selection));
            }
            break;
        case Action::kDelete:
            if (HasKindSelected() && m_counts[m_selection] > 0) {
                --m_counts[m_selection];
                dirty.push_back(CountSquare(m_selection));
            }
            break;
        case Action::kRandom:
            for (int& count : m_counts) {
                count = Rand() % 5;
            }
            DropSelection(dirty);
            for (int kind = 0; kind < kKinds; ++kind) {
                dirty.push_back(CountSquare(kind));
            }
            break;
        case Action::kClear:
            m_counts.fill(0);
            for (int kind = 0; kind < kKinds; ++kind) {
                dirty.push_back(CountSquare(kind));
            }
            break;
        case Action::kNone:
            break;
    }
    return dirty;
}

FishPopulation::Action FishPopulation::ActionForKey(int keyCode) {
    switch (keyCode) {
        case 'A':
        case 'a':
            return Action::kAdd;
        case 'D':
        case 'd':
            return Action::kDelete;
        case 'R':
        case 'r':
            return Action::kRandom;
        case 'C':
        case 'c':
            return Action::kClear;
        default:
            return Action::kNone;
    }
}

void FishPopulation::Load(const std::string& path) {
    const IniSection section = ReadIniSection(path, kFishSection);
    for (int kind = 0; kind < kKinds; ++kind) {
        m_counts[kind] = std::max(0, AtoiLike(section.Value(FishKey(kind))));
    }
}

bool FishPopulation::Save(const std::string& path, AquariumSettings& settings) const {
    std::vector<IniEntry> entries;
    for (int kind = 0; kind < kKinds; ++kind) {
        entries.push_back({FishKey(kind), std::to_string(m_counts[kind])});
    }
    // All fifteen counts in one replacement of the file.
    const bool written = WriteIniValues(path, kFishSection, entries);
    ApplyFishCounts(m_counts, settings);
    return written;
}

void ApplyFishCounts(const FishPopulation::Counts& counts, AquariumSettings& settings) {
    for (int kind = 0; kind < FishPopulation::kKinds; ++kind) {
        settings.nFishCount[kind] = std::clamp(counts[kind], 0, FishPopulation::kMaxTotal);
    }
}

}  // namespace reef
