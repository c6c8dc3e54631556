#include "settings/load_settings.h"

#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "platform/files.h"
#include "settings/ratio_text.h"
#include "settings/colour_text.h"
#include "settings/config_reader.h"
#include "settings/displays.h"
#include "settings/full_path.h"
#include "settings/pause_key.h"
#include "settings/settings.h"

namespace {

const std::string kProgram = "program";
const std::string kWindowResize = "windowresize";
const std::string kTweaks = "tweaks";

// Only A-Z change: bytes of the ANSI code page above 0x7F are left as written.
std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool DirectoryExists(const std::string& path) {
    const std::uint32_t attributes = platform::GetFileAttributesW(path);
    return attributes != platform::kInvalidFileAttributes &&
           (attributes & platform::kFileAttributeDirectory) != 0;
}

std::string ReadKeyword(const ConfigReader& reader, const std::string& key) {
    return LowerAscii(reader.ReadText(kWindowResize, key, ""));
}

std::string IllegalValue(const std::string& key) {
    return "Invalid settings: windowresize->" + key + " is not a legal value";
}

bool InterpretWindowFindMethod(const std::string& keyword, std::string& rejection) {
    if (keyword == "pidonly") {
        Trace("Window find method: PID only");
        Settings.FindByPid = true;
        Settings.FindByName = false;
        return true;
    }
    if (keyword == "pidandname") {
        Trace("Window find method: PID and name");
        Settings.FindByPid = true;
        Settings.FindByName = true;
    } else if (keyword == "nameonly") {
        Trace("Window find method: Name only");
        Settings.FindByPid = false;
        Settings.FindByName = true;
    } else {
        rejection = IllegalValue("windowfindmethod");
        return false;
    }
    if (!Settings.NameMask.empty()) return true;
    rejection = "Invalid settings: windowresize->namemask is empty but required for windowfindmethod=" + keyword;
    return false;
}

bool InterpretMoveWindow(const std::string& keyword, std::string& rejection) {
    if (keyword == "centre") Settings.MoveWindow = MoveWindowMode::Centre;
    else if (keyword == "fixed") Settings.MoveWindow = MoveWindowMode::Fixed;
    else if (keyword == "none") Settings.MoveWindow = MoveWindowMode::None;
    else rejection = IllegalValue("movewindow");
    return rejection.empty();
}

bool InterpretScalingMethod(const std::string& keyword, std::string& rejection) {
    if (keyword == "defined") {
        Settings.ScalingMethod = ScalingMethod::Defined;
        return true;  // a defined size uses no scale
    }
    if (keyword == "windowscale") Settings.ScalingMethod = ScalingMethod::WindowScale;
    else if (keyword == "displayscale") Settings.ScalingMethod = ScalingMethod::DisplayScale;
    else if (keyword == "pixelscale") Settings.ScalingMethod = ScalingMethod::PixelScale;
    else {
        rejection = IllegalValue("scalingmethod");
        return false;
    }
    if (Settings.Scale >= 1) return true;
    rejection = "Invalid settings: windowresize->scale is not a legal value or not set (and required for scalingmethod=" +
                keyword + ")";
    return false;
}

// The log file is looked up first, so that it gets every line of the loading and
// every rejection; the lookup itself changes nothing.
void StartConfiguredLog(const ConfigReader& reader, std::string& logProblem) {
    const std::string written = reader.ReadText(kTweaks, "logfile", "");
    Settings.LogFile = written.empty() ? "" : FullPath(platform::GetCurrentDirectoryW(), written);
    std::string reason;
    if (StartLogFile(Settings.LogFile, Settings.ConfigFileName, reason)) return;
    logProblem = "Cannot open the log file: " + Settings.LogFile + "\r\n" + reason;
    Settings.LogFile.clear();
}

// The program named after "--": taken against the working directory, which stays its
// own (a store starts a game in the game's folder), with the command line as it came.
void TakeProgramFromCommandLine(const ConfigReader& reader) {
    const WrappedLaunch& launch = Settings.CommandLineLaunch;
    for (const char* key : {"path", "name", "parameters"}) {
        // A value never holds a line break, so this default tells an absent key.
        if (reader.ReadText(kProgram, key, "\n") == "\n") continue;
        Trace("program->path, name and parameters are not used: the command line names the program");
        break;
    }
    Settings.ProgramPath = platform::GetCurrentDirectoryW();
    Settings.ProgramName = launch.program;
    Settings.ProgramParameters = launch.commandLine;
    Settings.ProgramFile = launch.program.empty() ? "" : FullPath(Settings.ProgramPath, launch.program);
    Trace("Program from the command line: " + Settings.ProgramFile);
    Trace("Its command line: " + launch.commandLine);
}

// Reads every key in its order, interpreting the four that can be rejected at once.
bool ReadKeys(const ConfigReader& reader, std::string& rejection) {
    if (Settings.CommandLineLaunch.given) {
        TakeProgramFromCommandLine(reader);
    } else {
        Settings.ProgramPath = reader.ReadText(kProgram, "path", platform::GetCurrentDirectoryW());
        Settings.ProgramName = reader.ReadText(kProgram, "name", "");
        Settings.ProgramParameters = reader.ReadText(kProgram, "parameters", "");
    }
    Settings.NameMask = reader.ReadText(kWindowResize, "namemask", "");
    if (!InterpretWindowFindMethod(ReadKeyword(reader, "windowfindmethod"), rejection)) return false;
    Settings.FirstResizeDelayMs = reader.ReadInt(kWindowResize, "firstresizedelayms", 0);
    Settings.FirstResizeTimeoutMs = reader.ReadInt(kWindowResize, "firstresizetimeoutms", 0);
    Settings.WindowWidth = reader.ReadInt(kWindowResize, "windowwidth", 0);
    Settings.WindowHeight = reader.ReadInt(kWindowResize, "windowheight", 0);
    Settings.LockWindow = reader.ReadFlag(kWindowResize, "lockwindow", false);
    if (!InterpretMoveWindow(ReadKeyword(reader, "movewindow"), rejection)) return false;
    Settings.AlwaysMoveWindow = reader.ReadFlag(kWindowResize, "alwaysmovewindow", false);
    Settings.WindowX = reader.ReadInt(kWindowResize, "windowx", 0);
    Settings.WindowY = reader.ReadInt(kWindowResize, "windowy", 0);
    Settings.ClientResize = reader.ReadFlag(kWindowResize, "clientresize", false);
    Settings.Scale = reader.ReadInt(kWindowResize, "scale", 0);
    if (!InterpretScalingMethod(ReadKeyword(reader, "scalingmethod"), rejection)) return false;
    Settings.MaintainAspectRatio = reader.ReadFlag(kWindowResize, "maintainaspectratio", false);
    if (!ParseAspectRatio(reader.ReadText(kWindowResize, "aspectratio", ""), LocaleSeparators,
                          Settings.AspectRatio)) {
        rejection = IllegalValue("aspectratio");
        return false;
    }
    Settings.AutodetectBorderSize = reader.ReadFlag(kTweaks, "autodetectbordersize", true);
    Settings.BorderWidth = reader.ReadInt(kTweaks, "borderwidth", -1);
    Settings.BorderHeight = reader.ReadInt(kTweaks, "borderheight", -1);
    Settings.ScalingIgnoreBorderSize = reader.ReadFlag(kTweaks, "scalingignorebordersize", false);

    if (!ParseDisplayChoice(reader.ReadText(kWindowResize, "display", ""), Settings.Display,
                            Settings.DisplayNumber)) {
        rejection = IllegalValue("display");
        return false;
    }
    Settings.Borderless = reader.ReadFlag(kTweaks, "borderless", false);
    Settings.FollowChildren = reader.ReadFlag(kProgram, "followchildren", false);
    Settings.ClipCursor = reader.ReadFlag(kTweaks, "clipcursor", false);
    Settings.Topmost = reader.ReadFlag(kTweaks, "topmost", false);
    Settings.PauseKeyWritten = reader.ReadText(kTweaks, "pausekey", "");
    Settings.Surround = reader.ReadFlag(kTweaks, "surround", false);
    Settings.SurroundColourWritten = reader.ReadText(kTweaks, "surroundcolour", "");
    return true;
}

// A display number must name a display this system has now; the box lists those it has.
bool CheckDisplay(std::string& rejection) {
    if (Settings.Display != DisplayChoice::Numbered) return true;
    const std::vector<DisplayEntry> displays = ListDisplays();
    for (const DisplayEntry& display : displays) {
        if (display.number == Settings.DisplayNumber) return true;
    }
    const std::string number = std::to_string(Settings.DisplayNumber);
    rejection = "Invalid settings: windowresize->display is " + number + ", but there is no display " + number +
                "; the displays are " + DisplayListText(displays);
    return false;
}

// The program to start must be named and exist.
bool CheckProgram(std::string& rejection) {
    const rSettings& s = Settings;
    if (s.CommandLineLaunch.given && s.ProgramName.empty()) {
        rejection = "Invalid settings: a program must follow -- on the command line "
                    "(framewright.exe [PROFILE.ini] -- PROGRAM [ARGUMENTS])";
    } else if (s.ProgramName.empty()) {
        rejection = "Invalid settings: program->name is missing";
    } else if (!s.CommandLineLaunch.given && !DirectoryExists(s.ProgramPath)) {
        rejection = "Invalid settings: program->path does not point to a valid directory (" + s.ProgramPath + ")";
    } else if (!FileExists(s.ProgramFile)) {
        rejection = "Invalid settings: Cannot find the program (" + s.ProgramFile + ")";
    }
    return rejection.empty();
}

// The checks that need every key; the first failure names the problem.
bool CheckSettings(std::string& rejection) {
    const rSettings& s = Settings;
    // A program started elsewhere runs already: [program] does not name it.
    if (!s.Attaching && !CheckProgram(rejection)) return false;
    if (s.FirstResizeDelayMs <= 0) {
        rejection = "Invalid settings: windowresize->firstresizedelayms is not greater than 0";
    } else if (s.FirstResizeTimeoutMs <= s.FirstResizeDelayMs) {
        rejection = "Invalid settings: windowresize->firstresizetimeoutms is not greater than "
                    "windowresize->firstresizedelayms";
    } else if (s.WindowWidth <= 0) {
        rejection = "Invalid settings: windowresize->windowwidth is not greater than 0";
    } else if (s.WindowHeight <= 0) {
        rejection = "Invalid settings: windowresize->windowheight is not greater than 0";
    } else if (!s.AutodetectBorderSize && (s.BorderWidth < 0 || s.BorderHeight < 0)) {
        rejection = "Invalid settings: tweaks->autodetectbordersize is 0, but tweaks->borderwidth and/or "
                    "tweaks->borderheight are invalid or undefined";
    }
    if (rejection.empty()) CheckDisplay(rejection);
    if (rejection.empty() && !ParsePauseKey(s.PauseKeyWritten, Settings.PauseKey)) {
        rejection = "Invalid settings: tweaks->pausekey is not a legal value (" + s.PauseKeyWritten +
                    "); for example pausekey=Ctrl+Alt+P";
    }
    if (rejection.empty() && !ParseColourText(s.SurroundColourWritten, Settings.SurroundColour)) {
        rejection = "Invalid settings: tweaks->surroundcolour is not a legal value (" + s.SurroundColourWritten +
                    "); six hexadecimal digits RRGGBB, for example surroundcolour=000000";
    }
    return rejection.empty();
}

bool Reject(const std::string& message) {
    ShowErrorBox(message);
    return false;
}

// The reader lives only in the reading step, so it is released before any box is
// shown. The launcher's own loading starts the configured log first, so the log gets
// every line of the loading and every rejection.
template <class MakeReader>
bool ReadAndCheck(MakeReader makeReader, bool startLog) {
    std::string rejection, logProblem;
    bool read;
    {
        const ConfigReader reader = makeReader();
        if (startLog) StartConfiguredLog(reader, logProblem);
        read = ReadKeys(reader, rejection);
    }
    // The run goes on without a log; the user is told once.
    if (!logProblem.empty()) ShowErrorBox(logProblem);
    if (!read) return Reject(rejection);
    if (!Settings.CommandLineLaunch.given) {
        if (Settings.ProgramPath.empty()) Settings.ProgramPath = platform::GetCurrentDirectoryW();
        // Joined unconditionally: a path ending in "\" gives two in a row, which Windows reads as one.
        Settings.ProgramFile = Settings.ProgramPath + "\\" + Settings.ProgramName;
    }
    if (!CheckSettings(rejection)) return Reject(rejection);
    return true;
}

}  // namespace

bool LoadSettings() {
    Trace("Loading settings from: " + Settings.ConfigFileName);
    if (!FileExists(Settings.ConfigFileName)) {
        return Reject("Cannot find the configuration file: " + Settings.ConfigFileName);
    }
    return ReadAndCheck([] { return ConfigReader(Settings.ConfigFileName); }, true);
}

bool LoadSettingsFromContent(std::string_view content) {
    return ReadAndCheck([content] { return ConfigReader::FromContent(content); }, false);
}
