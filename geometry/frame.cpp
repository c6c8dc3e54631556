#include "geometry/frame.h"

#include <cstdio>
#include <string>

#include "diagnostics/trace.h"
#include "settings/settings.h"

namespace {

// WS_CAPTION (with WS_BORDER), WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX.
constexpr std::uint32_t kFrameStyles = 0x00C00000u | 0x00040000u | 0x00080000u | 0x00020000u | 0x00010000u;
// WS_EX_DLGMODALFRAME, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_EX_WINDOWEDGE.
constexpr std::uint32_t kEdgeExStyles = 0x00000001u | 0x00000200u | 0x00020000u | 0x00000100u;

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// Writes the style without the given bits when it has any, and reads back what the
// window kept.
std::uint32_t Strip(platform::WindowHandle window, int index, std::uint32_t bits) {
    std::uint32_t style = platform::GetWindowLongA(window, index);
    if ((style & bits) == 0) return style;
    platform::SetWindowLongA(window, index, style & ~bits);
    return platform::GetWindowLongA(window, index);
}

}  // namespace

std::uint32_t TakeFrameOff(platform::WindowHandle window) {
    const std::uint32_t style = platform::GetWindowLongA(window, platform::kGwlStyle);
    const std::uint32_t exStyle = platform::GetWindowLongA(window, platform::kGwlExStyle);
    if ((style & kFrameStyles) == 0 && (exStyle & kEdgeExStyles) == 0) return 0;
    if (style == RefusedFrameStyle && exStyle == RefusedFrameExStyle) return 0;

    // The style first: the system gives a framed style its window edge back, so the
    // extended style is read again after it.
    std::uint32_t newStyle = style;
    if (style & kFrameStyles) {
        platform::SetWindowLongA(window, platform::kGwlStyle, style & ~kFrameStyles);
        newStyle = platform::GetWindowLongA(window, platform::kGwlStyle);
    }
    const std::uint32_t newExStyle = Strip(window, platform::kGwlExStyle, kEdgeExStyles);

    if ((newStyle & kFrameStyles) != 0 || (newExStyle & kEdgeExStyles) != 0) {
        RefusedFrameStyle = newStyle;
        RefusedFrameExStyle = newExStyle;
        Trace("Warning: the window keeps its frame (style " + Hex(newStyle) + ", extended style " +
              Hex(newExStyle) + "); not trying again until its style changes");
    } else {
        Trace("Frame taken off the window (style " + Hex(style) + " -> " + Hex(newStyle) + ", extended style " +
              Hex(exStyle) + " -> " + Hex(newExStyle) + ")");
    }
    return newStyle != style || newExStyle != exStyle ? platform::kSwpFrameChanged : 0;
}

bool FrameIsBack(platform::WindowHandle window) {
    const std::uint32_t style = platform::GetWindowLongA(window, platform::kGwlStyle);
    return (style & kFrameStyles) != 0 && style != RefusedFrameStyle;
}
