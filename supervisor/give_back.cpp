#include "supervisor/give_back.h"

#include <string>

#include "diagnostics/trace.h"
#include "settings/settings.h"

void RememberWindow(WindowAsFound& found, platform::WindowHandle window) {
    if (window == found.window) return;
    platform::WindowInfo info;
    if (!platform::GetWindowInfo(window, info)) return;
    found.window = window;
    found.info = info;
}

void GiveWindowBack(const WindowAsFound& found) {
    if (found.window == platform::kNoWindow) {
        Trace("No window was found: nothing to give back");
        return;
    }
    std::uint32_t frameChanged = 0;
    if (Settings.Borderless) {
        platform::SetWindowLongA(found.window, platform::kGwlStyle, found.info.style);
        platform::SetWindowLongA(found.window, platform::kGwlExStyle, found.info.exStyle);
        frameChanged = platform::kSwpFrameChanged;
    }
    const platform::Rect& outer = found.info.outer;
    const bool given = platform::SetWindowPos(found.window, 0, outer.left, outer.top, outer.right - outer.left,
                                              outer.bottom - outer.top,
                                              platform::kSwpNoZOrder | platform::kSwpNoActivate | frameChanged);
    Trace((given ? "Window given back: " : "Cannot give the window back (it is gone): ") +
          std::to_string(outer.left) + ", " + std::to_string(outer.top) + " - " +
          std::to_string(outer.right - outer.left) + " x " + std::to_string(outer.bottom - outer.top));
}
