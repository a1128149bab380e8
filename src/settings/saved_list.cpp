#include "settings/saved_list.h"

#include <algorithm>

namespace reef {
namespace {

constexpr std::string_view kEncodedPrefix = "file://";
constexpr char kHex[] = "0123456789ABCDEF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool NeedsEncoding(std::string_view row) {
    return !row.empty() &&
           (row.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos ||
            IsBlank(row.front()) || IsBlank(row.back()) ||
            row.substr(0, kEncodedPrefix.size()) == kEncodedPrefix);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The row index of a key "<prefix><index>" as the save writes it (decimal, no leading zero), or
// -1 for any other key.
long RowIndexOf(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 9) {
        return -1;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(key[i]) != lower(prefix[i])) {
            return -1;
        }
    }
    std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 1 && digits.front() == '0') {
        return -1;
    }
    long index = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        index = index * 10 + (c - '0');
    }
    return index;
}

}  // namespace

std::string EncodeListRow(std::string_view row) {
    if (!NeedsEncoding(row)) {
        return std::string(row);
    }
    std::string value(kEncodedPrefix);
    value.reserve(kEncodedPrefix.size() + row.size() + 16);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (c == '%' || c == '\r' || c == '\n' || c == '\0' ||
            (i + 1 == row.size() && IsBlank(c))) {
            const auto byte = static_cast<unsigned char>(c);
            value.push_back('%');
            value.push_back(kHex[byte >> 4]);
            value.push_back(kHex[byte & 15]);
        } else {
            value.push_back(c);
        }
    }
    return value;
}

std::string DecodeListRow(std::string_view value) {
    if (value.substr(0, kEncodedPrefix.size()) != kEncodedPrefix) {
        return std::string(value);
    }
    value.remove_prefix(kEncodedPrefix.size());
    std::string row;
    row.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        int high = -1;
        int low = -1;
        if (value[i] == '%' && i + 2 < value.size()) {
            high = HexValue(value[i + 1]);
            low = HexValue(value[i + 2]);
        }
        if (high >= 0 && low >= 0) {
            row.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            row.push_back(value[i]);
        }
    }
    return row;
}

std::vector<std::string> ReadSavedList(const IniSection& section, std::string_view sumKey,
                                       std::string_view prefix, int maxRows) {
    const long claimed = std::min(AtoiLike(section.Value(sumKey)), maxRows);
    long count = 0;
    for (const std::string& key : section.Keys()) {
        const long index = RowIndexOf(key, prefix);
        if (index >= 0 && index < claimed) {
            count = std::max(count, index + 1);
        }
    }
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(count));
    std::string key(prefix);
    for (long i = 0; i < count; ++i) {
        key.resize(prefix.size());
        key.append(std::to_string(i));
        rows.push_back(DecodeListRow(section.WholeValue(key)));
    }
    return rows;
}

void AppendSavedList(std::vector<IniEntry>& entries, std::string_view sumKey,
                     std::string_view prefix, const std::vector<std::string>& rows) {
    entries.push_back({std::string(sumKey), std::to_string(rows.size())});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        entries.push_back({std::string(prefix) + std::to_string(i), EncodeListRow(rows[i])});
    }
}

}  // namespace reef
