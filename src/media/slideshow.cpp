#include "media/slideshow.h"

#include <algorithm>
#include <string>

#include "media/picture_textures.h"
#include "platform/message.h"
#include "platform/random.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/saved_list.h"

namespace reef {
namespace {

constexpr const char* kSection = "Custom Images";

// A saved list is read up to this many keys, whatever "ImageSum" claims: the program never
// saves more than kMaxImages, and a hand-edited count of millions would otherwise keep the
// start-up reading (and reporting missing files) for hours.
constexpr int kMaxListKeysRead = 100;

}  // namespace

Slideshow::Slideshow(PictureTextures& textures) : m_textures(textures) {}

Slideshow::~Slideshow() {
    for (int row = 0; row < RowCount(); ++row) {
        if (m_texImages[row] != 0) {
            m_textures.Release(m_texImages[row]);
        }
    }
}

void Slideshow::SetIntervalText(const std::string& text) {
    m_interval = text;
    // A number by the settings file's rules: blanks, an optional '+', then a digit. Anything
    // else (nothing at all, a sign of a negative number, a letter) is no interval.
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    std::size_t digit = start;
    if (digit != std::string::npos && text[digit] == '+') {
        ++digit;
    }
    if (digit < text.size() && text[digit] >= '0' && text[digit] <= '9') {
        m_intervalSeconds = std::max<std::int64_t>(AtoiLike(text), kMinIntervalSeconds);
    }
}

void Slideshow::ToggleOwnImage(bool checked) {
    m_ownImage = checked;
    if (checked) {
        StartSlideshow();
    } else if (m_bRunning) {
        StopSlideshow();
    }
}

void Slideshow::AddChosenImage(const std::string& path) {
    AddBackgroundImage(path);
    // m_nCount is the row count before the add when it failed, so a failing second picture
    // starts the show again just as a first picture that loads does.
    if (m_nCount == 1 && m_ownImage) {
        StartSlideshow();
    }
}

void Slideshow::RemoveImage(int selectedRow) {
    if (selectedRow >= 0 && selectedRow < RowCount()) {
        if (m_texImages[selectedRow] != 0) {
            m_textures.Release(m_texImages[selectedRow]);
        }
        m_rows.erase(m_rows.begin() + selectedRow);
        m_nCount = RowCount();
        for (int k = selectedRow; k + 1 < kMaxImages; ++k) {
            m_texImages[k] = m_texImages[k + 1];
        }
        m_texImages[m_nCount] = 0;
    }
    if (m_rows.empty()) {
        m_texImages.fill(0);
        m_texCurrent = 0;
    } else {
        // Row 0 (or the first available row) at once while running; nothing while stopped.
        const int row = NextAvailableRow(0);
        m_texCurrent = row < 0 ? 0 : PickPicture(row, true);
    }
}

void Slideshow::RemoveAll() {
    for (int row = 0; row < RowCount(); ++row) {
        if (m_texImages[row] != 0) {
            m_textures.Release(m_texImages[row]);
        }
    }
    m_rows.clear();
    m_nCount = 0;
    m_texImages.fill(0);
    m_texCurrent = 0;
}

void Slideshow::ShowRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    if (m_rows[row].available || LoadRowTexture(row)) {
        m_texCurrent = PickPicture(row, true);
    }
}

bool Slideshow::LoadRowTexture(int row) {
    Row& listed = m_rows[row];
    m_texImages[row] = m_textures.Create(listed.path);
    listed.available = m_texImages[row] != 0;
    if (!listed.available) {
        ShowMessage("(" + listed.path + ")" + "image loading error.", kAppTitle);
    }
    return listed.available;
}

int Slideshow::NextAvailableRow(int from) const {
    const int count = RowCount();
    for (int step = 0; step < count; ++step) {
        const int row = ((from + step) % count + count) % count;
        if (m_rows[row].available) {
            return row;
        }
    }
    return -1;
}

void Slideshow::ChooseOrder(Mode mode) {
    m_nMode = mode;
    CheckOrder(mode);
}

void Slideshow::CheckOrder(Mode mode) {
    m_orderChecked = {false, false, false};
    m_orderChecked[mode] = true;
}

void Slideshow::Tick() {
    if (!m_bRunning) {
        return;
    }
    ++m_nTicks;
    // In 64 bits: a hand-edited interval of two thousand million seconds stays a long wait.
    if (m_nTicks != 0 && m_nTicks * kTickMs < m_intervalSeconds * 1000) {
        return;
    }
    m_texCurrent = PickPicture(0, false);
    m_nTicks = 0;
    if (m_texCurrent != 0) {
        MarkOnly(RowOfTexture(m_texCurrent));
    }
}

bool Slideshow::AddBackgroundImage(const std::string& path) {
    const int n = RowCount();
    m_nCount = n;
    if (n >= kMaxImages) {
        ShowMessage("The maximum number of background is: " + std::to_string(n), kAppTitle);
        return false;
    }
    m_texImages[n] = m_textures.Create(path);
    if (m_texImages[n] != 0) {
        m_rows.push_back({path, false});
        m_nCount = RowCount();
        return true;
    }
    ShowMessage("(" + path + ")" + "image loading error.", kAppTitle);
    StopSlideshow();
    return false;
}

unsigned int Slideshow::PickPicture(int row, bool userPick) {
    const int count = RowCount();
    if (count == 0 || !m_bRunning) {
        return 0;
    }
    if (userPick) {
        if (row < 0 || row >= count || !m_rows[row].available) {
            return 0;
        }
        MarkOnly(row);
        return m_texImages[row];
    }
    switch (m_nMode) {
        case kRepeatOne: {
            if (m_texCurrent != 0) {
                return m_texCurrent;
            }
            const int first = NextAvailableRow(0);
            return first < 0 ? 0 : m_texImages[first];
        }
        case kRepeatAll: {
            const int current = RowOfTexture(m_texCurrent);
            const int p = current < 0 ? count : current;
            const int next = NextAvailableRow((p + 1) % count);
            return next < 0 ? 0 : m_texImages[next];
        }
        default: {
            // With every row at hand, one draw over the list, as always; else over the rows
            // that are.
            std::vector<int> available;
            for (int k = 0; k < count; ++k) {
                if (m_rows[k].available) {
                    available.push_back(k);
                }
            }
            if (available.empty()) {
                return 0;
            }
            return m_texImages[available[Rand() % static_cast<int>(available.size())]];
        }
    }
}

void Slideshow::StartSlideshow() {
    m_bRunning = true;
    m_nTicks = -1;
}

void Slideshow::StopSlideshow() {
    MarkOnly(-1);
    m_bRunning = false;
}

void Slideshow::SaveBackgroundSettings(const std::string& iniPath) const {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    std::vector<IniEntry> entries = {
        {"RandomImage", flag(m_orderChecked[kRandom])},
        {"CycImage", flag(m_orderChecked[kRepeatAll])},
        {"RepeatImage", flag(m_orderChecked[kRepeatOne])},
        {"OwnImage", flag(m_ownImage)},
        {"ImageTime", m_interval},
    };
    std::vector<std::string> paths;
    for (const Row& row : m_rows) {
        paths.push_back(row.path);
    }
    AppendSavedList(entries, "ImageSum", "ImageList", paths);
    // A file that cannot be written is not reported; the next close tries again. An interval
    // typed with a line break in it could not be stored: the rest is saved without it.
    if (!WriteIniValues(iniPath, kSection, entries)) {
        entries[4].value.clear();
        WriteIniValues(iniPath, kSection, entries);
    }
}

void Slideshow::LoadBackgroundSettings(const std::string& iniPath) {
    RemoveImage(-1);
    const IniSection section = ReadIniSection(iniPath, kSection);
    auto flag = [&](const char* key) { return AtoiLike(section.Value(key)) == 1; };
    const bool random = flag("RandomImage");
    const bool repeatAll = flag("CycImage");
    const bool repeatOne = flag("RepeatImage");
    m_orderChecked = {repeatOne, repeatAll, random};
    m_ownImage = flag("OwnImage");
    const std::string interval = section.Value("ImageTime");
    SetIntervalText(interval.empty() ? "5" : interval);

    const int n = AtoiLike(section.Value("ImageSum"));
    for (const std::string& path :
         ReadSavedList(section, "ImageSum", "ImageList", kMaxListKeysRead)) {
        if (RowCount() >= kMaxImages) {
            // One message says the list is full; every further row would say it again.
            AddBackgroundImage(path);
            break;
        }
        if (path.empty()) {
            // A row without a path can never load: it is not kept.
            AddBackgroundImage(path);
            continue;
        }
        m_rows.push_back({path, false, true});
        m_nCount = RowCount();
        if (!LoadRowTexture(RowCount() - 1)) {
            StopSlideshow();
        }
    }

    // The boxes as read decide, in this order, so the last one checked in the file wins.
    if (!random && !repeatAll && !repeatOne) {
        ChooseOrder(kRepeatOne);
    }
    if (random) {
        ChooseOrder(kRandom);
    }
    if (repeatAll) {
        ChooseOrder(kRepeatAll);
    }
    if (repeatOne) {
        ChooseOrder(kRepeatOne);
    }
    if (n > 0 && m_ownImage) {
        StartSlideshow();
    }
}

void Slideshow::MarkOnly(int row) {
    for (int k = 0; k < RowCount(); ++k) {
        m_rows[k].on = k == row;
    }
}

int Slideshow::RowOfTexture(unsigned int texture) const {
    if (texture == 0) {
        return -1;
    }
    for (int k = 0; k < RowCount(); ++k) {
        if (m_texImages[k] == texture) {
            return k;
        }
    }
    return -1;
}

}  // namespace reef
