#include "watch/folder.h"

#include "diagnostics/log_file.h"
#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "platform/windows.h"
#include "settings/command_line.h"
#include "settings/full_path.h"
#include "watch/paths.h"
#include "watch/profiles.h"
#include "watch/switched_off.h"
#include "watch/watch_state.h"

std::string WatchFolderPath(const std::string& written) {
    std::string path = ComparablePath(written.empty() ? platform::GetCurrentDirectoryW() : written);
    const bool driveRoot = path.size() == 3 && path[1] == ':';
    // A double-byte character's second byte may be a backslash: only a separator ends it.
    if (!driveRoot && path.size() > 1 && FileNameOf(path, AnsiLeadBytes()).empty()) path.pop_back();
    return path;
}

bool IsFolder(const std::string& path) {
    const std::uint32_t attributes = platform::GetFileAttributesW(path);
    return attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeDirectory) != 0;
}

void StartWatchLog(const std::string& folder) {
    const std::string path = InFolder(folder, kWatchLogName);
    std::string failure;
    if (!StartWatchLogFile(path, folder, failure)) Trace("Cannot open the log file " + path + ": " + failure);
}

platform::KernelHandle WatchFolderChanges(const std::string& folder) {
    const platform::KernelHandle change = platform::FindFirstChangeNotificationW(
        folder, platform::kFileNotifyChangeFileName | platform::kFileNotifyChangeLastWrite);
    if (change == platform::kInvalidHandle) {
        Trace("Cannot follow the changes of " + folder + " (" + LastErrorText() + "): its profiles are read once");
    }
    return change;
}

void SwitchFolder(const std::string& written) {
    const std::string folder = WatchFolderPath(written);
    if (!IsFolder(folder)) {
        Trace("Asked to watch " + folder + ", which is no folder: watching " + Watch.folder + " still");
        return;
    }
    if (SamePath(folder, Watch.folder)) {
        Trace("Asked to watch " + folder + " again: its profiles are read again");
        ReadProfiles();
        return;
    }
    Trace("Watching " + folder + " from now on");
    if (Watch.change != platform::kInvalidHandle) platform::FindCloseChangeNotification(Watch.change);
    CloseLogFile();
    EnableLogFile();
    StartWatchLog(folder);
    Trace("Watching " + folder + ", before it " + Watch.folder);
    Watch.folder = folder;
    Watch.change = WatchFolderChanges(folder);
    ReadSwitchedOff();
    ReadProfiles();
    if (!AnyUsableProfile(Watch.profiles)) Trace("No profile of " + folder + " can be watched yet");
    if (Watch.window != 0) platform::SetWindowTextA(Watch.window, folder);
}
