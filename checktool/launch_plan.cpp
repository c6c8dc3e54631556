#include "checktool/launch_plan.h"

#include "diagnostics/exceptions.h"
#include "geometry/desired_size.h"
#include "geometry/measurement.h"
#include "geometry/window_position.h"
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

std::string Position() {
    if (Settings.MoveWindow == MoveWindowMode::None) return "unchanged (movewindow=none)";
    std::int32_t x = 0, y = 0;
    ComputeWindowPosition(x, y);
    const char* how = Settings.MoveWindow == MoveWindowMode::Fixed ? " (fixed)" : " (centred)";
    return std::to_string(x) + ", " + std::to_string(y) + how;
}

std::string Placement(const CheckOptions& options) {
    std::string text;
    if (options.hasDisplay) {
        DisplayWidth = options.display.width;
        DisplayHeight = options.display.height;
        text += Line("display", Size(DisplayWidth, DisplayHeight) + " (as given)");
    } else {
        ReadDisplayResolution();
        text += Line("display", Size(DisplayWidth, DisplayHeight) + " (this system's)");
    }
    if (!options.hasWindow) {
        return text + Line("size", "give --window WxH --client WxH to see a window's size and position");
    }
    RecordWindowMeasurements({0, 0, options.window.width, options.window.height},
                             {0, 0, options.client.width, options.client.height});
    text += Line("window", Size(OriginalWindowWidth, OriginalWindowHeight) + ", client area " +
                               Size(OriginalClientWidth, OriginalClientHeight) + ", border " +
                               Size(EffectiveBorderWidth, EffectiveBorderHeight) +
                               (Settings.AutodetectBorderSize ? " (measured)" : " (forced)"));
    try {
        ComputeDesiredWindowSize();
    } catch (const Exception& error) {
        return text + Line("size", std::string("the launcher would fail: ") + error.ClassName() + ": " +
                                       error.Message());
    }
    return text + Line("size", Size(DesiredWidth, DesiredHeight)) + Line("position", Position());
}

}  // namespace

std::string DescribeLaunch(const CheckOptions& options) {
    std::string text = "The launcher would:\n";
    text += Line("start", Settings.ProgramFile);
    text += Line("parameters", Settings.ProgramParameters.empty() ? "(none)" : Settings.ProgramParameters);
    text += Line("in", Settings.ProgramPath);
    text += Line("find", Search());
    text += Line("resize it", "from " + std::to_string(Settings.FirstResizeDelayMs) + " ms, giving up at " +
                                 std::to_string(Settings.FirstResizeTimeoutMs) + " ms");
    text += Line("then", Keeping());
    text += Line("end", Settings.FollowChildren ? "when the started process and every process it starts have ended"
                                                : "when the started process ends");
    text += Line("log", Settings.LogFile.empty() ? "none" : Settings.LogFile + " (appended)");
    return text + "\nThe first resize:\n" + Placement(options);
}
