#include "geometry/measurement.h"

#include <string>

#include "diagnostics/trace.h"
#include "geometry/desired_size.h"
#include "settings/settings.h"
#include "geometry/discovery.h"

namespace {

std::string SizeText(std::int32_t width, std::int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

void ReadDisplayResolution() {
    DisplayWidth = platform::GetSystemMetrics(platform::kSmCxScreen);
    DisplayHeight = platform::GetSystemMetrics(platform::kSmCyScreen);
    Trace("Display resolution: " + SizeText(DisplayWidth, DisplayHeight));
}

void RecordWindowMeasurements(const platform::Rect& outer, const platform::Rect& client) {
    std::int32_t outerWidth = outer.right - outer.left;
    std::int32_t outerHeight = outer.bottom - outer.top;
    std::int32_t clientWidth = client.right - client.left;
    std::int32_t clientHeight = client.bottom - client.top;

    if (Settings.AutodetectBorderSize) {
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
            ? FindTargetWindow(Settings.FindByPid, TargetJobProcesses.ids, TargetJobProcesses.listed,
                               Settings.FindByName, Settings.NameMask)
            : FindTargetWindow(Settings.FindByPid, TargetProcessId, Settings.FindByName, Settings.NameMask);
    if (window == platform::kNoWindow) return false;

    platform::Rect outer, client;
    // A window destroyed since the search has no rectangles; the next cycle searches again.
    if (!platform::GetWindowRect(window, outer) || !platform::GetClientRect(window, client)) return false;

    RecordWindowMeasurements(outer, client);
    ComputeDesiredWindowSize();
    TargetWindow = window;
    return true;
}
