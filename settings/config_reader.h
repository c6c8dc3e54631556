// The configuration file's INI dialect: a read-only view of one file's sections.
//
// Lines end at CR, LF or CR LF; each is trimmed of bytes 0x00-0x20. A line starting
// with ";" is a comment. "[name]" starts a section (name kept verbatim, blanks
// included); it is tested before anything else, so "[a=b]" is a header. Inside a
// section, "key = value" splits at the first "="; the value is kept verbatim (quotes,
// ";", "#" and "\" included). Every other line, and every line before the first
// header, is ignored. A UTF-8 byte-order mark at the very start is dropped.
// Sections are never merged; repeated sections and keys are kept in file order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ConfigEntry {
    std::string Key;
    std::string Value;
};

struct ConfigSection {
    std::string Name;
    std::vector<ConfigEntry> Entries;
};

class ConfigReader {
public:
    // Loads the file at path. A missing path, or a directory, gives an empty reader.
    // Throws EFOpenError ("Unable to open file "path"") when the file is there but
    // cannot be opened or read. No handle stays open once this returns or throws.
    explicit ConfigReader(const std::string& path);
    // Parses bytes already in memory as a file's content.
    static ConfigReader FromContent(std::string_view content);

    // Lookup contract: the first section whose name equals the section name is the
    // only one searched, and in it the first entry whose key equals the key name.
    // Names are equal when they have the same bytes, ASCII letters compared without
    // case. An empty name, or one starting with ";", finds nothing.

    // Absent: the default. Present, even with an empty value: the value.
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
    // Absent, empty, or rejected by ParseIntegerText: the default.
    std::int32_t ReadInt(const std::string& section, const std::string& key,
                         std::int32_t defaultValue) const;
    // Absent or empty: the default. Otherwise true exactly when the value starts with "1".
    bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const;

    const std::vector<ConfigSection>& Sections() const { return sections_; }

private:
    ConfigReader() = default;
    void Parse(std::string_view content);
    // The stored value, or null when the key counts as absent.
    const std::string* Find(const std::string& section, const std::string& key) const;

    std::vector<ConfigSection> sections_;
};

// The reader's presence test: attributes are returned and do not mark a directory.
bool FileExists(const std::string& path);

// ---- the dialect's pieces, for code that edits a file the reader will read ----

// The whole content of a file; throws EFOpenError as the reader does. With
// `besideWriters`, a file another program holds open for writing is read too.
std::string ReadFileContent(const std::string& path, bool besideWriters = false);

// Where the lines start: after a UTF-8 byte-order mark at the very start, else 0.
std::size_t FirstLineStart(std::string_view content);
// The line that starts at `start`: `end` is set to where its text ends (its line
// end excluded); the result is where the next line starts (CR LF counts as one end).
std::size_t NextLineStart(std::string_view content, std::size_t start, std::size_t& end);

// What one line means on its own. Name and value point into the line, trimmed.
// A Key line counts only inside a section.
struct ConfigLine {
    enum Kind { Ignored, Header, Key } kind = Ignored;
    std::string_view name;   // the section's name, or the key
    std::string_view value;  // a key line's value
};
ConfigLine ClassifyLine(std::string_view line);

// Names are equal when they have the same bytes, ASCII letters compared without case.
bool NamesEqual(const std::string_view a, const std::string_view b);
