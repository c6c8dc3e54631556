#include "play/play.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "diagnostics/error_box.h"
#include "diagnostics/trace.h"
#include "platform/input.h"
#include "platform/windows.h"
#include "play/play_rules.h"
#include "play/surround.h"
#include "settings/pause_key.h"
#include "settings/settings.h"

namespace {

constexpr std::uint32_t kPauseKeyId = 1;

struct PlayState {
    bool active = false;  // clipcursor or topmost
    bool hotkeyHeld = false;
    bool paused = false;
    // What the cycles saw of `window`, kept so that a cycle reads only what changed.
    platform::WindowHandle window = platform::kNoWindow;
    platform::WindowHandle foreground = platform::kNoWindow;
    platform::WindowHandle foregroundRoot = 0;  // the end of its chain of owners
    bool detailKnown = false;                   // view.minimised, view.client and topmost belong to `outer`
    int cyclesSinceDetail = 0;
    platform::Rect outer;
    WindowView view;
    bool topmost = false;
    // What the launcher did.
    ClipMemory clip;
    bool topmostMade = false;
    // topmostWanted holds the last wish; the bit is set again when the wish changes or
    // a look finds it taken away.
    bool topmostDecided = false;
    bool topmostWanted = false;
};

PlayState State;

// Built in place: another program may confine the cursor in every cycle, and the
// launcher's cycles touch no heap.
void TraceConfined(const platform::Rect& r) {
    char line[96];
    const int length = std::snprintf(line, sizeof line, "Cursor confined to %d, %d - %d x %d", static_cast<int>(r.left),
                                     static_cast<int>(r.top), static_cast<int>(r.right - r.left),
                                     static_cast<int>(r.bottom - r.top));
    if (length > 0) Trace(std::string_view(line, std::min(static_cast<std::size_t>(length), sizeof line - 1)));
}

// The foreground every cycle; whether it is the program's only when it changed; the
// window's rectangle while it is in front, and what else it shows (its client area,
// minimised, topmost) when that rectangle or the foreground changed and every
// kPlayDetailEvery cycles, for what changes where the window stands (a frame taken
// off, a menu, the topmost bit taken away). False when the window is gone; `read`:
// the rest was read this cycle.
bool Look(const platform::Rect* outer, bool& read) {
    read = false;
    const platform::WindowHandle foreground = platform::GetForegroundWindow();
    if (foreground != State.foreground) {
        State.foreground = foreground;
        State.foregroundRoot = foreground == 0 || foreground == State.window
                                   ? foreground
                                   : platform::GetAncestor(foreground, platform::kGaRootOwner);
        State.detailKnown = false;
        State.view.inFront = foreground != 0 && State.foregroundRoot == State.window;
        if (!State.view.inFront && !platform::IsWindow(State.window)) return false;
    }
    if (!State.view.inFront) return true;
    platform::Rect seen;
    if (outer != nullptr) seen = *outer;
    else if (!platform::GetWindowRect(State.window, seen)) return false;
    if (State.detailKnown && seen == State.outer && ++State.cyclesSinceDetail < kPlayDetailEvery) return true;

    platform::WindowInfo info;
    if (!platform::GetWindowInfo(State.window, info)) return false;
    State.outer = seen;
    State.view.minimised = (info.style & platform::kWsMinimize) != 0;
    State.view.client = info.client;
    State.topmost = (info.exStyle & platform::kWsExTopmost) != 0;
    State.detailKnown = read = true;
    State.cyclesSinceDetail = 0;
    return true;
}

void SetClip(bool wanted, const platform::Rect& clip) {
    if (!wanted && !State.clip.set) return;
    platform::Rect current;
    platform::GetClipCursor(current);
    switch (DecideClip(wanted, clip, current, State.clip)) {
        case ClipMove::Keep:
            return;
        case ClipMove::Apply:
            platform::ClipCursor(&clip);
            // What the system made of it, cut to the screen, is what later cycles compare.
            platform::GetClipCursor(State.clip.inForce);
            State.clip.asked = clip;
            State.clip.set = true;
            TraceConfined(clip);
            return;
        case ClipMove::Release:
            platform::ClipCursor(nullptr);
            Trace("Cursor freed");
            break;
        case ClipMove::Forget:
            break;
    }
    State.clip.set = false;
}

bool IsTopmost(platform::WindowHandle window) {
    return (platform::GetWindowLongA(window, platform::kGwlExStyle) & platform::kWsExTopmost) != 0;
}

// Where the window goes when it leaves the topmost band: where an ordinary window
// would be. HWND_NOTOPMOST puts it above every ordinary window, so above the program
// switched to, which the system raised to the top of them: when that program's
// window is the first ordinary one below, the window goes right below its root
// window instead. The surround is passed over: it follows the window.
platform::WindowHandle PlaceOutOfTheBand() {
    for (platform::WindowHandle below = platform::GetWindow(State.window, platform::kGwHwndNext); below != 0;
         below = platform::GetWindow(below, platform::kGwHwndNext)) {
        if (below == SurroundWindow || IsTopmost(below)) continue;
        return below == State.foreground && State.foregroundRoot != 0 ? State.foregroundRoot
                                                                        : platform::kHwndNoTopmost;
    }
    return platform::kHwndNoTopmost;
}

void SetTopmost(bool wanted) {
    const bool topmost = IsTopmost(State.window);
    const std::uint32_t flags = platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpNoActivate;
    switch (DecideTopmost(wanted, topmost, State.topmostMade)) {
        case TopmostMove::Keep:
            break;
        case TopmostMove::Raise:
            if (platform::SetWindowPos(State.window, platform::kHwndTopmost, 0, 0, 0, 0, flags)) {
                State.topmostMade = true;
                Trace("Window made topmost");
            }
            break;
        case TopmostMove::Lower:
            platform::SetWindowPos(State.window, PlaceOutOfTheBand(), 0, 0, 0, 0, flags);
            Trace("Window no longer topmost");
            State.topmostMade = false;
            break;
        case TopmostMove::Forget:
            State.topmostMade = false;
            break;
    }
}

void TogglePause() {
    State.paused = !State.paused;
    Trace(State.paused ? "Paused" : "Resumed");
    platform::MessageBeep(State.paused ? platform::kMbIconExclamation : platform::kMbIconAsterisk);
}

// The cursor and topmost for this cycle; false when the window is gone.
bool ClipAndTopmostCycle(const platform::Rect* outer) {
    if (TargetWindow != State.window) {
        // Another window: nothing seen or done so far concerns it.
        PlayState fresh;
        fresh.active = State.active;
        fresh.hotkeyHeld = State.hotkeyHeld;
        fresh.paused = State.paused;
        fresh.clip = State.clip;  // the clip is the cursor's, whichever window it was for
        fresh.window = TargetWindow;
        State = fresh;
    }
    bool read;
    if (!Look(outer, read)) return false;
    if (Settings.ClipCursor) {
        platform::Rect clip;
        const bool wanted = WantedClip(State.view, State.paused, clip);
        SetClip(wanted, clip);
    }
    if (Settings.Topmost) {
        const bool wanted = WantedTopmost(State.view, State.paused);
        // Taken away while the window stays in front (by the program or another tool).
        const bool lost = read && wanted && !State.topmost;
        if (!State.topmostDecided || wanted != State.topmostWanted || lost) SetTopmost(wanted);
        State.topmostDecided = true;
        State.topmostWanted = wanted;
    }
    return true;
}

}  // namespace

void StartPlay() {
    State = PlayState{};
    State.active = Settings.ClipCursor || Settings.Topmost;
    if (Settings.ClipCursor) Trace("Will keep the cursor in the window while it is in front");
    if (Settings.Topmost) Trace("Will keep the window topmost while it is in front");
    if (Settings.PauseKey.key != 0) {
        const std::string name = PauseKeyText(Settings.PauseKey);
        State.hotkeyHeld = platform::RegisterHotKey(kPauseKeyId, Settings.PauseKey.modifiers | platform::kModNoRepeat,
                                                    Settings.PauseKey.key);
        // A box would hold the window's sizing up: the run goes on without the key.
        Trace(State.hotkeyHeld ? "Pause key: " + name
                               : "The pause key " + name + " is taken by another program; running without it");
    }
    StartSurround();
    SetBeforeErrorBox(State.active || SurroundExists() ? ReleasePlay : nullptr);
}

bool PlayUsesQueue() { return State.hotkeyHeld || SurroundExists(); }

void TakeQueuedMessages() {
    platform::QueuedMessage message;
    while (platform::PeekMessageA(message)) {
        if (message.window == 0 && message.message == platform::kWmHotkey && message.wParam == kPauseKeyId) {
            TogglePause();
        } else {
            TakeSurroundClick(message);
            platform::DispatchMessageA(message);
        }
    }
}

bool PlayPaused() { return State.paused; }

void PlayCycle(const platform::Rect* outer, bool placed) {
    // While no window is known nothing is wanted; the foreground may still be the
    // program's, so Windows would leave the cursor confined.
    if (TargetWindow == platform::kNoWindow) {
        ReleasePlay();
        return;
    }
    if (State.active && !ClipAndTopmostCycle(outer)) {
        TargetWindow = platform::kNoWindow;
        ReleasePlay();
        return;
    }
    // After topmost: the surround takes its band from the window above it.
    if (!SurroundCycle(outer, placed, State.paused)) TargetWindow = platform::kNoWindow;
}

void ReleasePlay() {
    SetClip(false, {});
    if (State.topmostMade) SetTopmost(false);
    State.topmostDecided = false;
    HideSurround();
}

void EndPlay() {
    ReleasePlay();
    EndSurround();
    if (State.hotkeyHeld) platform::UnregisterHotKey(kPauseKeyId);
    State = PlayState{};
    SetBeforeErrorBox(nullptr);
}
