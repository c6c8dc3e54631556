#include "settings/config_reader.h"

#include "diagnostics/exceptions.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "settings/integer_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSearchable(const std::string& name) { return !name.empty() && name.front() != ';'; }

// Closes the file on every road out of the load, exceptions included.
class FileHandle {
public:
    explicit FileHandle(platform::KernelHandle handle) : handle_(handle) {}
    ~FileHandle() { platform::CloseHandle(handle_); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    platform::KernelHandle get() const { return handle_; }

private:
    platform::KernelHandle handle_;
};

[[noreturn]] void ThrowOpenError(const std::string& path) {
    throw EFOpenError("Unable to open file \"" + path + "\"");
}

}  // namespace

std::string ReadFileContent(const std::string& path, bool besideWriters) {
    const std::uint32_t share = platform::kFileShareRead | (besideWriters ? platform::kFileShareWrite : 0);
    const platform::KernelHandle handle =
        platform::CreateFileW(path, platform::kGenericRead, share, platform::kOpenExisting,
                              platform::kFileAttributeNormal);
    if (handle == platform::kInvalidHandle) ThrowOpenError(path);
    FileHandle file(handle);
    std::string content;
    char chunk[16384];
    for (;;) {
        std::uint32_t read = 0;
        // A read that fails leaves the file as unusable as one that never opened.
        if (!platform::ReadFile(file.get(), chunk, sizeof chunk, read)) ThrowOpenError(path);
        if (read == 0) break;
        content.append(chunk, read);
    }
    return content;
}

bool FileExists(const std::string& path) {
    const std::uint32_t attributes = platform::GetFileAttributesW(path);
    return attributes != platform::kInvalidFileAttributes &&
           (attributes & platform::kFileAttributeDirectory) == 0;
}

bool NamesEqual(const std::string_view a, const std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::size_t FirstLineStart(std::string_view content) {
    return content.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
}

std::size_t NextLineStart(std::string_view content, std::size_t start, std::size_t& end) {
    end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = content.size();
    std::size_t next = end + 1;
    // CR LF is one line end; LF CR is two.
    if (end < content.size() && content[end] == '\r' && next < content.size() && content[next] == '\n') ++next;
    return next;
}

ConfigLine ClassifyLine(std::string_view line) {
    line = Trim(line);
    if (line.empty()) return {};
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        return {ConfigLine::Header, line.substr(1, line.size() - 2), {}};
    }
    if (line.front() == ';') return {};
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) return {};
    return {ConfigLine::Key, key, Trim(line.substr(equals + 1))};
}

ConfigReader::ConfigReader(const std::string& path) {
    if (FileExists(path)) Parse(ReadFileContent(path));
}

ConfigReader ConfigReader::FromContent(std::string_view content) {
    ConfigReader reader;
    reader.Parse(content);
    return reader;
}

void ConfigReader::Parse(std::string_view content) {
    std::size_t start = FirstLineStart(content);
    while (start < content.size()) {
        std::size_t end = 0;
        const std::size_t next = NextLineStart(content, start, end);
        const ConfigLine line = ClassifyLine(content.substr(start, end - start));
        start = next;
        if (line.kind == ConfigLine::Header) {
            sections_.push_back({std::string(line.name), {}});
        } else if (line.kind == ConfigLine::Key && !sections_.empty()) {
            sections_.back().Entries.push_back({std::string(line.name), std::string(line.value)});
        }
    }
}

const std::string* ConfigReader::Find(const std::string& section, const std::string& key) const {
    if (!IsSearchable(section) || !IsSearchable(key)) return nullptr;
    for (const ConfigSection& candidate : sections_) {
        if (!NamesEqual(candidate.Name, section)) continue;
        for (const ConfigEntry& entry : candidate.Entries) {
            if (NamesEqual(entry.Key, key)) return &entry.Value;
        }
        return nullptr;  // only the first section of a name counts
    }
    return nullptr;
}

std::string ConfigReader::ReadText(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
    const std::string* value = Find(section, key);
    return value != nullptr ? *value : defaultValue;
}

std::int32_t ConfigReader::ReadInt(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
    const std::string* value = Find(section, key);
    std::int32_t parsed = 0;
    if (value == nullptr || value->empty() || !ParseIntegerText(*value, parsed)) return defaultValue;
    return parsed;
}

bool ConfigReader::ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const {
    const std::string* value = Find(section, key);
    if (value == nullptr || value->empty()) return defaultValue;
    return value->front() == '1';
}
