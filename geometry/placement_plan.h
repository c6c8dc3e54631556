#pragma once

#include "platform/platform.h"

// The rectangle the first resize would give a window with these outer and client
// rectangles, on the display in DisplayWidth x DisplayHeight: it is measured,
// sized and placed by the launcher's own steps, and no window is touched. With
// movewindow=none the window keeps its top left corner. Raises what
// ComputeDesiredWindowSize raises.
platform::Rect PlanFirstPlacement(const platform::Rect& outer, const platform::Rect& client);
