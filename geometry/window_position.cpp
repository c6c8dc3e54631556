#include "geometry/window_position.h"

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

}  // namespace

bool ComputeWindowPosition(std::int32_t& x, std::int32_t& y) {
    if (Settings.MoveWindow == MoveWindowMode::Fixed) {
        x = Settings.WindowX;
        y = Settings.WindowY;
        return true;
    }
    if (Settings.MoveWindow == MoveWindowMode::Centre) {
        x = CentredPosition(DisplayWidth, DesiredWidth, "X");
        y = CentredPosition(DisplayHeight, DesiredHeight, "Y");
        return true;
    }
    return false;
}
