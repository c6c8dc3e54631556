// Displays and the system metrics on the simulated desktop.
#include "platform/displays.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

int GetSystemMetrics(int index) {
    Active().count(Call::GetSystemMetrics);
    return Active().systemMetric(index);
}

std::vector<MonitorHandle> EnumDisplayMonitors() {
    Active().count(Call::EnumDisplayMonitors);
    return Active().monitors();
}

bool GetMonitorInfoA(MonitorHandle monitor, MonitorInfo& info) {
    Active().count(Call::GetMonitorInfoA);
    return Active().monitorInfo(monitor, info);
}

MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) {
    Active().count(Call::MonitorFromWindow);
    return Active().monitorOfWindow(window, flags);
}

MonitorHandle MonitorFromRect(const Rect& rect, std::uint32_t flags) {
    Active().count(Call::MonitorFromRect);
    return Active().monitorOfRect(rect, flags);
}

}  // namespace platform
