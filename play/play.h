// What the launcher does around the window while the program runs: with
// tweaks->clipcursor the cursor kept in the window's client area, with
// tweaks->topmost the window above the others, each while the window is in front;
// with tweaks->pausekey a system-wide key that pauses both and the lock. Without
// those keys none of these functions calls the system.
#pragma once

#include "platform/platform.h"

// Registers the pause key (a combination another program holds is traced and the
// run goes on without it) and has every error box release the cursor and the
// topmost band first: the loop halts while a box is up.
void StartPlay();
// True while the loop is to look at the launcher's message queue.
bool PlayUsesQueue();
// Takes every queued message: the pause key's turns the pause on or off (a trace
// line "Paused" or "Resumed" and a sound of its own for each); the others are
// dispatched to their windows.
void TakeQueuedMessages();
bool PlayPaused();

// One cycle's look at the target window: confines or frees the cursor and makes the
// window topmost or not, calling only where the system differs from what is
// wanted. `outer` is the window's outer rectangle when this cycle has already read
// it and left it as it was, else null. A window that is gone sets TargetWindow to
// the not-found value, so the loop searches for the program's window again.
void PlayCycle(const platform::Rect* outer);

// Frees the cursor while the launcher's own clip is in force (a clip another
// program set is left alone) and takes a window it made topmost out of the topmost
// band. The next cycle applies them again when they are still wanted.
void ReleasePlay();
// ReleasePlay, and the pause key given back: the end of a run, on every road.
void EndPlay();
