// The simulated desktop's displays: the primary one and those added, and which one
// holds a window or a rectangle.
#include "tests/support/fake_desktop.h"

#include <algorithm>

#include "tests/support/desktop_records.h"

namespace fake {

namespace {

std::int64_t Overlap(const Rect& a, const Rect& b) {
    std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between two rectangles, 0 when they touch or overlap.
std::int64_t DistanceSquared(const Rect& a, const Rect& b) {
    std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
    std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
    return dx * dx + dy * dy;
}

}  // namespace

Desktop& Desktop::display(int width, int height) {
    displayWidth_ = width;
    displayHeight_ = height;
    return *this;
}

Desktop& Desktop::addDisplay(std::string device, int left, int top, int width, int height) {
    extraDisplays_.push_back({std::move(device), {left, top, left + width, top + height}});
    return *this;
}

Rect Desktop::virtualScreen() const {
    Rect screen{0, 0, displayWidth_, displayHeight_};
    for (const DisplayEntry& display : extraDisplays_) {
        screen = {std::min(screen.left, display.rect.left), std::min(screen.top, display.rect.top),
                  std::max(screen.right, display.rect.right), std::max(screen.bottom, display.rect.bottom)};
    }
    return screen;
}

int Desktop::systemMetric(int index) const {
    if (index == platform::kSmCxScreen) return displayWidth_;
    if (index == platform::kSmCyScreen) return displayHeight_;
    return 0;
}

std::vector<platform::MonitorHandle> Desktop::monitors() const {
    std::vector<platform::MonitorHandle> handles;
    for (std::size_t i = 0; i <= extraDisplays_.size(); ++i) handles.push_back(static_cast<std::uint32_t>(i + 1));
    return handles;
}

bool Desktop::monitorInfo(platform::MonitorHandle monitor, platform::MonitorInfo& info) const {
    if (monitor == 1) {
        info = {{0, 0, displayWidth_, displayHeight_}, {0, 0, displayWidth_, displayHeight_},
                platform::kMonitorInfoPrimary, "\\\\.\\DISPLAY1"};
        return true;
    }
    if (monitor < 2 || monitor - 2 >= extraDisplays_.size()) return false;
    const DisplayEntry& display = extraDisplays_[monitor - 2];
    info = {display.rect, display.rect, 0, display.device};
    return true;
}

platform::MonitorHandle Desktop::monitorOfWindow(WindowHandle handle, std::uint32_t flags) const {
    const Window* window = find(handle);
    return window == nullptr ? 0 : monitorOfRect(window->outer, flags);
}

// The display with the largest part of the rectangle (the first of equals), else
// the nearest one when asked for.
platform::MonitorHandle Desktop::monitorOfRect(const Rect& rect, std::uint32_t flags) const {
    platform::MonitorHandle best = 0, nearest = 1;
    std::int64_t bestArea = 0, nearestDistance = -1;
    for (platform::MonitorHandle monitor : monitors()) {
        platform::MonitorInfo info;
        monitorInfo(monitor, info);
        std::int64_t area = Overlap(rect, info.monitor);
        if (area > bestArea) {
            bestArea = area;
            best = monitor;
        }
        std::int64_t distance = DistanceSquared(rect, info.monitor);
        if (nearestDistance < 0 || distance < nearestDistance) {
            nearestDistance = distance;
            nearest = monitor;
        }
    }
    if (best != 0) return best;
    return (flags & platform::kMonitorDefaultToNearest) ? nearest : 0;
}

}  // namespace fake
