#include "setup/profile.h"

#include <algorithm>

#include "diagnostics/exceptions.h"
#include "diagnostics/system_error.h"
#include "platform/platform.h"
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
    if (written && platform::MoveFileExW(temporary, path,
                                         platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough)) {
        return true;
    }
    if (written) error = "Cannot save " + path + ": " + LastErrorText();
    platform::DeleteFileW(temporary);
    if (FileExists(path)) error += "\r\nThe file was left as it was.";
    return false;
}

}  // namespace

void Profile::New(const std::string& path) {
    path_ = path;
    document_ = IniDocument(kNewProfile);
    saved_ = kNewProfile;
}

bool Profile::Open(const std::string& path, std::string& error) {
    if (!FileExists(path)) {
        error = "Cannot find the profile " + path;
        return false;
    }
    std::string content;
    try {
        content = ReadFileContent(path);
    } catch (const Exception& failure) {
        error = failure.Message();
        return false;
    }
    // UTF-16 has a zero byte beside every ASCII character; the launcher reads 8-bit
    // text only, and an edit would mix the two.
    if (content.find('\0') != std::string::npos) {
        error = "The profile " + path + " is not 8-bit text (it holds zero bytes, as UTF-16 files do), so the "
                "launcher cannot read it. Save it as ANSI text first.";
        return false;
    }
    path_ = path;
    document_ = IniDocument(content);
    saved_ = content;
    return true;
}

bool Profile::Save(std::string& error) {
    if (path_.empty()) {
        error = "The profile has no file name yet.";
        return false;
    }
    return SaveAs(path_, error);
}

bool Profile::SaveAs(const std::string& path, std::string& error) {
    if (!ReplaceFile(path, document_.Text(), error)) return false;
    path_ = path;
    saved_ = document_.Text();
    return true;
}

std::string Profile::Value(const std::string& section, const std::string& key) const {
    std::string value;
    return document_.Find(section, key, value) ? value : std::string();
}

bool Profile::Flag(const std::string& section, const std::string& key, bool launcherDefault) const {
    return ConfigReader::FromContent(document_.Text()).ReadFlag(section, key, launcherDefault);
}

bool Profile::SetValue(const std::string& section, const std::string& key, const std::string& value) {
    const std::string trimmed = Trimmed(value);
    if (trimmed.empty()) {
        document_.Remove(section, key);
        return true;
    }
    std::string current;
    if (document_.Find(section, key, current) && current == trimmed) return true;
    return document_.Set(section, key, trimmed);
}
