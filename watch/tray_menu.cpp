#include "watch/tray_menu.h"

#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "watch/folder.h"
#include "watch/paths.h"
#include "watch/start_with_windows.h"
#include "watch/supervisions.h"
#include "watch/switched_off.h"
#include "watch/watch_state.h"

namespace {

// The profiles as the menu showed them: the folder may be handed over, and its
// profiles read again, while the menu is open.
std::vector<std::string> MenuProfiles;

std::string MenuText(const std::string& ansi) {
    std::string text;
    for (char c : platform::AnsiToUtf8(ansi)) text += c == '&' ? "&&" : std::string(1, c);
    return text;
}

bool Running(const WatchedProfile& profile) {
    for (const Supervision& supervision : Watch.supervisions) {
        if (!supervision.stopRequested && SamePath(supervision.profilePath, profile.profilePath)) return true;
    }
    return false;
}

void Open(const std::string& path) {
    if (!platform::ShellExecuteExW("open", path, "", Watch.folder)) Trace("Cannot open " + path + ": " + LastErrorText());
}

bool StartsWithWindows() {
    return ReadStartWithWindows(platform::GetModuleFileNameW(), Watch.folder) == StartWithWindows::ThisWatch;
}

void SwitchOnOrOff(const std::string& profilePath) {
    WatchedProfile* profile = FindProfile(profilePath);
    if (profile == nullptr) return;
    SwitchProfile(*profile, !profile->active);
    if (!profile->active) EndSupervisionsOf(profile->profilePath);
    for (SeenProcess& process : Watch.processes) process.decided = false;
}

void PauseOrResume() {
    Watch.paused = !Watch.paused;
    if (Watch.paused) {
        Trace("Paused: every window is given back");
        EndEverySupervision();
    } else {
        Trace("Resumed");
        for (SeenProcess& process : Watch.processes) process.decided = false;
    }
}

}  // namespace

std::vector<platform::MenuItem> TrayMenuItems() {
    std::vector<platform::MenuItem> items;
    MenuProfiles.clear();
    for (const WatchedProfile& profile : Watch.profiles) {
        if (!profile.refusal.empty()) continue;
        std::string text = MenuText(profile.programFile) + " (" + MenuText(profile.profileFile) + ")";
        if (Running(profile)) text += "\trunning";
        items.push_back({kMenuFirstProfile + static_cast<std::uint32_t>(MenuProfiles.size()), text, profile.active});
        MenuProfiles.push_back(profile.profilePath);
    }
    if (!items.empty()) items.push_back({});
    items.push_back({kMenuPause, Watch.paused ? "&Resume all" : "&Pause all", false});
    items.push_back({});
    items.push_back({kMenuOpenFolder, "Open the profiles &folder", false});
    items.push_back({kMenuOpenLog, "Open the &log", false});
    items.push_back({});
    items.push_back({kMenuStartWithWindows, "Start with &Windows", StartsWithWindows()});
    items.push_back({});
    items.push_back({kMenuQuit, "&Quit", false});
    return items;
}

void ChooseTrayMenuItem(std::uint32_t command) {
    switch (command) {
    case 0:
        return;
    case kMenuPause:
        PauseOrResume();
        return;
    case kMenuOpenFolder:
        Open(Watch.folder);
        return;
    case kMenuOpenLog:
        Open(InFolder(Watch.folder, kWatchLogName));
        return;
    case kMenuStartWithWindows: {
        const bool on = !StartsWithWindows();
        if (ChooseStartWithWindows(on, platform::GetModuleFileNameW(), Watch.folder)) {
            Trace(on ? "Starts with Windows from now on" : "No longer starts with Windows");
        } else {
            Trace("Cannot change the start with Windows: " + LastErrorText());
        }
        return;
    }
    case kMenuQuit:
        Trace("Quit chosen");
        Watch.ending = true;
        return;
    default:
        if (command >= kMenuFirstProfile && command - kMenuFirstProfile < MenuProfiles.size()) {
            SwitchOnOrOff(MenuProfiles[command - kMenuFirstProfile]);
        }
    }
}

std::string TrayTip() {
    if (Watch.paused) return "Framewright: paused";
    int watched = 0, running = 0;
    for (const WatchedProfile& profile : Watch.profiles) watched += profile.refusal.empty() && profile.active;
    for (const Supervision& supervision : Watch.supervisions) running += !supervision.stopRequested;
    std::string tip = "Framewright: watching " + std::to_string(watched) + (watched == 1 ? " program" : " programs");
    // U+2014, the em dash, in UTF-8.
    if (running > 0) tip += " \xE2\x80\x94 " + std::to_string(running) + " running";
    return tip;
}
