#pragma once

#include "platform/platform.h"

// Takes the display that windowresize->display numbers into DisplayLeft, DisplayTop,
// DisplayWidth and DisplayHeight. False, with nothing changed, when the system no
// longer has it.
bool ReadNumberedDisplay();

// Takes the display that holds the larger part of the window, or the nearest one
// when it is on none. A display the system cannot describe leaves the previous one.
void ReadDisplayOfWindow(platform::WindowHandle window);
