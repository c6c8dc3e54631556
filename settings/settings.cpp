#include "settings/settings.h"

#include "platform/files.h"
#include "settings/command_line.h"
#include "settings/full_path.h"
#include "settings/ratio_text.h"

rSettings Settings;

std::int32_t LastAppliedLeft;
std::int32_t LastAppliedTop;
std::int32_t LastAppliedWidth;
std::int32_t LastAppliedHeight;
std::int32_t EffectiveBorderWidth;
std::int32_t EffectiveBorderHeight;
platform::WindowHandle TargetWindow;
std::uint32_t TargetProcessId;
std::int32_t DisplayWidth;
std::int32_t DisplayHeight;
std::int32_t DesiredWidth;
std::int32_t DesiredHeight;
std::int32_t OriginalWindowWidth;
std::int32_t OriginalWindowHeight;
std::int32_t OriginalClientWidth;
std::int32_t OriginalClientHeight;

std::int32_t DisplayLeft;
std::int32_t DisplayTop;
std::uint32_t RefusedFrameStyle;
std::uint32_t RefusedFrameExStyle;
platform::JobProcessIds TargetJobProcesses;
bool PlacementDeniedAccess;
platform::WindowHandle SurroundWindow;

void InitialiseSettings() {
    Settings = rSettings{};
    // The separator is appended even at a drive root, whose text already ends in one;
    // Windows reads the doubled separator as one.
    Settings.ConfigFileName = platform::GetCurrentDirectoryW() + "\\" + kConfigFileTitle;
    // The user's separators are those of start-up, whatever the thread does later.
    ReadLocaleSeparators();

    LastAppliedLeft = LastAppliedTop = LastAppliedWidth = LastAppliedHeight = 0;
    EffectiveBorderWidth = EffectiveBorderHeight = 0;
    TargetWindow = platform::kNoWindow;
    TargetProcessId = 0;
    DisplayWidth = DisplayHeight = 0;
    DesiredWidth = DesiredHeight = 0;
    OriginalWindowWidth = OriginalWindowHeight = 0;
    OriginalClientWidth = OriginalClientHeight = 0;

    DisplayLeft = DisplayTop = 0;
    RefusedFrameStyle = RefusedFrameExStyle = 0;
    TargetJobProcesses = platform::JobProcessIds{};
    TargetJobProcesses.ids.resize(kJobProcessRoomAtFirst);
    PlacementDeniedAccess = false;
    SurroundWindow = 0;
}

void FinaliseSettings() {
    for (std::string* text : {&Settings.ConfigFileName, &Settings.ProgramPath, &Settings.ProgramName,
                              &Settings.ProgramParameters, &Settings.ProgramFile, &Settings.NameMask,
                              &Settings.LogFile, &Settings.CommandLineLaunch.program,
                              &Settings.CommandLineLaunch.commandLine, &Settings.PauseKeyWritten,
                              &Settings.SurroundColourWritten}) {
        std::string().swap(*text);
    }
}

LauncherArguments SelectProfile(const std::string& commandLine) {
    LauncherArguments arguments = SplitLauncherCommandLine(commandLine, AnsiLeadBytes());
    UseProfile(arguments.profile);
    UseWrappedLaunch(arguments.launch);
    Settings.Attaching = arguments.mode == LauncherMode::Attach;
    return arguments;
}

void UseProfile(const std::string& profile) {
    if (!profile.empty()) Settings.ConfigFileName = FullPath(platform::GetCurrentDirectoryW(), profile);
}

void UseWrappedLaunch(const WrappedLaunch& launch) { Settings.CommandLineLaunch = launch; }
