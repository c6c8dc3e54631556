#pragma once

#include "platform/platform.h"

// Takes the display that windowresize->display numbers into DisplayLeft, DisplayTop,
// DisplayWidth and DisplayHeight. False, with nothing changed, when the system no
// longer has it.
bool ReadNumberedDisplay();

// Takes the display that holds the larger part of the window, or the nearest one
// when it is on none. A display the system cannot describe leaves the previous one.
void ReadDisplayOfWindow(platform::WindowHandle window);

// The same for a window seen with this outer rectangle, by the same rule of the
// system: for a preview of a window that may since have moved.
void ReadDisplayOfRect(const platform::Rect& outer);

// The rectangle of the display that holds the larger part of a window seen with
// this outer rectangle, or of the nearest one. False when the system cannot say.
bool DisplayRectOf(const platform::Rect& outer, platform::Rect& display);
