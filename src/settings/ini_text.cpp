#include "settings/ini_text.h"

#include <algorithm>
#include <climits>

namespace reef {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The blanks atoi skips: isspace in the C locale.
bool IsAtoiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

enum class LineKind { kOther, kSection, kEntry };

// One line of the text: [begin, end) is its content without the line end, next is where the
// following line starts (the text's size for the last line).
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
    LineKind kind = LineKind::kOther;
    std::string_view name;    // section or key name, trimmed
    std::size_t valueAt = 0;  // entries: offset just after '=' and the blanks that follow it
};

// A line ends at LF, at CR LF, or at a CR on its own: files written on classic Mac systems end
// their lines in CR alone, and a stray CR before a line's LF must not become part of a value.
Line ReadLine(std::string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    std::size_t brk = text.find_first_of("\r\n", begin);
    if (brk == std::string_view::npos) {
        line.end = line.next = text.size();
    } else {
        line.end = brk;
        bool crlf = text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n';
        line.next = brk + (crlf ? 2 : 1);
    }
    std::string_view content = Trim(text.substr(begin, line.end - begin));
    if (content.empty() || content.front() == ';') {
        return line;
    }
    if (content.front() == '[') {
        content.remove_prefix(1);
        line.kind = LineKind::kSection;
        line.name = Trim(content.substr(0, content.find(']')));
        return line;
    }
    // Searched within the line only, so a long text without '=' stays linear.
    std::size_t equals = text.substr(begin, line.end - begin).find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    equals += begin;
    line.name = Trim(text.substr(begin, equals - begin));
    if (line.name.empty()) {
        return line;
    }
    line.kind = LineKind::kEntry;
    line.valueAt = equals + 1;
    while (line.valueAt < line.end && IsBlank(text[line.valueAt])) {
        ++line.valueAt;
    }
    return line;
}

std::size_t FirstLineStart(std::string_view text) {
    return text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
}

// The line end of the text's first line, which new lines copy; LF for a text of one line.
std::string_view LineBreakOf(std::string_view text) {
    std::size_t brk = text.find_first_of("\r\n");
    if (brk == std::string_view::npos || text[brk] == '\n') {
        return "\n";
    }
    return brk + 1 < text.size() && text[brk + 1] == '\n' ? "\r\n" : "\r";
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
    return !name.empty() && Trim(name) == name && !HasLineBreakOrNul(name);
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

// The value of an entry's line up to a NUL, blanks at its end included.
std::string_view RawValue(std::string_view text, const Line& line) {
    std::string_view value = text.substr(line.valueAt, line.end - line.valueAt);
    return value.substr(0, value.find('\0'));
}

// Calls `visit` with each entry line in the blocks of `section`, in text order, while it
// answers true.
template <typename Visit>
void ForEachEntryOf(std::string_view text, std::string_view section, Visit visit) {
    bool inSection = false;
    for (std::size_t at = FirstLineStart(text); at < text.size();) {
        const Line line = ReadLine(text, at);
        at = line.next;
        if (line.kind == LineKind::kSection) {
            inSection = SameName(line.name, section);
        } else if (line.kind == LineKind::kEntry && inSection && !visit(line)) {
            return;
        }
    }
}

// A value as a read gives it from its raw text (RawValue): cut to `limit` bytes, with no blanks
// at its ends.
std::string ReadValue(std::string_view raw, std::size_t limit) {
    return std::string(Trim(Trim(raw).substr(0, limit)));
}

}  // namespace

int AtoiLike(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsAtoiSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range reaches INT_MIN.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < INT_MIN) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    if (negative) {
        return static_cast<int>(value);
    }
    return value < -INT_MAX ? INT_MAX : static_cast<int>(-value);
}

std::string FindIniValue(std::string_view text, std::string_view section, std::string_view key) {
    std::string value;
    ForEachEntryOf(text, section, [&](const Line& line) {
        if (!SameName(line.name, key)) {
            return true;
        }
        value = ReadValue(RawValue(text, line), kIniValueMax);
        return false;
    });
    return value;
}

std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value) {
    return SetIniValues(text, section, {IniEntry{std::string(key), std::string(value)}});
}

const std::string* IniSection::Raw(std::string_view key) const {
    auto found = m_raw.find(LowerName(key));
    return found == m_raw.end() ? nullptr : &found->second;
}

std::string IniSection::Value(std::string_view key) const {
    const std::string* raw = Raw(key);
    // Cut to the buffer first, then trimmed: a value read never has blanks at its ends, so what
    // is read can be written back and read again unchanged.
    return raw == nullptr ? std::string() : ReadValue(*raw, kIniValueMax);
}

std::string IniSection::WholeValue(std::string_view key) const {
    const std::string* raw = Raw(key);
    return raw == nullptr ? std::string() : ReadValue(*raw, std::string_view::npos);
}

bool IniSection::Has(std::string_view key) const {
    return Raw(key) != nullptr;
}

IniSection ParseIniSection(std::string_view text, std::string_view section) {
    IniSection result;
    ForEachEntryOf(text, section, [&](const Line& line) {
        auto [entry, added] = result.m_raw.try_emplace(LowerName(line.name));
        if (added) {
            entry->second.assign(RawValue(text, line));
            result.m_keys.emplace_back(line.name);
        }
        return true;
    });
    return result;
}

std::optional<std::string> SetIniValues(std::string_view text, std::string_view section,
                                        const std::vector<IniEntry>& entries) {
    if (!IsStorableName(section) || section.find(']') != std::string_view::npos) {
        return std::nullopt;
    }
    // The entry that gives each key its value: the last one naming it.
    std::unordered_map<std::string, std::size_t> last;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& key = entries[i].key;
        if (!IsStorableName(key) || key.find('=') != std::string::npos || key.front() == '[' ||
            key.front() == ';' || HasLineBreakOrNul(entries[i].value)) {
            return std::nullopt;
        }
        last[LowerName(key)] = i;
    }

    // One pass finds the lines of the keys present (the first of each, in any block of the
    // section) and where new keys go: after the last entry (or the header) of the first block.
    struct Replacement {
        std::size_t begin;
        std::size_t end;
        std::size_t entry;
    };
    std::vector<Replacement> replacements;
    std::unordered_map<std::string, bool> present;
    bool sectionFound = false;
    bool inSection = false;
    bool inFirstSection = false;
    std::size_t insertAt = 0;
    bool insertNeedsBreak = false;  // the line before insertAt has no line end
    for (std::size_t at = FirstLineStart(text); at < text.size();) {
        const Line line = ReadLine(text, at);
        at = line.next;
        if (line.kind == LineKind::kSection) {
            inFirstSection = !sectionFound && SameName(line.name, section);
            inSection = SameName(line.name, section);
            sectionFound = sectionFound || inSection;
        } else if (line.kind != LineKind::kEntry || !inSection) {
            continue;
        } else if (!last.empty()) {
            std::string lower = LowerName(line.name);
            auto wanted = last.find(lower);
            if (wanted != last.end() && present.try_emplace(std::move(lower), true).second) {
                replacements.push_back({line.valueAt, line.end, wanted->second});
            }
        }
        if (inFirstSection) {
            insertAt = line.next;
            insertNeedsBreak = line.next == line.end;
        }
    }

    // Blanks at the ends of a value are never part of it, and kept they would pile up, one
    // more with every rewrite of the same text.
    auto valueOf = [&](std::size_t entry) { return Trim(entries[entry].value); };
    std::string_view lineBreak = LineBreakOf(text);
    // In a file of lone CRs, a new line put before an LF of another line end would make one
    // CR LF of its CR and that LF, and the line the LF ended would be lost.
    if (sectionFound && lineBreak == "\r" && insertAt < text.size() && text[insertAt] == '\n') {
        lineBreak = "\r\n";
    }
    std::string newLines;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string lower = LowerName(entries[i].key);
        if (present.try_emplace(std::move(lower), false).second) {
            newLines.append(entries[i].key).append("=");
            newLines.append(valueOf(last[LowerName(entries[i].key)])).append(lineBreak);
        }
    }

    std::string result;
    std::size_t extra = newLines.size() + section.size() + 8;
    for (const IniEntry& entry : entries) {
        extra += entry.value.size();
    }
    result.reserve(text.size() + extra);
    std::size_t copied = 0;
    auto copyTo = [&](std::size_t pos) {
        result.append(text.substr(copied, pos - copied));
        copied = pos;
    };
    bool inserted = !sectionFound || newLines.empty();
    auto insertNewLines = [&] {
        copyTo(insertAt);
        if (insertNeedsBreak) {
            result.append(lineBreak);
        }
        result.append(newLines);
        inserted = true;
    };
    // Everything but the values stays, so do the line ends; the lines are in text order.
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.begin < b.begin; });
    for (const Replacement& r : replacements) {
        // A line after the insertion point has its value strictly past it; the line before
        // it may end at it (its value empty, no line end after it).
        if (!inserted && r.begin > insertAt) {
            insertNewLines();
        }
        copyTo(r.begin);
        result.append(valueOf(r.entry));
        copied = r.end;
    }
    if (!inserted) {
        insertNewLines();
    }
    copyTo(text.size());
    if (!sectionFound && !newLines.empty()) {
        if (text.size() > FirstLineStart(text) && text.back() != '\n' && text.back() != '\r') {
            result.append(lineBreak);
        }
        result.append("[").append(section).append("]").append(lineBreak).append(newLines);
    }
    return result;
}

}  // namespace reef
