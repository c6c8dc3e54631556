#pragma once

#include <cstdint>

#include "platform/platform.h"

// Takes the caption, sizing frame, system menu and boxes out of the window's style,
// and the dialog frame and edges out of its extended style, writing only a style
// that has such a bit. Returns kSwpFrameChanged when a style changed, for the
// placement that follows, else 0. Styles the window refuses to give up are traced
// and kept in RefusedFrameStyle and RefusedFrameExStyle, and not written again
// until they change.
std::uint32_t TakeFrameOff(platform::WindowHandle window);

// One style read: true when the window shows a frame again that it has not
// refused to lose.
bool FrameIsBack(platform::WindowHandle window);
