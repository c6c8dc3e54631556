// With tweaks->surround: a window of the launcher's own in tweaks->surroundcolour
// over the display the program's window is placed on, kept right beneath that
// window, so nothing of the desktop shows around a smaller game. It never takes the
// focus and is not in the taskbar or alt-tab; it is painted by its class brush, so
// a cycle draws nothing. Without the key none of these functions calls the system.
#pragma once

#include "platform/input.h"

// Makes the surround, hidden. One the system refuses is traced, and the run goes on
// without it.
void StartSurround();
bool SurroundExists();
// One cycle's look: while the surround is up the window right below the
// program's, and the window's style where something may have changed (see
// SurroundStyleToRead); a call only where they differ from what is wanted. `outer`
// as for PlayCycle. False when the program's window is gone.
bool SurroundCycle(const platform::Rect* outer, bool placed, bool paused);
// Down until a cycle wants it again: before a box, and while no window is known.
void HideSurround();
// A click on the surround gives the foreground back to the program's window.
void TakeSurroundClick(const platform::QueuedMessage& message);
// Destroys the surround: the end of a run, on every road.
void EndSurround();
