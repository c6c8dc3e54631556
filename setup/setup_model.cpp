#include "setup/setup_model.h"

#include "diagnostics/system_error.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "settings/colour_text.h"
#include "settings/command_line.h"
#include "settings/config_reader.h"
#include "settings/displays.h"
#include "settings/full_path.h"
#include "settings/pause_key.h"
#include "settings/settings.h"
#include "setup/applicability.h"
#include "setup/clipboard.h"
#include "setup/launch_options.h"
#include "setup/preview.h"
#include "setup/title_mask.h"
#include "setup/watch_status.h"
#include "watch/start_with_windows.h"

namespace {

// The folder a path names, cut by the system's ANSI code page's characters.
std::string FolderOf(const std::string& path) { return ::FolderOf(path, AnsiLeadBytes()); }

}  // namespace

bool ProfileModel::Start(const std::string& commandLine, std::string& error) {
    std::string path = ProfileArgument(commandLine);
    if (path.empty()) path = kConfigFileTitle;
    path = platform::GetFullPathNameW(path);
    if (!FileExists(path)) {
        profile_.New(path);
        EnterProfileFolder();
        return true;
    }
    if (Open(path, error)) return true;
    profile_.New(std::string());
    return false;
}

std::string ProfileModel::Value(const char* section, const char* key) const { return profile_.Value(section, key); }

bool ProfileModel::Flag(const char* section, const char* key, bool launcherDefault) const {
    return profile_.Flag(section, key, launcherDefault);
}

std::vector<std::string> ProfileModel::Choices(const char* section, const char* key) const {
    if (std::string(section) != "windowresize" || std::string(key) != "display") return {};
    std::vector<std::string> choices{"primary", "window"};
    for (const DisplayEntry& display : ListDisplays()) {
        // A display without a number cannot be named in the file.
        if (display.number <= 0) continue;
        choices.push_back(std::to_string(display.number) + ": " + DisplayText(display.rect) +
                          (display.primary ? " (primary)" : ""));
    }
    return choices;
}

bool ProfileModel::Applies(const char* section, const char* key) const {
    return KeyApplies(profile_.Text(), section, key);
}

std::string ProfileModel::Reading(const char* section, const char* key) const {
    if (std::string(section) != "tweaks") return "";
    const std::string written = Value(section, key);
    std::uint32_t rgb;
    if (std::string(key) == "surroundcolour") {
        return ParseColourText(written, rgb) ? "" : "Not a colour: six hexadecimal digits RRGGBB, like 000000";
    }
    if (std::string(key) != "pausekey") return "";
    PauseKey pauseKey;
    if (!ParsePauseKey(written, pauseKey)) return "Not a key: write it like Ctrl+Alt+P";
    return pauseKey.key == 0 ? "" : "Read as " + PauseKeyText(pauseKey);
}

bool ProfileModel::SetValue(const char* section, const char* key, const std::string& value) {
    return profile_.SetValue(section, key, value);
}

void ProfileModel::SetFlag(const char* section, const char* key, bool value, bool launcherDefault) {
    profile_.SetFlag(section, key, value, launcherDefault);
}

void ProfileModel::SetProgramFile(const std::string& file) {
    SetValue("program", "path", FolderOf(file));
    SetValue("program", "name", FileNameOf(file));
}

std::string ProfileModel::FileNameOf(const std::string& path) const { return ::FileNameOf(path, AnsiLeadBytes()); }

bool ProfileModel::SetNameMask(const std::string& title, std::string& error) {
    std::string mask;
    if (TitleMask(title, mask) && profile_.SetValue("windowresize", "namemask", mask)) return true;
    error = "No title mask finds the window \"" + title +
            "\": its title has no text a mask can hold. Find it by its process (pidonly) instead.";
    return false;
}

void ProfileModel::New() { profile_.New(std::string()); }

bool ProfileModel::Open(const std::string& path, std::string& error) {
    if (!profile_.Open(platform::GetFullPathNameW(path), error)) return false;
    EnterProfileFolder();
    return true;
}

platform::SaveOutcome ProfileModel::Save(std::string& error) { return profile_.Save(error); }

platform::SaveOutcome ProfileModel::Overwrite(std::string& error) { return profile_.Overwrite(error); }

bool ProfileModel::Reload(std::string& error) { return profile_.Reload(error); }

platform::SaveOutcome ProfileModel::SaveAs(const std::string& path, std::string& error) {
    const platform::SaveOutcome saved = profile_.SaveAs(platform::GetFullPathNameW(path), error);
    if (saved == platform::SaveOutcome::Done) EnterProfileFolder();
    return saved;
}

platform::SaveOutcome ProfileModel::SavedForLauncher(std::string& launcher, std::string& error) {
    const platform::SaveOutcome saved = Save(error);
    if (saved != platform::SaveOutcome::Done) return saved;
    launcher = LauncherPath();
    if (FileExists(launcher)) return platform::SaveOutcome::Done;
    error = "Cannot find the launcher: " + launcher;
    return platform::SaveOutcome::Failed;
}

std::string ProfileModel::LauncherPath() const {
    return FolderOf(platform::GetModuleFileNameW()) + "\\framewright.exe";
}

platform::SaveOutcome ProfileModel::Run(std::string& error) {
    std::string launcher;
    const platform::SaveOutcome saved = SavedForLauncher(launcher, error);
    if (saved != platform::SaveOutcome::Done) return saved;
    return StartLauncher(launcher, ProfileCommandLine(launcher, profile_.Path()), error)
               ? platform::SaveOutcome::Done
               : platform::SaveOutcome::Failed;
}

bool ProfileModel::StartLauncher(const std::string& launcher, const std::string& commandLine, std::string& error) {
    platform::ProcessInformation started;
    if (!platform::CreateProcessA(launcher, commandLine, FolderOf(profile_.Path()), started)) {
        error = "Cannot start " + launcher + ": " + LastErrorText();
        return false;
    }
    platform::CloseHandle(started.process);
    platform::CloseHandle(started.thread);
    return true;
}

platform::SaveOutcome ProfileModel::CopyLaunchOptions(platform::WindowHandle owner, std::string& error) {
    std::string launcher;
    const platform::SaveOutcome saved = SavedForLauncher(launcher, error);
    if (saved != platform::SaveOutcome::Done) return saved;
    return CopyToClipboard(owner, LaunchOptions(launcher, profile_.Path()), error) ? platform::SaveOutcome::Done
                                                                                   : platform::SaveOutcome::Failed;
}

platform::PreviewPicture ProfileModel::Preview(const platform::Rect& outer, const platform::Rect& client) {
    const ::Preview preview = ComputePreview(profile_.Text(), profile_.Path(), outer, client);
    platform::PreviewPicture picture;
    picture.display = {preview.displayLeft, preview.displayTop, preview.displayLeft + preview.displayWidth,
                       preview.displayTop + preview.displayHeight};
    picture.displayText = preview.displayText;
    picture.placed = preview.outcome == ::Preview::Placed;
    if (preview.outcome == ::Preview::Rejected) {
        picture.message = preview.rejection;
    } else if (!picture.placed) {
        picture.message = "The settings are valid. Pick a window, or type its outer and client sizes, to see "
                          "where the launcher puts it.";
    } else {
        picture.surround = Settings.Surround;
        picture.surroundColour = Settings.SurroundColour;
        picture.window = preview.window;
        picture.windowText = WindowText(preview);
        picture.clientText = ClientText(preview);
        // The frame is drawn as Windows draws it: even at the sides and the bottom.
        const std::int32_t side = preview.frameWidth / 2;
        picture.client = {preview.window.left + side, preview.window.bottom - side - preview.clientHeight,
                          preview.window.left + side + preview.clientWidth, preview.window.bottom - side};
    }
    return picture;
}

platform::WatchPicture ProfileModel::Watch() {
    const WatchStatus status = DescribeWatch(profile_.Path(), profile_.IsDirty());
    platform::WatchPicture picture;
    picture.canWatch = status.canWatch;
    picture.line = status.line;
    if (!status.canWatch) return picture;
    const std::string folder = FolderOf(profile_.Path());
    switch (ReadStartWithWindows(LauncherPath(), folder)) {
        case ::StartWithWindows::ThisWatch:
            picture.startsWithWindows = true;
            break;
        case ::StartWithWindows::Other:
            // Never replaced unasked, so the user is told whose it is.
            picture.line += "\r\nWindows starts another watch at sign-in: " + StartWithWindowsValue();
            break;
        case ::StartWithWindows::Off:
            break;
    }
    return picture;
}

platform::SaveOutcome ProfileModel::WatchFolder(std::string& error) {
    std::string launcher;
    const platform::SaveOutcome saved = SavedForLauncher(launcher, error);
    if (saved != platform::SaveOutcome::Done) return saved;
    return StartLauncher(launcher, StartWithWindowsCommand(launcher, FolderOf(profile_.Path())), error)
               ? platform::SaveOutcome::Done
               : platform::SaveOutcome::Failed;
}

bool ProfileModel::StartWithWindows(bool on, std::string& error) {
    const std::string launcher = LauncherPath();
    if (!FileExists(launcher)) {
        error = "Cannot find the launcher: " + launcher;
        return false;
    }
    if (ChooseStartWithWindows(on, launcher, FolderOf(profile_.Path()))) return true;
    error = "Windows refused to change the programs it starts at sign-in "
            "(HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run).";
    return false;
}

void ProfileModel::EnterProfileFolder() {
    const std::string folder = FolderOf(profile_.Path());
    if (!folder.empty()) platform::SetCurrentDirectoryW(folder);
}
