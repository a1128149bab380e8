#include "media/slideshow.h"

#include <algorithm>
#include <string>

#include "media/picture_textures.h"
#include "platform/message.h"
#include "platform/random.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"

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
        m_textures.Release(m_texImages[row]);
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
        m_textures.Release(m_texImages[selectedRow]);
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
        // Row 0 at once while running; nothing while stopped.
        m_texCurrent = PickPicture(0, true);
    }
}

void Slideshow::RemoveAll() {
    for (int row = 0; row < RowCount(); ++row) {
        m_textures.Release(m_texImages[row]);
    }
    m_rows.clear();
    m_nCount = 0;
    m_texImages.fill(0);
    m_texCurrent = 0;
}

void Slideshow::ShowRow(int row) {
    if (row >= 0 && row < RowCount()) {
        m_texCurrent = PickPicture(row, true);
    }
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
        if (row < 0 || row >= count) {
            return 0;
        }
        MarkOnly(row);
        return m_texImages[row];
    }
    switch (m_nMode) {
        case kRepeatOne:
            return m_texCurrent != 0 ? m_texCurrent : m_texImages[0];
        case kRepeatAll: {
            const int current = RowOfTexture(m_texCurrent);
            const int p = current < 0 ? count : current;
            return m_texImages[(p + 1) % count];
        }
        default:
            return m_texImages[Rand() % count];
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
    // A file that cannot be written is not reported; the next close tries again.
    auto write = [&](const std::string& key, const std::string& value) {
        WriteIniString(iniPath, kSection, key, value);
    };
    auto flag = [](bool on) { return on ? "1" : "0"; };
    write("RandomImage", flag(m_orderChecked[kRandom]));
    write("CycImage", flag(m_orderChecked[kRepeatAll]));
    write("RepeatImage", flag(m_orderChecked[kRepeatOne]));
    write("OwnImage", flag(m_ownImage));
    write("ImageTime", m_interval);
    write("ImageSum", std::to_string(RowCount()));
    for (int i = 0; i < RowCount(); ++i) {
        write("ImageList" + std::to_string(i), m_rows[i].path);
    }
}

void Slideshow::LoadBackgroundSettings(const std::string& iniPath) {
    RemoveImage(-1);
    auto read = [&](const std::string& key) { return ReadIniString(iniPath, kSection, key); };
    auto flag = [&](const char* key) { return AtoiLike(read(key)) == 1; };
    const bool random = flag("RandomImage");
    const bool repeatAll = flag("CycImage");
    const bool repeatOne = flag("RepeatImage");
    m_orderChecked = {repeatOne, repeatAll, random};
    m_ownImage = flag("OwnImage");
    const std::string interval = read("ImageTime");
    SetIntervalText(interval.empty() ? "5" : interval);

    const int n = AtoiLike(read("ImageSum"));
    for (int i = 0; i < n && i < kMaxListKeysRead; ++i) {
        // Once the list is full one message says so; every further key would say it again.
        const bool full = RowCount() >= kMaxImages;
        AddBackgroundImage(read("ImageList" + std::to_string(i)));
        if (full) {
            break;
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
