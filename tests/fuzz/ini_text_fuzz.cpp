// The INI text parser and writer. Input: text, section, key and value, separated by 0x1F.
// A write that succeeds must read back exactly (as far as a read gives it: at most 127 bytes,
// without blanks at the ends), leave every other value reading as before and change the text in one
// place only: the old value's bytes within its line, or nothing but an insertion.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "settings/ini_text.h"

namespace {

using reef::FindIniValue;

// Written apart from the parser's own, so the two check each other.
std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

struct Name {
    std::string section, key;
};

// Section and key names that the text seems to hold, taken roughly: every one of them must
// read the same before and after a write that does not concern it, so a name that is no real
// entry does no harm.
std::vector<Name> CandidateNames(std::string_view text) {
    std::vector<Name> names;
    std::string section;
    std::size_t at = 0;
    while (at <= text.size() && names.size() < 64) {
        std::size_t brk = text.find_first_of("\r\n", at);
        std::string_view line = Trim(
            text.substr(at, brk == std::string_view::npos ? std::string_view::npos : brk - at));
        if (!line.empty() && line.front() == '[') {
            section = std::string(Trim(line.substr(1, line.find(']') - 1)));
        } else if (std::size_t equals = line.find('='); equals != std::string_view::npos) {
            names.push_back({section, std::string(Trim(line.substr(0, equals)))});
        }
        if (brk == std::string_view::npos) {
            break;
        }
        at = brk + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    reef::fuzz::Fields fields(data, size);
    const std::string_view text = fields.Next();
    const std::string_view section = fields.Next();
    const std::string_view key = fields.Next();
    const std::string_view value = fields.Rest();

    const std::string before = FindIniValue(text, section, key);
    FUZZ_CHECK(before.size() <= reef::kIniValueMax);
    auto written = reef::SetIniValue(text, section, key, value);
    if (!written) {
        return 0;
    }
    const std::string& after = *written;
    FUZZ_CHECK(FindIniValue(after, section, key) ==
               std::string(Trim(Trim(value).substr(0, reef::kIniValueMax))));

    for (const Name& name : CandidateNames(text)) {
        if (SameName(name.section, section) && SameName(name.key, key)) {
            continue;
        }
        FUZZ_CHECK(FindIniValue(after, name.section, name.key) ==
                   FindIniValue(text, name.section, name.key));
    }

    // One splice: what the write removed lies within one line.
    std::size_t prefix = 0;
    while (prefix < text.size() && prefix < after.size() && text[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < text.size() - prefix && suffix < after.size() - prefix &&
           text[text.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = text.substr(prefix, text.size() - prefix - suffix);
    FUZZ_CHECK(removed.find_first_of("\r\n") == std::string_view::npos);

    // Writing the same value again changes nothing.
    auto again = reef::SetIniValue(after, section, key, value);
    FUZZ_CHECK(again && *again == after);

    // Several keys set at once give the text that setting them one after another gives: keys
    // the section holds, a new one, and the input's key twice.
    std::vector<reef::IniEntry> entries = {{std::string(key), std::string(value)}};
    for (const Name& name : CandidateNames(text)) {
        if (SameName(name.section, section) && entries.size() < 5) {
            entries.push_back({name.key, "v" + std::to_string(entries.size())});
        }
    }
    entries.push_back({"New Key", std::string(value.substr(0, 300))});
    entries.push_back({std::string(key), "again"});
    std::optional<std::string> oneByOne = std::string(text);
    for (const reef::IniEntry& entry : entries) {
        if (oneByOne) {
            oneByOne = reef::SetIniValue(*oneByOne, section, entry.key, entry.value);
        }
    }
    const auto atOnce = reef::SetIniValues(text, section, entries);
    FUZZ_CHECK(atOnce.has_value() == oneByOne.has_value());
    FUZZ_CHECK(!atOnce || *atOnce == *oneByOne);
    if (atOnce) {
        // The section read in one pass agrees with the single reads, and holds values whole.
        const reef::IniSection parsed = reef::ParseIniSection(*atOnce, section);
        FUZZ_CHECK(parsed.Value(key) == "again");
        FUZZ_CHECK(SameName(key, "New Key") ||
                   parsed.WholeValue("New Key") == std::string(Trim(value.substr(0, 300))));
        for (const std::string& name : parsed.Keys()) {
            FUZZ_CHECK(parsed.Value(name) == FindIniValue(*atOnce, section, name));
        }
    }
    return 0;
}
