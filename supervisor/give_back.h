// What an attached supervisor gives back when it is asked to stop: the window as it
// was when it was first found.
#pragma once

#include "platform/windows.h"

struct WindowAsFound {
    platform::WindowHandle window = platform::kNoWindow;
    platform::WindowInfo info;
};

// Keeps the window's rectangle and styles, before anything was done to it; a window
// kept already is not read again, so one lost and found again keeps what it first had.
void RememberWindow(WindowAsFound& found, platform::WindowHandle window);

// Gives the window kept its outer rectangle back and, with tweaks->borderless, its
// style and extended style, re-applied with a frame change. Without a window kept
// there is nothing to give back.
void GiveWindowBack(const WindowAsFound& found);
