// The launcher's whole state: the settings record and the globals beside it.
// Plain global data, read and written directly by every unit on the one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/processes.h"
#include "settings/command_line.h"
#include "settings/displays.h"
#include "settings/pause_key.h"

enum class MoveWindowMode : std::uint8_t { Centre = 0, Fixed = 1, None = 2 };
enum class ScalingMethod : std::uint8_t { Defined = 0, WindowScale = 1, DisplayScale = 2, PixelScale = 3 };

struct rSettings {
    std::string ConfigFileName;
    std::string ProgramPath;
    std::string ProgramName;
    std::string ProgramParameters;
    std::string ProgramFile;
    bool FindByPid;
    bool FindByName;
    std::string NameMask;
    std::int32_t FirstResizeDelayMs;
    std::int32_t FirstResizeTimeoutMs;
    std::int32_t WindowWidth;
    std::int32_t WindowHeight;
    bool LockWindow;
    MoveWindowMode MoveWindow;
    bool AlwaysMoveWindow;
    std::int32_t WindowX;
    std::int32_t WindowY;
    bool ClientResize;
    ::ScalingMethod ScalingMethod;
    std::int32_t Scale;
    bool MaintainAspectRatio;
    float AspectRatio;
    bool AutodetectBorderSize;
    std::int32_t BorderWidth;
    std::int32_t BorderHeight;
    bool ScalingIgnoreBorderSize;

    // Which display the window goes on, and the frame taken off it.
    DisplayChoice Display;
    std::int32_t DisplayNumber;  // with DisplayChoice::Numbered
    bool Borderless;
    // Launching: the started program's child processes count as the program; the
    // log file, as a full path (empty: none).
    bool FollowChildren;
    std::string LogFile;
    // Started as "framewright.exe [PROFILE.ini] -- PROGRAM [ARGUMENTS]": the program and
    // its command line, which take the place of [program]'s path, name and parameters.
    WrappedLaunch CommandLineLaunch;
    // Started as "framewright.exe --attach PID [PROFILE.ini]": the program runs
    // already, so [program] is neither needed nor checked.
    bool Attaching;
    // Around the window while the program runs: the cursor kept in it and the window
    // topmost while it is in front, and the key that pauses both and the lock.
    bool ClipCursor;
    bool Topmost;
    std::string PauseKeyWritten;  // the text as the file has it
    ::PauseKey PauseKey;       // taken from the text by the checks after reading
    // A window of the launcher's own in one colour over the rest of the display,
    // kept right beneath the program's window.
    bool Surround;
    std::string SurroundColourWritten;  // the text as the file has it
    std::uint32_t SurroundColour;       // 0xRRGGBB, taken from the text by the checks after reading
};

extern rSettings Settings;

extern std::int32_t LastAppliedLeft;
extern std::int32_t LastAppliedTop;
extern std::int32_t LastAppliedWidth;
extern std::int32_t LastAppliedHeight;
extern std::int32_t EffectiveBorderWidth;
extern std::int32_t EffectiveBorderHeight;
extern platform::WindowHandle TargetWindow;
extern std::uint32_t TargetProcessId;
extern std::int32_t DisplayWidth;
extern std::int32_t DisplayHeight;
extern std::int32_t DesiredWidth;
extern std::int32_t DesiredHeight;
extern std::int32_t OriginalWindowWidth;
extern std::int32_t OriginalWindowHeight;
extern std::int32_t OriginalClientWidth;
extern std::int32_t OriginalClientHeight;

// The top left corner of the display in use (0, 0 for the primary one), beside its
// size in DisplayWidth and DisplayHeight.
extern std::int32_t DisplayLeft;
extern std::int32_t DisplayTop;
// The styles a window kept when its frame was to be taken off (0, 0: none refused);
// they are not written again until the window's styles change.
extern std::uint32_t RefusedFrameStyle;
extern std::uint32_t RefusedFrameExStyle;
// With followchildren: the processes of the program's job as the loop saw them last,
// any of whose windows may be the target. Empty: the started process alone counts.
extern platform::JobProcessIds TargetJobProcesses;
// Attaching: the last placement was refused with access denied, as the system
// refuses the windows of a program that has higher rights than the launcher's.
extern bool PlacementDeniedAccess;
// The launcher's own surround window while it exists (0: none): never the program's window.
extern platform::WindowHandle SurroundWindow;
// Room for so many ids at the start; the list grows when the job outgrows it.
constexpr std::size_t kJobProcessRoomAtFirst = 64;

constexpr const char* kConfigFileTitle = "framewright.ini";

// Fixes the configuration file's path (working directory + "\" + file name) and
// gives every other field and global its initial value.
void InitialiseSettings();
// Releases the record's text at an orderly end.
void FinaliseSettings();

// Takes the configuration file from the launcher's command line: the first
// argument after the program name that ends in ".ini", made full against the
// working directory. Without one, ConfigFileName stays as InitialiseSettings set it.
// What follows a "--" argument is the launch that takes the place of [program].
// Returns the arguments, for the mode they ask for.
LauncherArguments SelectProfile(const std::string& commandLine);
// The same for a profile argument already taken from a command line; empty: none.
void UseProfile(const std::string& profile);
// Takes the program from what followed "--" on the command line; without "--", the
// configuration's [program] names it.
void UseWrappedLaunch(const WrappedLaunch& launch);
