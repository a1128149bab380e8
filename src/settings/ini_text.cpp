#include "settings/ini_text.h"

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

// Where a key stands, or where it would go.
struct Place {
    bool sectionFound = false;
    bool keyFound = false;
    Line entry;                     // the key's line when found
    std::size_t insertAt = 0;       // the first matching section: just after its last entry/header
    bool insertNeedsBreak = false;  // the line before insertAt has no line end
};

Place Locate(std::string_view text, std::string_view section, std::string_view key) {
    Place place;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t at = FirstLineStart(text); at < text.size();) {
        Line line = ReadLine(text, at);
        at = line.next;
        if (line.kind == LineKind::kSection) {
            inFirstSection = !place.sectionFound && SameName(line.name, section);
            inSection = SameName(line.name, section);
            place.sectionFound = place.sectionFound || inSection;
        } else if (line.kind != LineKind::kEntry || !inSection) {
            continue;
        } else if (SameName(line.name, key)) {
            place.keyFound = true;
            place.entry = line;
            return place;
        }
        if (inFirstSection) {
            place.insertAt = line.next;
            place.insertNeedsBreak = line.next == line.end;
        }
    }
    return place;
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
    Place place = Locate(text, section, key);
    if (!place.keyFound) {
        return std::string();
    }
    std::string_view value =
        text.substr(place.entry.valueAt, place.entry.end - place.entry.valueAt);
    // Cut at a NUL and to the buffer first, then trimmed: a value read never has blanks at its
    // ends, so what is read can be written back and read again unchanged.
    value = value.substr(0, value.find('\0'));
    return std::string(Trim(Trim(value).substr(0, kIniValueMax)));
}

std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value) {
    if (!IsStorableName(section) || section.find(']') != std::string_view::npos ||
        !IsStorableName(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';' || HasLineBreakOrNul(value)) {
        return std::nullopt;
    }
    // Stored as it reads back: blanks at the ends of a value are never part of it, and kept
    // they would pile up, one more with every rewrite of the same text.
    value = Trim(value);
    Place place = Locate(text, section, key);
    std::string_view lineBreak = LineBreakOf(text);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (place.keyFound) {
        // Everything up to the value stays, so is the line end; only the value changes.
        result.append(text.substr(0, place.entry.valueAt));
        result.append(value);
        result.append(text.substr(place.entry.end));
        return result;
    }
    if (place.sectionFound) {
        result.append(text.substr(0, place.insertAt));
        if (place.insertNeedsBreak) {
            result.append(lineBreak);
        }
        result.append(key).append("=").append(value).append(lineBreak);
        result.append(text.substr(place.insertAt));
        return result;
    }
    result.append(text);
    if (text.size() > FirstLineStart(text) && text.back() != '\n' && text.back() != '\r') {
        result.append(lineBreak);
    }
    result.append("[").append(section).append("]").append(lineBreak);
    result.append(key).append("=").append(value).append(lineBreak);
    return result;
}

}  // namespace reef
