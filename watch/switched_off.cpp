#include "watch/switched_off.h"

#include <algorithm>

#include "diagnostics/exceptions.h"
#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/text.h"
#include "settings/config_reader.h"
#include "watch/paths.h"

namespace {

constexpr const char* kHeading = "; Profiles switched off in the watch's menu, one file name a line.";

std::string FilePath() { return InFolder(Watch.folder, kSwitchedOffFileName); }

// File names compare as the system compares them.
auto Named(const std::string& name) {
    return [&name](const std::string& off) { return platform::CompareStringOrdinal(off, name) == 0; };
}

bool Listed(const std::string& name) {
    return std::any_of(Watch.switchedOff.begin(), Watch.switchedOff.end(), Named(name));
}

// Written beside the old file and moved over it, so a failed write loses nothing.
bool WriteFile(const std::string& path, const std::string& content, std::string& failure) {
    const std::string written = path + ".new";
    const platform::KernelHandle file =
        platform::CreateFileW(written, platform::kGenericWrite, 0, platform::kCreateAlways, platform::kFileAttributeNormal);
    if (file == platform::kInvalidHandle) {
        failure = LastErrorText();
        return false;
    }
    std::uint32_t count = 0;
    bool ok = platform::WriteFile(file, content.data(), static_cast<std::uint32_t>(content.size()), count) &&
              count == content.size();
    platform::CloseHandle(file);
    ok = ok && platform::MoveFileExW(written, path, platform::kMoveFileReplaceExisting);
    if (ok) return true;
    failure = LastErrorText();
    platform::DeleteFileW(written);
    return false;
}

}  // namespace

void ReadSwitchedOff() {
    Watch.switchedOff.clear();
    std::string content;
    try {
        content = ReadFileContent(FilePath(), true);
    } catch (const EFOpenError&) {
        return;  // none: every profile is on
    }
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != ';') Watch.switchedOff.push_back(line);
        start = end + 1;
    }
}

void ApplySwitchedOff(std::vector<WatchedProfile>& profiles) {
    for (WatchedProfile& profile : profiles) profile.active = !Listed(profile.profileFile);
}

bool SwitchProfile(WatchedProfile& profile, bool active) {
    profile.active = active;
    std::vector<std::string>& off = Watch.switchedOff;
    off.erase(std::remove_if(off.begin(), off.end(), Named(profile.profileFile)), off.end());
    if (!active) off.push_back(profile.profileFile);
    Trace("Profile " + profile.profileFile + (active ? " switched on" : " switched off"));
    std::string content = std::string(kHeading) + "\r\n";
    for (const std::string& name : off) content += name + "\r\n";
    std::string failure;
    if (WriteFile(FilePath(), content, failure)) return true;
    Trace("Cannot keep the profiles switched off in " + FilePath() + ": " + failure);
    return false;
}
