#include "geometry/window_position.h"

#include <limits>
#include <string>

#include "diagnostics/trace.h"
#include "settings/settings.h"

namespace {

// Each half is truncated on its own before the subtraction. A window larger than
// the display would start offscreen; it starts at 0 instead.
std::int32_t CentredPosition(std::int32_t display, std::int32_t window, const char* axis) {
    std::int32_t position = display / 2 - window / 2;
    if (position < 0) {
        Trace(std::string("Warning: Window would have been offscreen (new ") + axis +
              " position = " + std::to_string(position));
        position = 0;
    }
    return position;
}

// From the display's top left corner to the screen, without wrapping.
std::int32_t OnDisplay(std::int32_t origin, std::int32_t offset) {
    std::int64_t position = std::int64_t{origin} + offset;
    if (position > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (position < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(position);
}

}  // namespace

bool ComputeWindowPosition(std::int32_t& x, std::int32_t& y) {
    if (Settings.MoveWindow == MoveWindowMode::Fixed) {
        x = OnDisplay(DisplayLeft, Settings.WindowX);
        y = OnDisplay(DisplayTop, Settings.WindowY);
        return true;
    }
    if (Settings.MoveWindow == MoveWindowMode::Centre) {
        x = OnDisplay(DisplayLeft, CentredPosition(DisplayWidth, DesiredWidth, "X"));
        y = OnDisplay(DisplayTop, CentredPosition(DisplayHeight, DesiredHeight, "Y"));
        return true;
    }
    return false;
}
