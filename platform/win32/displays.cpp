// Displays and the system metrics on the real system.
#include "platform/displays.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/conversions.h"

namespace platform {

namespace {

HMONITOR ToHmonitor(MonitorHandle monitor) {
    return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(monitor));
}
MonitorHandle FromHmonitor(HMONITOR monitor) {
    return static_cast<MonitorHandle>(reinterpret_cast<std::uintptr_t>(monitor));
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<MonitorHandle>*>(list)->push_back(FromHmonitor(monitor));
    return TRUE;
}

}  // namespace

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

std::vector<MonitorHandle> EnumDisplayMonitors() {
    std::vector<MonitorHandle> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info) {
    MONITORINFOEXA raw;
    raw.cbSize = sizeof raw;
    if (!::GetMonitorInfoA(ToHmonitor(monitor), &raw)) return false;
    info.monitor = FromRect(raw.rcMonitor);
    info.work = FromRect(raw.rcWork);
    info.flags = raw.dwFlags;
    info.device.assign(raw.szDevice, ::strnlen(raw.szDevice, sizeof raw.szDevice));
    return true;
}

MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) {
    return FromHmonitor(::MonitorFromWindow(ToHwnd(window), flags));
}

MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags) {
    const RECT raw{rect.left, rect.top, rect.right, rect.bottom};
    return FromHmonitor(::MonitorFromRect(&raw, flags));
}

}  // namespace platform
