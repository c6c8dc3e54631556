// What the launcher wants around the window while the program runs, decided from
// what a cycle saw and what the launcher did last. No platform calls: the step in
// play.cpp reads the system, asks these rules, and acts only on their answer.
#pragma once

#include "platform/platform.h"

// What one cycle saw of the program's window.
struct WindowView {
    bool inFront = false;  // it, or a window it owns, is the foreground window
    bool minimised = false;
    platform::Rect client;  // its client area in screen coordinates
};

// While the window is in front, its client area, minimised state and topmost bit are
// read when its outer rectangle or the foreground changed, and at least every
// kPlayDetailEvery cycles (some 11 ms each: within a quarter of a second) for what
// changes where the window stands.
constexpr int kPlayDetailEvery = 16;

// The cursor is kept in the client area while the window is in front, not
// minimised and not paused, and has an area at all. True with the rectangle then.
bool WantedClip(const WindowView& view, bool paused, platform::Rect& clip);
// The window is topmost under the same conditions.
bool WantedTopmost(const WindowView& view, bool paused);

// The clip the launcher set last: the rectangle it asked for, and the one the system
// made of it (cut to the screen), which GetClipCursor shows while it is in force.
struct ClipMemory {
    bool set = false;
    platform::Rect asked, inForce;
};

enum class ClipMove {
    Keep,     // nothing to call
    Apply,    // ClipCursor with the wanted rectangle
    Release,  // ClipCursor(null): the launcher's own clip is still in force
    Forget,   // the clip in force is no longer the launcher's: leave it alone
};
// `current` is what GetClipCursor shows now. Every ClipCursor moves the mouse, so a
// clip is applied only when the one in force is not what was wanted.
ClipMove DecideClip(bool wanted, const platform::Rect& clip, const platform::Rect& current, const ClipMemory& ours);

enum class TopmostMove { Keep, Raise, Lower, Forget };
// `made`: the launcher made the window topmost and has not put it back. A window
// that is topmost by its own doing stays so.
TopmostMove DecideTopmost(bool wanted, bool topmost, bool made);

// The surround is up while the window has had its first placement, is shown
// (kWsVisible in its style) and not minimised (kWsMinimize), and play is not paused.
bool WantedSurround(bool placed, std::uint32_t style, bool paused);

// While the surround is up, each cycle reads the window right below the program's;
// the window's style (minimised, hidden) only where something may have changed: the
// surround down, another window below, the window's rectangle unknown this cycle or
// moved (a minimised window moves), and at least every kSurroundStyleEvery cycles,
// for a window its program hides where it stands.
constexpr int kSurroundStyleEvery = 25;
bool SurroundStyleToRead(bool up, bool beneath, bool outerChanged, int cyclesSinceRead);

enum class SurroundMove {
    Keep,   // nothing to call
    Show,   // put right beneath the window over the display, and shown
    Place,  // put right beneath the window over the display
    Hide,
};
// `up`: the surround is shown now; `beneath`: it is the window right below the
// program's (read only while it is up); `sameDisplay`: it covers the display it is
// to cover. Every call is made only on a difference.
SurroundMove DecideSurround(bool wanted, bool up, bool beneath, bool sameDisplay);
