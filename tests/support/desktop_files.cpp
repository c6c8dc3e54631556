// The simulated desktop's file system: paths read as Windows reads them, files
// opened, read, written, moved, replaced and deleted, and their identity.
#include "tests/support/fake_desktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tests/support/desktop_records.h"

namespace fake {

namespace {

constexpr std::uint32_t kFileAttributeArchive = 0x20;
constexpr std::uint32_t kFileAttributeReadOnly = 0x1;

// A drive's serial number follows its letter; a share's, its name.
std::uint32_t VolumeSerialOf(const std::string& normalised) {
    if (normalised.size() >= 2 && normalised[1] == ':') return 0x5A000000u | static_cast<unsigned char>(normalised[0]);
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0, separators = 0; i < normalised.size() && separators < 3; ++i) {
        if (normalised[i] == '\\') ++separators;
        hash = (hash ^ static_cast<unsigned char>(normalised[i])) * 16777619u;
    }
    return hash;
}

// The last "\\" or "/", a two-byte character read whole.
std::size_t LastSeparator(const std::string& path, const Desktop& desktop) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (desktop.isLeadByte(path[i])) {
            ++i;
        } else if (path[i] == '\\' || path[i] == '/') {
            last = i;
        }
    }
    return last;
}

std::string ParentOf(const std::string& normalised, const Desktop& desktop) {
    auto slash = LastSeparator(normalised, desktop);
    if (slash == std::string::npos) return {};
    if (slash == 2 && normalised[1] == ':') return normalised.substr(0, 3);  // drive root
    return normalised.substr(0, slash);
}

}  // namespace

// ---- paths and the working directory ----

// As Windows reads a path: without case, "/" as "\\", a run of separators as one,
// "." and ".." resolved, trailing dots and blanks of the last name dropped, and a
// short name standing for its long one.
std::string Desktop::normalised(const std::string& path) const {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i + 1 < path.size() && isLeadByte(path[i])) {
            part += path.substr(i++, 2);  // a character of two bytes, taken whole
        } else if (i < path.size() && path[i] != '\\' && path[i] != '/') {
            const char c = path[i];
            part += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!parts.empty() && parts.back() != "." && parts.back() != "..") {
        std::string& last = parts.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    }
    std::string result = !path.empty() && (path[0] == '\\' || path[0] == '/') ? "\\" : "";
    for (const std::string& name : parts) {
        if (name == "." || name.empty()) continue;  // a last name of dots only
        if (name == "..") {
            // Up one, but never above the root ("c:\\" or "\\").
            const std::size_t slash = LastSeparator(result, *this);
            if (slash != std::string::npos && slash + 1 < result.size()) {
                result.erase(slash == 2 && result[1] == ':' ? 3 : std::max<std::size_t>(slash, 1));
            }
            continue;
        }
        if (!result.empty() && LastSeparator(result, *this) + 1 != result.size()) result += '\\';
        result += name;
        if (result.size() == 2 && result[1] == ':') result += '\\';
        auto alias = aliases_.find(result);
        if (alias != aliases_.end()) result = alias->second;
    }
    return result;
}

Desktop& Desktop::shortName(const std::string& path, const std::string& alias) {
    const std::string full = normalised(path);
    const std::string parent = ParentOf(full, *this);
    aliases_[parent + (parent.back() == '\\' ? "" : "\\") + normalised(alias)] = full;
    return *this;
}

// As GetFullPathNameW: relative to the working directory, "." and ".." resolved.
std::string Desktop::fullPath(const std::string& path) const {
    const bool absolute = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const std::string joined = absolute ? path : cwd_ + "\\" + path;
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= joined.size(); ++i) {
        if (i + 1 < joined.size() && isLeadByte(joined[i])) {
            part += joined.substr(i++, 2);
            continue;
        }
        if (i < joined.size() && joined[i] != '\\' && joined[i] != '/') {
            part += joined[i];
            continue;
        }
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (part != "." && !part.empty()) {
            parts.push_back(part);
        }
        part.clear();
    }
    std::string result = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) result += "\\" + parts[i];
    return parts.size() == 1 ? result + "\\" : result;
}

Desktop& Desktop::workingDirectory(std::string path) {
    cwd_ = std::move(path);
    return directory(cwd_);
}

bool Desktop::setCurrentDirectory(const std::string& path) {
    if (fileAttributes(path) != platform::kFileAttributeDirectory) return fail(kPathNotFound);
    cwd_ = path;
    return true;
}

Desktop& Desktop::exePath(std::string path) {
    exePath_ = std::move(path);
    file(exePath_, "MZ");
    return *this;
}

// ---- the files there are ----

// Its name as written and its place in the order files are made.
void Desktop::nameEntry(const std::string& path, FileEntry* entry) {
    const std::size_t slash = LastSeparator(path, *this);
    entry->name = slash == std::string::npos ? path : path.substr(slash + 1);
    entry->serial = ++nextFileSerial_;
}

Desktop& Desktop::directory(const std::string& path) {
    std::string key = normalised(path);
    std::string written = path;
    while (!key.empty() && files_.find(key) == files_.end()) {
        files_[key] = new FileEntry;
        files_[key]->isDirectory = true;
        nameEntry(written, files_[key]);
        const std::size_t slash = LastSeparator(written, *this);
        written = slash == std::string::npos ? "" : written.substr(0, slash);
        std::string parent = ParentOf(key, *this);
        if (parent == key) break;
        key = parent;
    }
    return *this;
}

Desktop& Desktop::file(const std::string& path, std::string content) {
    std::string key = normalised(path);
    // The folders made for it keep the case they are written in.
    const std::size_t slash = LastSeparator(path, *this);
    directory(slash == std::string::npos ? ParentOf(key, *this) : path.substr(0, slash));
    FileEntry*& entry = files_[key];
    const bool made = entry == nullptr;
    if (made) entry = new FileEntry;
    const std::uint64_t serial = entry->serial;
    *entry = FileEntry{};
    entry->content = std::move(content);
    entry->createdMs = clockMs_;
    nameEntry(path, entry);
    if (!made) entry->serial = serial;
    noteChange(key, made ? platform::kFileNotifyChangeFileName : platform::kFileNotifyChangeLastWrite);
    return *this;
}

Desktop& Desktop::fileHeldForWriting(const std::string& path, std::string content) {
    file(path, std::move(content));
    files_[normalised(path)]->heldForWriting = true;
    return *this;
}

Desktop& Desktop::removeFile(const std::string& path) {
    auto it = files_.find(normalised(path));
    if (it != files_.end()) {
        noteChange(it->first, platform::kFileNotifyChangeFileName);
        delete it->second;
        files_.erase(it);
    }
    return *this;
}

Desktop& Desktop::setFileAttributes(const std::string& path, std::uint32_t attributes) {
    files_.at(normalised(path))->attributes = attributes;
    return *this;
}

std::int64_t Desktop::fileCreatedAt(const std::string& path) const { return files_.at(normalised(path))->createdMs; }

Desktop& Desktop::diskFull() {
    diskFull_ = true;
    return *this;
}

Desktop& Desktop::replaceFileUnsupported() {
    replaceUnsupported_ = true;
    return *this;
}

std::string Desktop::fileContent(const std::string& path) const {
    auto it = files_.find(normalised(path));
    if (it == files_.end()) throw std::logic_error("no such file: " + path);
    return it->second->content;
}

std::uint32_t Desktop::fileAttributes(const std::string& path) const {
    auto it = files_.find(normalised(path));
    if (it == files_.end()) return platform::kInvalidFileAttributes;
    return it->second->isDirectory ? platform::kFileAttributeDirectory : it->second->attributes;
}

// ---- opening, reading and writing ----

std::uint32_t Desktop::openFile(const std::string& path, std::uint32_t access, std::uint32_t share,
                                std::uint32_t disposition, std::uint32_t flags) {
    fileOpens_.push_back({path, access, share, disposition, flags});
    if ((access & platform::kGenericWrite) != 0) return createForWriting(path, disposition);
    const std::string key = normalised(path);
    auto it = files_.find(key);
    if (it == files_.end() && disposition == platform::kOpenAlways) {
        auto parent = files_.find(ParentOf(key, *this));
        if (parent == files_.end() || !parent->second->isDirectory) {
            lastError_ = 3;  // ERROR_PATH_NOT_FOUND
            return platform::kInvalidHandle;
        }
        it = files_.emplace(key, new FileEntry).first;
        nameEntry(path, it->second);
        noteChange(key, platform::kFileNotifyChangeFileName);
    }
    if (it == files_.end()) {
        lastError_ = 2;  // ERROR_FILE_NOT_FOUND
        return platform::kInvalidHandle;
    }
    if (it->second->isDirectory) {
        lastError_ = 5;  // ERROR_ACCESS_DENIED
        return platform::kInvalidHandle;
    }
    // Someone holds it open for writing: only a share mode that allows writers gets in.
    if (it->second->heldForWriting && (share & platform::kFileShareWrite) == 0) {
        lastError_ = 32;  // ERROR_SHARING_VIOLATION
        return platform::kInvalidHandle;
    }
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    FileEntry* appendsTo = (access & platform::kFileAppendData) != 0 ? it->second : nullptr;
    openFiles_[handle] = new OpenFile{it->second->content, 0, appendsTo, identityOf(key, it->second)};
    openHandles_[handle] = "file " + path;
    return handle;
}

std::uint32_t Desktop::createForWriting(const std::string& path, std::uint32_t disposition) {
    const std::string key = normalised(path);
    auto parent = files_.find(ParentOf(key, *this));
    if (parent == files_.end() || !parent->second->isDirectory) {
        fail(kPathNotFound);
        return platform::kInvalidHandle;
    }
    FileEntry*& entry = files_[key];
    if (entry == nullptr) {
        entry = new FileEntry;
        entry->createdMs = clockMs_;
        nameEntry(path, entry);
        noteChange(key, platform::kFileNotifyChangeFileName);
    }
    if (entry->isDirectory || entry->heldForWriting || disposition != platform::kCreateAlways) {
        fail(kSharingViolation);
        return platform::kInvalidHandle;
    }
    entry->content.clear();
    entry->attributes = kFileAttributeArchive;  // CREATE_ALWAYS clears the old ones
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    openFiles_[handle] = new OpenFile{{}, 0, entry, identityOf(key, entry)};
    openHandles_[handle] = "file " + path;
    return handle;
}

bool Desktop::readFile(std::uint32_t handle, void* buffer, std::uint32_t size, std::uint32_t& read) {
    auto it = openFiles_.find(handle);
    read = 0;
    if (it == openFiles_.end()) return false;
    OpenFile& file = *it->second;
    std::size_t n = std::min<std::size_t>(size, file.content.size() - file.position);
    std::memcpy(buffer, file.content.data() + file.position, n);
    file.position += n;
    read = static_cast<std::uint32_t>(n);
    return true;
}

bool Desktop::writeFile(std::uint32_t handle, const void* buffer, std::uint32_t size, std::uint32_t& written) {
    written = 0;
    auto it = openFiles_.find(handle);
    if (it == openFiles_.end() || it->second->writesTo == nullptr) return fail(kInvalidHandle);
    if (diskFull_) return fail(kDiskFull);
    it->second->writesTo->content.append(static_cast<const char*>(buffer), size);
    for (const auto& entry : files_) {
        if (entry.second == it->second->writesTo) noteChange(entry.first, platform::kFileNotifyChangeLastWrite);
    }
    written = size;
    return true;
}

// ---- file identity ----

// A file keeps its index for as long as it exists, renamed or not: its entry's address.
platform::FileIdentity Desktop::identityOf(const std::string& normalised, const FileEntry* entry) const {
    return {VolumeSerialOf(normalised), reinterpret_cast<std::uintptr_t>(entry)};
}

bool Desktop::fileIdentity(std::uint32_t handle, platform::FileIdentity& identity) {
    auto it = openFiles_.find(handle);
    if (it == openFiles_.end()) return fail(6);  // ERROR_INVALID_HANDLE
    identity = it->second->identity;
    return true;
}

// ---- moving, replacing and deleting ----

bool Desktop::moveFile(const std::string& from, const std::string& to, std::uint32_t flags) {
    auto source = files_.find(normalised(from));
    if (source == files_.end() || source->second->isDirectory) return fail(kFileNotFound);
    const std::string key = normalised(to);
    if (files_.find(ParentOf(key, *this)) == files_.end()) return fail(kPathNotFound);
    auto target = files_.find(key);
    if (target != files_.end()) {
        if ((flags & platform::kMoveFileReplaceExisting) == 0) return fail(kAlreadyExists);
        if (target->second->isDirectory) return fail(kAccessDenied);
        if (target->second->heldForWriting) return fail(kSharingViolation);
        delete target->second;
        files_.erase(target);
    }
    FileEntry* entry = source->second;
    noteChange(source->first, platform::kFileNotifyChangeFileName);
    files_.erase(source);
    files_[key] = entry;
    nameEntry(to, entry);
    noteChange(key, platform::kFileNotifyChangeFileName);
    return true;
}

bool Desktop::replaceFile(const std::string& replaced, const std::string& replacement, std::uint32_t) {
    auto source = files_.find(normalised(replacement));
    auto target = files_.find(normalised(replaced));
    if (source == files_.end() || target == files_.end()) return fail(kFileNotFound);
    if (replaceUnsupported_) return fail(kNotSupported);
    if (target->second->isDirectory || (target->second->attributes & kFileAttributeReadOnly) != 0) {
        return fail(kAccessDenied);
    }
    if (target->second->heldForWriting) return fail(kSharingViolation);
    target->second->content = source->second->content;
    noteChange(source->first, platform::kFileNotifyChangeFileName);
    noteChange(target->first, platform::kFileNotifyChangeLastWrite);
    delete source->second;
    files_.erase(source);
    return true;
}

bool Desktop::deleteFile(const std::string& path) {
    auto it = files_.find(normalised(path));
    if (it == files_.end() || it->second->isDirectory) return fail(kFileNotFound);
    if (it->second->heldForWriting) return fail(kSharingViolation);
    noteChange(it->first, platform::kFileNotifyChangeFileName);
    delete it->second;
    files_.erase(it);
    return true;
}

// ---- folders and their changes ----

// As GetLongPathNameW: each part of the full path by the name it was made with.
std::string Desktop::longPath(const std::string& path) {
    const std::string full = fullPath(path);
    if (files_.count(normalised(full)) == 0) {
        fail(kFileNotFound);
        return {};
    }
    std::string result, prefix;
    for (std::size_t start = 0; start < full.size();) {
        std::size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        const std::string part = full.substr(start, end - start);
        prefix += (prefix.empty() ? "" : "\\") + part;
        const auto entry = files_.find(normalised(prefix));
        const bool named = start > 0 && entry != files_.end() && !entry->second->name.empty();
        result += (result.empty() ? "" : "\\") + (named ? entry->second->name : part);
        start = end + 1;
    }
    return full.back() == '\\' ? result + "\\" : result;
}

bool Desktop::findFiles(const std::string& folder, const std::string& pattern, std::vector<std::string>& names) {
    names.clear();
    const std::string key = normalised(folder);
    const auto directory = files_.find(key);
    if (directory == files_.end() || !directory->second->isDirectory) return fail(kPathNotFound);
    const std::string suffix = normalised(pattern.substr(1));
    std::vector<const FileEntry*> found;
    for (const auto& entry : files_) {
        const std::string& name = entry.first;
        if (entry.second->isDirectory || ParentOf(name, *this) != key || name.size() < suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        found.push_back(entry.second);
    }
    std::sort(found.begin(), found.end(), [](const FileEntry* a, const FileEntry* b) { return a->serial < b->serial; });
    for (const FileEntry* entry : found) names.push_back(entry->name);
    return true;
}

std::uint32_t Desktop::watchFolder(const std::string& folder, std::uint32_t filter) {
    if (fileAttributes(folder) != platform::kFileAttributeDirectory) {
        fail(kPathNotFound);
        return platform::kInvalidHandle;
    }
    const std::uint32_t handle = newHandle("change notification");
    changeWatches_[handle] = {normalised(folder), filter};
    return handle;
}

bool Desktop::nextChange(std::uint32_t handle) {
    auto watch = changeWatches_.find(handle);
    if (watch == changeWatches_.end()) return fail(kInvalidHandle);
    watch->second.signalled = false;
    return true;
}

bool Desktop::closeChange(std::uint32_t handle) {
    if (changeWatches_.erase(handle) == 0) return fail(kInvalidHandle);
    openHandles_.erase(handle);
    return true;
}

void Desktop::noteChange(const std::string& normalised, std::uint32_t kind) {
    for (auto& watch : changeWatches_) {
        if ((watch.second.filter & kind) != 0 && ParentOf(normalised, *this) == watch.second.folder) {
            watch.second.signalled = true;
        }
    }
}

}  // namespace fake
