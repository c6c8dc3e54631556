#pragma once

#include "platform/platform.h"

// Takes the primary display's size into DisplayWidth and DisplayHeight, once,
// before the launch.
void ReadDisplayResolution();

// Searches for the target window and, when it is found, measures its border, outer
// and client sizes, computes its desired size, and only then publishes it in
// TargetWindow. Returns false, with TargetWindow at the not-found value and every
// measurement unchanged, when no window was found or it vanished before it could
// be measured.
bool MeasureTargetWindow();

// Takes the border size (measured from the rectangles, or the forced one) and the
// window's outer and client sizes from a window's outer and client rectangles.
void RecordWindowMeasurements(const platform::Rect& outer, const platform::Rect& client);
