// The INI reader over arbitrary bytes. Beyond not crashing, the parse must not
// depend on the kind of line end, must survive being written back out and read
// again, and every lookup must give what the first-section, first-key rule says,
// whatever the letter case of the names asked for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/check.h"
#include "settings/config_reader.h"
#include "settings/integer_text.h"

namespace {

// A stored value is trimmed of 0x01, so this never comes back from the file.
const std::string kAbsent = "\x01";
constexpr std::size_t kLookupsPerLevel = 12;

std::string FoldCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            result += to;
            i += from.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

bool SameParse(const ConfigReader& a, const ConfigReader& b) {
    const auto& x = a.Sections();
    const auto& y = b.Sections();
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i].Name != y[i].Name || x[i].Entries.size() != y[i].Entries.size()) return false;
        for (std::size_t j = 0; j < x[i].Entries.size(); ++j) {
            if (x[i].Entries[j].Key != y[i].Entries[j].Key || x[i].Entries[j].Value != y[i].Entries[j].Value) {
                return false;
            }
        }
    }
    return true;
}

bool IsTrimmed(const std::string& text) {
    return text.empty() || (static_cast<unsigned char>(text.front()) > 0x20 &&
                            static_cast<unsigned char>(text.back()) > 0x20);
}

// The lookup rule, over the parsed sections.
std::string Expected(const ConfigReader& reader, const std::string& section, const std::string& key) {
    if (section.empty() || key.empty() || section[0] == ';' || key[0] == ';') return kAbsent;
    for (const ConfigSection& candidate : reader.Sections()) {
        if (FoldCase(candidate.Name, false) != FoldCase(section, false)) continue;
        for (const ConfigEntry& entry : candidate.Entries) {
            if (FoldCase(entry.Key, false) == FoldCase(key, false)) return entry.Value;
        }
        return kAbsent;
    }
    return kAbsent;
}

void CheckReads(const ConfigReader& reader, const std::string& section, const std::string& key) {
    const std::string text = Expected(reader, section, key);
    FUZZ_CHECK(reader.ReadText(section, key, kAbsent) == text);
    FUZZ_CHECK(reader.ReadText(FoldCase(section, true), FoldCase(key, true), kAbsent) == text);
    const bool usable = text != kAbsent && !text.empty();
    std::int32_t number = 0;
    const bool isNumber = usable && ParseIntegerText(text, number);
    FUZZ_CHECK(reader.ReadInt(section, key, 77) == (isNumber ? number : 77));
    FUZZ_CHECK(reader.ReadInt(section, key, -5) == (isNumber ? number : -5));
    FUZZ_CHECK(reader.ReadFlag(section, key, true) == (usable ? text[0] == '1' : true));
    FUZZ_CHECK(reader.ReadFlag(section, key, false) == (usable && text[0] == '1'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const ConfigReader reader = ConfigReader::FromContent(content);

    std::string written;
    for (const ConfigSection& section : reader.Sections()) {
        FUZZ_CHECK(section.Name.find_first_of("\r\n") == std::string::npos);
        written += "[" + section.Name + "]\n";
        for (const ConfigEntry& entry : section.Entries) {
            FUZZ_CHECK(!entry.Key.empty() && entry.Key[0] != ';' && IsTrimmed(entry.Key) && IsTrimmed(entry.Value));
            FUZZ_CHECK(entry.Key.find_first_of("=\r\n") == std::string::npos);
            FUZZ_CHECK(entry.Value.find_first_of("\r\n") == std::string::npos);
            written += entry.Key + "=" + entry.Value + "\n";
        }
    }
    FUZZ_CHECK(SameParse(reader, ConfigReader::FromContent(written)));
    FUZZ_CHECK(SameParse(reader, ConfigReader::FromContent(ReplaceAll(content, "\n", "\r\n"))));
    FUZZ_CHECK(SameParse(reader, ConfigReader::FromContent(ReplaceAll(ReplaceAll(content, "\r\n", "\r"), "\n", "\r"))));

    // Names the file defines, and names made of the input's own lines.
    std::vector<std::string> sections, keys;
    for (const ConfigSection& section : reader.Sections()) {
        if (sections.size() < kLookupsPerLevel) sections.push_back(section.Name);
        for (const ConfigEntry& entry : section.Entries) {
            if (keys.size() < kLookupsPerLevel) keys.push_back(entry.Key);
        }
    }
    for (std::size_t start = 0, n = 0; start < content.size() && n < 4; ++n) {
        const std::size_t end = std::min(content.find_first_of("\r\n", start), content.size());
        const std::string line(content.substr(start, end - start));
        sections.push_back(line);
        keys.push_back(line.substr(0, line.find('=')));
        start = end + 1;
    }
    for (const std::string& section : sections) {
        for (const std::string& key : keys) CheckReads(reader, section, key);
    }
    return 0;
}
