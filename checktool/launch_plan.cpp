#include "checktool/launch_plan.h"

#include "diagnostics/exceptions.h"
#include "geometry/measurement.h"
#include "geometry/placement_plan.h"
#include "platform/input.h"
#include "settings/colour_text.h"
#include "settings/displays.h"
#include "settings/pause_key.h"
#include "settings/settings.h"

namespace {

std::string Line(const char* label, const std::string& text) {
    std::string line = std::string("  ") + label;
    line.resize(13, ' ');
    return line + text + "\n";
}

std::string Size(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string Search() {
    const std::string mask = "whose title matches \"" + Settings.NameMask + "\"";
    const std::string process = Settings.FollowChildren ? "the started process or a process it starts"
                                                        : "the started process";
    if (!Settings.FindByName) return "the topmost top-level window of " + process;
    if (Settings.FindByPid) return "the topmost top-level window of " + process + " " + mask;
    return "the topmost top-level window of any process " + mask;
}

std::string Keeping() {
    if (!Settings.LockWindow) return "leaves it alone after the first resize";
    const bool position = Settings.AlwaysMoveWindow && Settings.MoveWindow != MoveWindowMode::None;
    return position ? "restores its size and position whenever they change"
                    : "restores its size whenever it changes";
}

// Tried as the launcher registers it, and given back at once.
std::string PauseKeyState() {
    const std::string name = PauseKeyText(Settings.PauseKey);
    if (!platform::RegisterHotKey(1, Settings.PauseKey.modifiers | platform::kModNoRepeat, Settings.PauseKey.key)) {
        return name + ": taken by another program now, so the launcher would run without it";
    }
    platform::UnregisterHotKey(1);
    return name + " (free now): pauses and resumes the cursor, topmost and the lock" +
           (Settings.Surround ? ", and hides the surround while paused" : "");
}

std::string Position(const platform::Rect& planned) {
    if (Settings.MoveWindow == MoveWindowMode::None) return "unchanged (movewindow=none)";
    const char* how = Settings.MoveWindow == MoveWindowMode::Fixed ? " (fixed)" : " (centred)";
    return std::to_string(planned.left) + ", " + std::to_string(planned.top) + how;
}

// Where the display chosen by the settings lies, when that is not the primary
// display's 0, 0.
std::string Origin() {
    if (Settings.Display == DisplayChoice::Window) {
        return " at " + std::to_string(DisplayLeft) + ", " + std::to_string(DisplayTop) +
               "; the launcher takes the display that holds the window";
    }
    if (Settings.Display == DisplayChoice::Primary) return "";
    return " at " + std::to_string(DisplayLeft) + ", " + std::to_string(DisplayTop) + ", display " +
           std::to_string(Settings.DisplayNumber);
}

std::string Placement(const CheckOptions& options) {
    std::string text;
    // The display's place comes from this system; --display gives only its size.
    ReadDisplayResolution();
    if (options.hasDisplay) {
        DisplayWidth = options.display.width;
        DisplayHeight = options.display.height;
        text += Line("display", Size(DisplayWidth, DisplayHeight) + " (as given)" + Origin());
    } else {
        text += Line("display", Size(DisplayWidth, DisplayHeight) + " (this system's)" + Origin());
    }
    if (!options.hasWindow) {
        return text + Line("size", "give --window WxH --client WxH to see a window's size and position");
    }
    platform::Rect planned;
    std::string failure;
    try {
        planned = PlanFirstPlacement({0, 0, options.window.width, options.window.height},
                                     {0, 0, options.client.width, options.client.height});
    } catch (const Exception& error) {
        failure = std::string("the launcher would fail: ") + error.ClassName() + ": " + error.Message();
    }
    text += Line("window", Size(OriginalWindowWidth, OriginalWindowHeight) + ", client area " +
                               Size(OriginalClientWidth, OriginalClientHeight) + ", border " +
                               Size(EffectiveBorderWidth, EffectiveBorderHeight) +
                               (Settings.Borderless              ? " (borderless)"
                                : Settings.AutodetectBorderSize ? " (measured)"
                                                                : " (forced)"));
    if (!failure.empty()) return text + Line("size", failure);
    return text + Line("size", Size(DesiredWidth, DesiredHeight)) + Line("position", Position(planned));
}

std::string Displays() {
    std::string text;
    for (const DisplayEntry& display : ListDisplays()) {
        text += Line(display.number > 0 ? std::to_string(display.number).c_str() : display.device.c_str(),
                     DisplayText(display.rect) + (display.primary ? " (primary)" : "") +
                         (display.number > 0 ? "" : ": no number, so display= cannot choose it"));
    }
    return text.empty() ? Line("none", "the system lists no display") : text;
}

}  // namespace

std::string DescribeLaunch(const CheckOptions& options) {
    std::string text = "The launcher would:\n";
    // After "--" the user sees what the store handed over, beside what is made of it.
    const bool wrapped = Settings.CommandLineLaunch.given;
    text += Line("start", Settings.ProgramFile + (wrapped ? "  (named after --)" : ""));
    text += Line("parameters", Settings.ProgramParameters.empty() ? "(none)"
                               : Settings.ProgramParameters + (wrapped ? "  (the command line after --)" : ""));
    text += Line("in", Settings.ProgramPath + (wrapped ? "  (the working directory)" : ""));
    text += Line("find", Search());
    text += Line("resize it", "from " + std::to_string(Settings.FirstResizeDelayMs) + " ms, giving up at " +
                                 std::to_string(Settings.FirstResizeTimeoutMs) + " ms");
    text += Line("then", Keeping());
    if (Settings.Borderless) text += Line("frame", "takes the frame off the window before each placement");
    if (Settings.ClipCursor) text += Line("cursor", "kept in the window's client area while the window is in front");
    if (Settings.Topmost) text += Line("topmost", "the window, while it is in front");
    if (Settings.PauseKey.key != 0) text += Line("pause key", PauseKeyState());
    if (Settings.Surround) {
        text += Line("surround", "the rest of the display in " + ColourText(Settings.SurroundColour) +
                                     ", right beneath the window from the first resize on");
    }
    text += Line("end", Settings.FollowChildren ? "when the started process and every process it starts have ended"
                                                : "when the started process ends");
    text += Line("log", Settings.LogFile.empty() ? "none" : Settings.LogFile + " (appended)");
    return text + "\nThe first resize:\n" + Placement(options) + "\nDisplays this system has:\n" + Displays();
}
