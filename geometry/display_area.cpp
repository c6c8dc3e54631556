#include "geometry/display_area.h"

#include <limits>
#include <string>

#include "diagnostics/trace.h"
#include "platform/displays.h"
#include "settings/displays.h"
#include "settings/settings.h"

namespace {

// A display wider than the 32-bit range cannot exist; the clamp keeps the
// arithmetic defined whatever the system reports.
std::int32_t Extent(std::int32_t from, std::int32_t to) {
    std::int64_t extent = std::int64_t{to} - from;
    return extent > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                              : static_cast<std::int32_t>(extent);
}

void UseDisplay(const platform::Rect& rect) {
    DisplayLeft = rect.left;
    DisplayTop = rect.top;
    DisplayWidth = Extent(rect.left, rect.right);
    DisplayHeight = Extent(rect.top, rect.bottom);
}

void UseMonitor(platform::MonitorHandle monitor) {
    platform::MonitorInfo info;
    if (monitor == 0 || !platform::GetMonitorInfoA(monitor, info)) {
        Trace("Warning: the window's display is unknown; keeping " + std::to_string(DisplayWidth) + " x " +
              std::to_string(DisplayHeight) + " at " + std::to_string(DisplayLeft) + ", " +
              std::to_string(DisplayTop));
        return;
    }
    UseDisplay(info.monitor);
    Trace("Display of the window: " + info.device + ", " + DisplayText(info.monitor));
}

}  // namespace

bool ReadNumberedDisplay() {
    for (const DisplayEntry& display : ListDisplays()) {
        if (display.number != Settings.DisplayNumber) continue;
        UseDisplay(display.rect);
        Trace("Display resolution: " + std::to_string(DisplayWidth) + " x " + std::to_string(DisplayHeight));
        Trace("Display " + std::to_string(display.number) + " (" + display.device + ") at " +
              std::to_string(DisplayLeft) + ", " + std::to_string(DisplayTop));
        return true;
    }
    Trace("Warning: display " + std::to_string(Settings.DisplayNumber) + " is gone; using the primary display");
    return false;
}

void ReadDisplayOfWindow(platform::WindowHandle window) {
    UseMonitor(platform::MonitorFromWindow(window, platform::kMonitorDefaultToNearest));
}

void ReadDisplayOfRect(const platform::Rect& outer) {
    UseMonitor(platform::MonitorFromRect(outer, platform::kMonitorDefaultToNearest));
}

bool DisplayRectOf(const platform::Rect& outer, platform::Rect& display) {
    platform::MonitorInfo info;
    const platform::MonitorHandle monitor = platform::MonitorFromRect(outer, platform::kMonitorDefaultToNearest);
    if (monitor == 0 || !platform::GetMonitorInfoA(monitor, info)) return false;
    display = info.monitor;
    return true;
}
