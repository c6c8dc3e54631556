#include "geometry/frame.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "diagnostics/trace.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace {

// WS_CAPTION (with WS_BORDER), WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX.
constexpr std::uint32_t kFrameStyles = 0x00C00000u | 0x00040000u | 0x00080000u | 0x00020000u | 0x00010000u;
// WS_EX_DLGMODALFRAME, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_EX_WINDOWEDGE.
constexpr std::uint32_t kEdgeExStyles = 0x00000001u | 0x00000200u | 0x00020000u | 0x00000100u;

// Traces a line formatted in a buffer of its own: the lock may take a frame off in
// every cycle, and its cycles touch no heap.
[[gnu::format(printf, 1, 2)]] void TraceFormatted(const char* format, ...) {
    char line[192];
    std::va_list values;
    va_start(values, format);
    const int length = std::vsnprintf(line, sizeof line, format, values);
    va_end(values);
    if (length > 0) Trace(std::string_view(line, std::min(static_cast<std::size_t>(length), sizeof line - 1)));
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
        TraceFormatted("Warning: the window keeps its frame (style 0x%08X, extended style 0x%08X); not trying "
                       "again until its style changes",
                       static_cast<unsigned>(newStyle), static_cast<unsigned>(newExStyle));
    } else {
        TraceFormatted("Frame taken off the window (style 0x%08X -> 0x%08X, extended style 0x%08X -> 0x%08X)",
                       static_cast<unsigned>(style), static_cast<unsigned>(newStyle), static_cast<unsigned>(exStyle),
                       static_cast<unsigned>(newExStyle));
    }
    return newStyle != style || newExStyle != exStyle ? platform::kSwpFrameChanged : 0;
}

bool FrameIsBack(platform::WindowHandle window) {
    const std::uint32_t style = platform::GetWindowLongA(window, platform::kGwlStyle);
    return (style & kFrameStyles) != 0 && style != RefusedFrameStyle;
}
