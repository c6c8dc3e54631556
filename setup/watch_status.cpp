#include "setup/watch_status.h"

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "platform/windows.h"
#include "settings/config_reader.h"
#include "settings/full_path.h"
#include "settings/load_settings.h"
#include "settings/settings.h"

namespace {

// Folders compare as the system compares paths: without case (for A-Z; other
// letters as written) and without a separator at the end.
std::string FolderKey(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    for (char& c : folder) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folder;
}

std::string WatchSentence(const std::string& watched, bool here) {
    if (watched.empty()) return "No watch is running.";
    return "A watch is running on " + watched + (here ? " (this profile's folder)." : ".");
}

std::string MatchSentence(const std::string& profilePath, bool saved, bool here) {
    if (!saved) return "This profile is not saved yet: save it to watch its folder.";
    std::string programFile;
    const std::string refusal = ProfileRefusal(profilePath, programFile);
    if (!refusal.empty()) return "This profile is not matched: " + refusal;
    const std::string program = FileNameOf(programFile, AnsiLeadBytes());
    if (here) return program + " is matched: the watch applies this profile when it runs.";
    return program + " is not matched until this profile's folder is watched.";
}

}  // namespace

std::string WatchedFolder() {
    const platform::WindowHandle window = platform::FindWindowA(kWatchWindowClass);
    if (window == 0) return "";
    char text[4096];
    return std::string(text, static_cast<std::size_t>(platform::GetWindowTextA(window, text, sizeof text)));
}

std::string ProfileRefusal(const std::string& profilePath, std::string& programFile) {
    InitialiseSettings();
    Settings.ConfigFileName = profilePath;
    const ErrorBoxCapture capture;
    try {
        if (!LoadSettings()) return capture.Text();
    } catch (const Exception& failure) {
        return std::string(failure.ClassName()) + ": " + failure.Message();
    }
    programFile = Settings.ProgramFile;
    return "";
}

WatchStatus DescribeWatch(const std::string& profilePath, bool unsavedChanges) {
    WatchStatus status;
    // A new profile may have its file's name before the file exists.
    status.canWatch = !profilePath.empty() && FileExists(profilePath);
    const std::string watched = WatchedFolder();
    const bool here = !profilePath.empty() && !watched.empty() &&
                      FolderKey(watched) == FolderKey(FolderOf(profilePath, AnsiLeadBytes()));
    status.line = WatchSentence(watched, here) + "\r\n" + MatchSentence(profilePath, status.canWatch, here);
    if (status.canWatch && unsavedChanges) {
        status.line += "\r\nThe watch reads the profile as saved, not the changes made here since.";
    }
    return status;
}
