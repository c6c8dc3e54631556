#include "setup/profile.h"

#include <algorithm>
#include <iterator>

#include "diagnostics/exceptions.h"
#include "diagnostics/system_error.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "settings/config_reader.h"

namespace {

const char* const kNewProfile = "; Framewright profile\r\n\r\n[program]\r\n\r\n[windowresize]\r\n\r\n[tweaks]\r\n";

std::string Trimmed(const std::string& text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Closes the handle on every road out.
struct ClosingHandle {
    platform::KernelHandle handle;
    ~ClosingHandle() {
        if (handle != platform::kInvalidHandle) platform::CloseHandle(handle);
    }
};

bool WriteAll(platform::KernelHandle file, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        std::uint32_t written = 0;
        const std::uint32_t chunk = static_cast<std::uint32_t>(std::min<std::size_t>(text.size() - done, 1 << 20));
        if (!platform::WriteFile(file, text.data() + done, chunk, written) || written == 0) return false;
        done += written;
    }
    return platform::FlushFileBuffers(file);
}

// A file system that refuses ReplaceFileW as such, rather than this file.
bool IsRefusal(std::uint32_t error) {
    return error == platform::kErrorNotSupported || error == platform::kErrorInvalidFunction;
}

// ReplaceFileW keeps the file's attributes, security and creation time. A file
// that does not exist yet, or one on a file system that refuses the call, is
// renamed into place and gets the new file's.
bool PutInPlace(const std::string& temporary, const std::string& path) {
    if (FileExists(path)) {
        if (platform::ReplaceFileW(path, temporary, platform::kReplaceFileIgnoreMergeErrors)) return true;
        if (!IsRefusal(platform::GetLastError())) return false;
    }
    return platform::MoveFileExW(temporary, path, platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
}

// The whole text, or nothing: a failure removes the temporary file and says why.
bool ReplaceFile(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".saving";
    bool written = false;
    {
        ClosingHandle file{platform::CreateFileW(temporary, platform::kGenericWrite, 0, platform::kCreateAlways,
                                                 platform::kFileAttributeNormal)};
        if (file.handle == platform::kInvalidHandle) {
            error = "Cannot save " + path + ": cannot create " + temporary + ": " + LastErrorText();
        } else if (!(written = WriteAll(file.handle, text))) {
            error = "Cannot save " + path + ": " + LastErrorText();
        }
    }
    if (written && PutInPlace(temporary, path)) return true;
    if (written) error = "Cannot save " + path + ": " + LastErrorText();
    platform::DeleteFileW(temporary);
    if (FileExists(path)) error += "\r\nThe file was left as it was.";
    return false;
}

// UTF-16 text starts with its byte-order mark or, without one, has a zero byte
// beside most characters: zeros in most of one byte position, text in most of the
// other. A stray zero byte, or a run of them, is a blank to the launcher.
bool IsUtf16(const std::string& content) {
    if (content.rfind("\xFF\xFE", 0) == 0 || content.rfind("\xFE\xFF", 0) == 0) return true;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < content.size(); ++i) zeros[i % 2] += content[i] == '\0' ? 1 : 0;
    const std::size_t bytes[2] = {(content.size() + 1) / 2, content.size() / 2};
    const auto zerosBesideText = [&](int zero) {
        const int text = 1 - zero;
        return zeros[zero] * 2 > bytes[zero] && (bytes[text] - zeros[text]) * 2 > bytes[text];
    };
    return content.size() >= 2 && (zerosBesideText(0) || zerosBesideText(1));
}

bool ReadProfile(const std::string& path, std::string& content, std::string& error) {
    if (!FileExists(path)) {
        error = "Cannot find the profile " + path;
        return false;
    }
    try {
        content = ReadFileContent(path);
    } catch (const Exception& failure) {
        error = failure.Message();
        return false;
    }
    if (IsUtf16(content)) {
        error = "The profile " + path + " is UTF-16 text, which the launcher cannot read. Save it as ANSI text "
                "first.";
        return false;
    }
    return true;
}

// The file's identity, read through a handle opened for nothing but that.
bool IdentityOf(const std::string& path, platform::FileIdentity& identity) {
    ClosingHandle file{platform::CreateFileW(
        path, platform::kFileReadAttributes,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete, platform::kOpenExisting, 0)};
    return file.handle != platform::kInvalidHandle && platform::GetFileInformationByHandle(file.handle, identity);
}

// Two names of one file (another case, a short 8.3 name) are told by the file's
// identity; a name without a file, by its letters in any case.
bool SameFile(const std::string& a, const std::string& b) {
    platform::FileIdentity first, second;
    if (IdentityOf(a, first) && IdentityOf(b, second)) {
        return first.volumeSerial == second.volumeSerial && first.fileIndex == second.fileIndex;
    }
    return NamesEqual(a, b);
}

// The launcher reads these keywords in any case of letters, so "Defined" chosen as
// "defined" is no change to it, and its line stays as written.
bool ReadsTheSame(const std::string& section, const std::string& key, const std::string& a, const std::string& b) {
    static const char* const kKeywordKeys[] = {"windowfindmethod", "movewindow", "scalingmethod", "display"};
    const bool keyword = NamesEqual(section, "windowresize") &&
                         std::any_of(std::begin(kKeywordKeys), std::end(kKeywordKeys),
                                     [&](const char* name) { return NamesEqual(key, name); });
    return keyword ? NamesEqual(a, b) : a == b;
}

// The key's value in the document; an absent key reads as empty, as to the launcher.
std::string ValueIn(const IniDocument& document, const std::string& section, const std::string& key) {
    std::string value;
    document.Find(section, key, value);
    return value;
}

}  // namespace

void Profile::New(const std::string& path) {
    path_ = path;
    opened_ = kNewProfile;
    onDisk_ = false;
    pending_.clear();
    Rebuild();
}

bool Profile::Open(const std::string& path, std::string& error) {
    std::string content;
    if (!ReadProfile(path, content, error)) return false;
    path_ = path;
    opened_ = content;
    onDisk_ = true;
    pending_.clear();
    Rebuild();
    return true;
}

platform::SaveOutcome Profile::Save(std::string& error) {
    if (path_.empty()) {
        error = "The profile has no file name yet.";
        return platform::SaveOutcome::Failed;
    }
    if (onDisk_ && !IsDirty()) return platform::SaveOutcome::Done;
    std::string now;
    const bool exists = FileExists(path_);
    try {
        if (exists) now = ReadFileContent(path_, true);
    } catch (const Exception& failure) {
        error = "Cannot save " + path_ + ": cannot read it to see whether another program changed it: " +
                failure.Message();
        return platform::SaveOutcome::Failed;
    }
    if (exists != onDisk_ || (exists && now != opened_)) return platform::SaveOutcome::ChangedElsewhere;
    return Overwrite(error);
}

platform::SaveOutcome Profile::Overwrite(std::string& error) { return Written(path_, error); }

platform::SaveOutcome Profile::SaveAs(const std::string& path, std::string& error) {
    return SameFile(path, path_) ? Save(error) : Written(path, error);
}

platform::SaveOutcome Profile::Written(const std::string& path, std::string& error) {
    if (!ReplaceFile(path, document_.Text(), error)) return platform::SaveOutcome::Failed;
    path_ = path;
    opened_ = document_.Text();
    onDisk_ = true;
    pending_.clear();
    return platform::SaveOutcome::Done;
}

bool Profile::Reload(std::string& error) {
    std::string content;
    if (!ReadProfile(path_, content, error)) return false;
    const IniDocument was(opened_);
    std::vector<Pending> kept;
    for (const Pending& edit : pending_) {
        if (!ReadsTheSame(edit.section, edit.key, edit.value, ValueIn(was, edit.section, edit.key))) {
            kept.push_back(edit);
        }
    }
    opened_ = content;
    onDisk_ = true;
    pending_ = kept;
    Rebuild();
    return true;
}

void Profile::Rebuild() {
    const IniDocument opened(opened_);
    document_ = opened;
    for (const Pending& edit : pending_) {
        if (!ReadsTheSame(edit.section, edit.key, edit.value, ValueIn(opened, edit.section, edit.key))) {
            document_.Set(edit.section, edit.key, edit.value);
        }
    }
}

std::string Profile::Value(const std::string& section, const std::string& key) const {
    return ValueIn(document_, section, key);
}

bool Profile::Flag(const std::string& section, const std::string& key, bool launcherDefault) const {
    return ConfigReader::FromContent(document_.Text()).ReadFlag(section, key, launcherDefault);
}

bool Profile::SetValue(const std::string& section, const std::string& key, const std::string& value) {
    const std::string trimmed = Trimmed(value);
    // Refused values never reach the pending ones, so every rebuild can write them.
    if (!IniDocument(document_).Set(section, key, trimmed)) return false;
    auto same = [&](const Pending& edit) { return NamesEqual(edit.section, section) && NamesEqual(edit.key, key); };
    auto edit = std::find_if(pending_.begin(), pending_.end(), same);
    if (edit == pending_.end()) pending_.push_back({section, key, trimmed});
    else edit->value = trimmed;
    Rebuild();
    return true;
}

void Profile::SetFlag(const std::string& section, const std::string& key, bool value, bool launcherDefault) {
    const bool asOpened = ConfigReader::FromContent(opened_).ReadFlag(section, key, launcherDefault) == value;
    SetValue(section, key, asOpened ? ValueIn(IniDocument(opened_), section, key) : value ? "1" : "0");
}
