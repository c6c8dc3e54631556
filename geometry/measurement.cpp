#include "geometry/measurement.h"

#include <string>

#include "diagnostics/trace.h"
#include "geometry/desired_size.h"
#include "geometry/display_area.h"
#include "platform/displays.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "geometry/discovery.h"

namespace {

std::string SizeText(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

void ReadDisplayResolution() {
    if (Settings.Display == DisplayChoice::Numbered && ReadNumberedDisplay()) return;
    DisplayWidth = platform::GetSystemMetrics(platform::kSmCxScreen);
    DisplayHeight = platform::GetSystemMetrics(platform::kSmCyScreen);
    Trace("Display resolution: " + SizeText(DisplayWidth, DisplayHeight));
    if (Settings.Display == DisplayChoice::Window) Trace("Display: the one that holds the window, once it is found");
}

void RecordWindowMeasurements(const platform::Rect& outer, const platform::Rect& client) {
    std::int32_t outerWidth = outer.right - outer.left;
    std::int32_t outerHeight = outer.bottom - outer.top;
    std::int32_t clientWidth = client.right - client.left;
    std::int32_t clientHeight = client.bottom - client.top;

    if (Settings.Borderless) {
        // The frame comes off before the placement: the client area becomes the window.
        EffectiveBorderWidth = EffectiveBorderHeight = 0;
        Trace("Border size [borderless]: 0 x 0");
    } else if (Settings.AutodetectBorderSize) {
        EffectiveBorderWidth = outerWidth - clientWidth;
        EffectiveBorderHeight = outerHeight - clientHeight;
        Trace("Border size [autodetect]: " + SizeText(EffectiveBorderWidth, EffectiveBorderHeight));
    } else {
        EffectiveBorderWidth = Settings.BorderWidth;
        EffectiveBorderHeight = Settings.BorderHeight;
        Trace("Border size [forced]: " + SizeText(EffectiveBorderWidth, EffectiveBorderHeight));
    }
    OriginalWindowWidth = outerWidth;
    OriginalWindowHeight = outerHeight;
    Trace("Original window size: " + SizeText(OriginalWindowWidth, OriginalWindowHeight));
    OriginalClientWidth = clientWidth;
    OriginalClientHeight = clientHeight;
    Trace("Original window client size: " + SizeText(OriginalClientWidth, OriginalClientHeight));
}

bool MeasureTargetWindow() {
    TargetWindow = platform::kNoWindow;
    platform::WindowHandle window =
        TargetJobProcesses.listed > 0
            ? FindTargetWindow(Settings.FindByPid, TargetJobProcesses.ids.data(), TargetJobProcesses.listed,
                               Settings.FindByName, Settings.NameMask)
            : FindTargetWindow(Settings.FindByPid, TargetProcessId, Settings.FindByName, Settings.NameMask);
    if (window == platform::kNoWindow) return false;

    platform::Rect outer, client;
    // A window destroyed since the search has no rectangles; the next cycle searches again.
    if (!platform::GetWindowRect(window, outer) || !platform::GetClientRect(window, client)) return false;

    RecordWindowMeasurements(outer, client);
    if (Settings.Display == DisplayChoice::Window) ReadDisplayOfWindow(window);
    // A window found anew gets a fresh try at losing its frame.
    RefusedFrameStyle = RefusedFrameExStyle = 0;
    ComputeDesiredWindowSize();
    TargetWindow = window;
    return true;
}
