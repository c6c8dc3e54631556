// Displays: the ones the system knows, where each lies and which one holds a window
// or a rectangle, and the system metrics of the primary display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;

int GetSystemMetrics(int index);

// MONITORINFOEXA: the display's rectangle and work area in virtual-screen
// coordinates, its flags, and its device name ("\\.\DISPLAY1", ...).
struct MonitorInfo {
    Rect monitor;
    Rect work;
    std::uint32_t flags = 0;
    std::string device;
};

constexpr std::uint32_t kMonitorInfoPrimary = 0x1;
constexpr std::uint32_t kMonitorDefaultToNearest = 0x2;

// EnumDisplayMonitors with no device context and no clipping rectangle: every
// display's handle, in the order the system gives them.
std::vector<MonitorHandle> EnumDisplayMonitors();
bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info);
// The display with the largest part of the window; with kMonitorDefaultToNearest,
// the nearest one when the window is on none.
MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags);
// The same for a rectangle in virtual-screen coordinates, such as a window's outer
// rectangle as it was seen once.
MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags);

}  // namespace platform
