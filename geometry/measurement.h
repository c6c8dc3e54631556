#pragma once

#include "platform/platform.h"

// Takes the display's size into DisplayWidth and DisplayHeight, and its top left
// corner into DisplayLeft and DisplayTop, once, before the launch: the primary
// display's, or the numbered one that windowresize->display chooses.
void ReadDisplayResolution();

// Searches for the target window and, when it is found, measures its border, outer
// and client sizes, computes its desired size, and only then publishes it in
// TargetWindow. Returns false, with TargetWindow at the not-found value and every
// measurement unchanged, when no window was found or it vanished before it could
// be measured. With windowresize->display=window it takes the window's display first.
bool MeasureTargetWindow();

// Takes the border size (measured from the rectangles, the forced one, or none for
// a window that is to lose its frame) and the
// window's outer and client sizes from a window's outer and client rectangles.
void RecordWindowMeasurements(const platform::Rect& outer, const platform::Rect& client);
