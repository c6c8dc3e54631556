// What the launcher does around the window while the program runs: with
// tweaks->clipcursor the cursor kept in the window's client area, with
// tweaks->topmost the window above the others, each while the window is in front;
// with tweaks->surround the rest of its display covered in one colour (surround.h);
// with tweaks->pausekey a system-wide key that pauses them all and the lock. Without
// those keys none of these functions calls the system.
#pragma once

#include "platform/platform.h"

// Registers the pause key (a combination another program holds is traced and the
// run goes on without it), makes the surround, and has every error box release the
// cursor, the topmost band and the surround first: the loop halts while a box is up.
void StartPlay();
// True while the loop is to look at the launcher's message queue.
bool PlayUsesQueue();
// Takes every queued message: the pause key's turns the pause on or off (a trace
// line "Paused" or "Resumed" and a sound of its own for each); the others are
// dispatched to their windows, and a click on the surround gives the foreground
// back to the program's window.
void TakeQueuedMessages();
bool PlayPaused();

// One cycle's look at the target window: confines or frees the cursor, makes the
// window topmost or not, and shows, places or hides the surround, calling only
// where the system differs from what is wanted. `outer` is the window's outer
// rectangle when this cycle has already read it and left it as it was, else null;
// `placed`: the first placement has been made. A window that is gone sets
// TargetWindow to the not-found value, so the loop searches for the program's
// window again; while none is known all is let go as by ReleasePlay.
void PlayCycle(const platform::Rect* outer, bool placed);

// Frees the cursor while the launcher's own clip is in force (a clip another
// program set is left alone), takes a window it made topmost out of the topmost
// band and hides the surround. The next cycle applies them again when they are
// still wanted.
void ReleasePlay();
// ReleasePlay, the surround destroyed and the pause key given back: the end of a
// run, on every road.
void EndPlay();
