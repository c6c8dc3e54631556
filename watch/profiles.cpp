#include "watch/profiles.h"

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/config_reader.h"
#include "settings/full_path.h"
#include "settings/load_settings.h"
#include "settings/settings.h"
#include "watch/notices.h"
#include "watch/paths.h"
#include "watch/switched_off.h"

namespace {

// The launcher's loading works on the global settings, which the watch itself never
// reads, and on the working directory, which is the watch's again when the loading
// is over, whatever way it ends.
class LoadingInFolder {
public:
    explicit LoadingInFolder(const std::string& folder) : workingDirectory_(platform::GetCurrentDirectoryW()) {
        platform::SetCurrentDirectoryW(folder);
    }
    ~LoadingInFolder() { platform::SetCurrentDirectoryW(workingDirectory_); }
    LoadingInFolder(const LoadingInFolder&) = delete;
    LoadingInFolder& operator=(const LoadingInFolder&) = delete;

private:
    std::string workingDirectory_;
};

// Relative paths in a profile are taken against its folder, as when the launcher
// is started there.
void Load(const std::string& folder, const std::string& content, WatchedProfile& profile) {
    const LoadingInFolder loading(folder);
    InitialiseSettings();
    Settings.ConfigFileName = profile.profilePath;
    Settings.Attaching = true;
    const ErrorBoxCapture capture;
    if (!LoadSettingsFromContent(content)) {
        profile.loadRefusal = capture.Text();
        return;
    }
    if (Settings.ProgramName.empty()) return;
    profile.programPath = ComparablePath(Settings.ProgramFile);
    profile.programFile = FileNameOf(profile.programPath, AnsiLeadBytes());
}

WatchedProfile ReadProfile(const std::string& folder, const std::string& name, const WatchedProfile* before) {
    WatchedProfile profile;
    profile.profilePath = InFolder(folder, name);
    profile.profileFile = name;
    try {
        profile.content = ReadFileContent(profile.profilePath, true);
    } catch (const EFOpenError& failure) {
        profile.loadRefusal = failure.Message();
        return profile;
    }
    // An empty file is loaded again: so was one that could not be read.
    if (before != nullptr && !profile.content.empty() && before->content == profile.content) {
        return *before;
    }
    Load(folder, profile.content, profile);
    return profile;
}

const WatchedProfile* Find(const std::vector<WatchedProfile>& profiles, const std::string& path) {
    for (const WatchedProfile& profile : profiles) {
        if (SamePath(profile.profilePath, path)) return &profile;
    }
    return nullptr;
}

void Tell(const WatchedProfile& profile, const WatchedProfile* before) {
    const std::string& name = profile.profileFile;
    if (before != nullptr && before->refusal == profile.refusal && before->programPath == profile.programPath &&
        before->content == profile.content) {
        return;
    }
    if (!profile.loadRefusal.empty()) {
        if (before == nullptr || before->loadRefusal != profile.loadRefusal) {
            TellUser("Profile " + name + " refused: " + profile.loadRefusal);
        }
    } else if (profile.programPath.empty()) {
        Trace("Profile " + name + " names no program ([program] name): not watched");
    } else if (!profile.refusal.empty()) {
        Trace("Profile " + name + ": " + profile.refusal);
    } else {
        Trace("Profile " + name + " watches " + profile.programPath);
    }
}

}  // namespace

std::vector<WatchedProfile> ReadFolderProfiles(const std::string& folder, const std::vector<WatchedProfile>& before,
                                               bool& listed) {
    std::vector<std::string> names;
    listed = platform::FindFilesW(folder, "*.ini", names);
    if (!listed) {
        Trace("Cannot read the folder " + folder + ": " + LastErrorText());
        return {};
    }
    // By name, case ignored; a handful of files, so each goes into its place.
    std::vector<std::string> sorted;
    for (std::string& name : names) {
        // The system's pattern matches short names too: "a.ini~" is no profile.
        if (!IsProfileArgument(name)) continue;
        std::size_t at = sorted.size();
        while (at > 0 && platform::CompareStringOrdinal(sorted[at - 1], name) > 0) --at;
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(at), std::move(name));
    }
    std::vector<WatchedProfile> profiles;
    for (const std::string& name : sorted) {
        const std::string path = InFolder(folder, name);
        profiles.push_back(ReadProfile(folder, name, Find(before, path)));
    }
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        WatchedProfile& profile = profiles[i];
        profile.refusal = profile.loadRefusal;
        if (profile.refusal.empty() && profile.programPath.empty()) profile.refusal = "It names no program.";
        for (std::size_t first = 0; first < i && profile.refusal.empty(); ++first) {
            if (profiles[first].refusal.empty() && SamePath(profiles[first].programPath, profile.programPath)) {
                profile.refusal = "its program " + profile.programPath + " is watched through " +
                                  profiles[first].profileFile + ", first by name";
            }
        }
        Tell(profile, Find(before, profile.profilePath));
    }
    return profiles;
}

bool AnyUsableProfile(const std::vector<WatchedProfile>& profiles) {
    for (const WatchedProfile& profile : profiles) {
        if (profile.refusal.empty()) return true;
    }
    return false;
}

bool ReadProfiles() {
    bool listed = false;
    std::vector<WatchedProfile> profiles = ReadFolderProfiles(Watch.folder, Watch.profiles, listed);
    if (!listed) return false;
    ApplySwitchedOff(profiles);
    bool changed = profiles.size() != Watch.profiles.size();
    for (const WatchedProfile& old : Watch.profiles) {
        const WatchedProfile* now = Find(profiles, old.profilePath);
        if (now == nullptr) Trace("Profile " + old.profileFile + " is gone");
        const bool same = now != nullptr && now->content == old.content && now->refusal == old.refusal &&
                          now->programPath == old.programPath;
        changed = changed || !same;
        if (!same || !now->refusal.empty()) EndSupervisionsOf(old.profilePath);
    }
    Watch.profiles = std::move(profiles);
    if (changed) {
        for (SeenProcess& process : Watch.processes) process.decided = false;
    }
    return changed;
}
