#include "setup/ini_editor.h"

#include <algorithm>
#include <string_view>

#include "settings/config_reader.h"

namespace {

const char* const kLineEnd = "\r\n";

struct KeyLine {
    std::size_t valueBegin, valueEnd;  // the value's bytes
};

// Where a section stands, as the reader sees it: the first header of the name,
// the first line of the key in it (the one the reader takes), and where a new key
// line would go.
struct SectionScan {
    bool found = false;
    bool keyFound = false;
    KeyLine key{};
    std::size_t insertAt = 0;    // just after the section's last key line, or its header
    bool insertNeedsEnd = false;  // that line has no line end of its own
};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool IsSearchable(const std::string& name) { return !name.empty() && name.front() != ';'; }

SectionScan Scan(std::string_view text, const std::string& section, const std::string& key) {
    SectionScan scan;
    bool inside = false;
    for (std::size_t start = FirstLineStart(text); start < text.size();) {
        std::size_t end = 0;
        const std::size_t next = NextLineStart(text, start, end);
        const std::string_view raw = text.substr(start, end - start);
        const ConfigLine line = ClassifyLine(raw);
        if (line.kind == ConfigLine::Header) {
            if (inside) break;  // only the first section of the name counts
            inside = !scan.found && NamesEqual(line.name, section);
            scan.found = scan.found || inside;
        }
        if (inside && line.kind != ConfigLine::Ignored) {
            if (!scan.keyFound && line.kind == ConfigLine::Key && NamesEqual(line.name, key)) {
                const std::size_t valueBegin = start + static_cast<std::size_t>(line.value.data() - raw.data());
                scan.key = {valueBegin, valueBegin + line.value.size()};
                scan.keyFound = true;
            }
            scan.insertAt = std::min(next, text.size());
            scan.insertNeedsEnd = end == text.size();
        }
        start = next;
    }
    return scan;
}

bool ReadsBackAsWritten(const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos) return false;
    return value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back()));
}

// A name the reader finds again once written: it survives trimming and cannot be
// taken for a header, a comment or a split at "=".
bool IsWritableName(const std::string& name, bool isKey) {
    if (!IsSearchable(name) || !ReadsBackAsWritten(name)) return false;
    if (isKey) return name.find('=') == std::string::npos && name.front() != '[';
    return name.find_first_of("[]") == std::string::npos;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The file's last line is empty: its text ends in two line ends.
bool EndsWithBlankLine(const std::string& text) {
    std::size_t end = text.size();
    if (end >= 2 && text.compare(end - 2, 2, kLineEnd) == 0) end -= 2;
    else if (end >= 1 && IsLineEnd(text[end - 1])) end -= 1;
    else return false;
    return end > 0 && IsLineEnd(text[end - 1]);
}

}  // namespace

bool IniDocument::Find(const std::string& section, const std::string& key, std::string& value) const {
    if (!IsSearchable(section) || !IsSearchable(key)) return false;
    const SectionScan scan = Scan(text_, section, key);
    if (!scan.keyFound) return false;
    value = text_.substr(scan.key.valueBegin, scan.key.valueEnd - scan.key.valueBegin);
    return true;
}

bool IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
    if (!ReadsBackAsWritten(value) || !IsWritableName(section, false) || !IsWritableName(key, true)) return false;
    const SectionScan scan = Scan(text_, section, key);
    if (scan.keyFound) {
        text_.replace(scan.key.valueBegin, scan.key.valueEnd - scan.key.valueBegin, value);
        return true;
    }
    const std::string line = key + "=" + value + kLineEnd;
    if (scan.found) {
        text_.insert(scan.insertAt, (scan.insertNeedsEnd ? kLineEnd : "") + line);
        return true;
    }
    if (text_.size() > FirstLineStart(text_)) {
        if (!IsLineEnd(text_.back())) text_ += kLineEnd;
        // A blank line before the new section, as a person would leave one.
        if (!EndsWithBlankLine(text_)) text_ += kLineEnd;
    }
    text_ += "[" + section + "]" + kLineEnd + line;
    return true;
}
