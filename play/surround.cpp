#include "play/surround.h"

#include <string>

#include "diagnostics/system_error.h"
#include "diagnostics/trace.h"
#include "geometry/display_area.h"
#include "platform/windows.h"
#include "play/play_rules.h"
#include "settings/colour_text.h"
#include "settings/displays.h"
#include "settings/settings.h"

namespace {

const char* const kClassName = "FramewrightSurround";
const char* const kTitle = "Framewright surround";

struct SurroundState {
    platform::WindowHandle window = 0;
    platform::GdiHandle brush = 0;
    bool up = false;
    platform::Rect at;  // the display it was put over last
    // What the cycles saw of the program's window: its style, and its rectangle
    // when the lock read it; with display=window, its display.
    platform::WindowHandle target = platform::kNoWindow;
    std::uint32_t style = 0;
    int cyclesSinceStyle = 0;
    bool outerKnown = false;
    platform::Rect outer;
    bool displayKnown = false;
    platform::Rect seen, display;
};

SurroundState State;

// The display the settings chose, or with display=window the one that holds the
// window now, looked up again only when the window's rectangle changed.
platform::Rect WantedDisplay(const platform::Rect* outer) {
    if (Settings.Display != DisplayChoice::Window) {
        return {DisplayLeft, DisplayTop, DisplayLeft + DisplayWidth, DisplayTop + DisplayHeight};
    }
    platform::Rect seen;
    if (outer != nullptr) seen = *outer;
    else if (!platform::GetWindowRect(TargetWindow, seen)) return State.at;
    if (!State.displayKnown || seen != State.seen) {
        State.seen = seen;
        State.displayKnown = DisplayRectOf(seen, State.display);
    }
    return State.displayKnown ? State.display : State.at;
}

void Put(const platform::Rect& display, bool show) {
    const std::uint32_t flags = platform::kSwpNoActivate | (show ? platform::kSwpShowWindow : 0);
    if (!platform::SetWindowPos(State.window, TargetWindow, display.left, display.top, display.right - display.left,
                                display.bottom - display.top, flags)) {
        return;
    }
    if (show || display != State.at) Trace("Surround over " + DisplayText(display));
    State.up = true;
    State.at = display;
}

bool IsButtonDown(std::uint32_t message) {
    return message == platform::kWmLButtonDown || message == platform::kWmRButtonDown ||
           message == platform::kWmMButtonDown;
}

}  // namespace

void StartSurround() {
    State = SurroundState{};
    if (!Settings.Surround) return;
    State.brush = platform::CreateSolidBrush(ColourRef(Settings.SurroundColour));
    if (State.brush != 0 && platform::RegisterClassExA(kClassName, State.brush)) {
        State.window = platform::CreateWindowExA(platform::kWsExToolWindow | platform::kWsExNoActivate, kClassName,
                                                 kTitle, platform::kWsPopup, 0, 0, 0, 0);
        if (State.window != 0) {
            SurroundWindow = State.window;
            Trace("Will surround the window with " + ColourText(Settings.SurroundColour));
            return;
        }
        platform::UnregisterClassA(kClassName);
    }
    const std::string reason = LastErrorText();
    if (State.brush != 0) platform::DeleteObject(State.brush);
    State = SurroundState{};
    Trace("Cannot make the surround (" + reason + "); running without it");
}

bool SurroundExists() { return State.window != 0; }

bool SurroundCycle(const platform::Rect* outer, bool placed, bool paused) {
    if (State.window == 0) return true;
    if (TargetWindow != State.target) {
        State.target = TargetWindow;
        State.outerKnown = State.displayKnown = false;
    }
    // Before the first placement and while paused nothing is wanted: nothing to read.
    if (!placed || paused) {
        HideSurround();
        return true;
    }
    const bool beneath = State.up && platform::GetWindow(TargetWindow, platform::kGwHwndNext) == State.window;
    const bool outerChanged = outer == nullptr || !State.outerKnown || *outer != State.outer;
    State.outerKnown = outer != nullptr;
    if (outer != nullptr) State.outer = *outer;
    if (SurroundStyleToRead(State.up, beneath, outerChanged, ++State.cyclesSinceStyle)) {
        State.style = platform::GetWindowLongA(TargetWindow, platform::kGwlStyle);
        State.cyclesSinceStyle = 0;
        // Every window has a style: none read is a window that is gone.
        if (State.style == 0 && !platform::IsWindow(TargetWindow)) {
            HideSurround();
            return false;
        }
    }
    const bool wanted = WantedSurround(placed, State.style, paused);
    const platform::Rect display = wanted ? WantedDisplay(outer) : State.at;
    switch (DecideSurround(wanted, State.up, beneath, display == State.at)) {
        case SurroundMove::Keep:
            break;
        case SurroundMove::Show:
            Put(display, true);
            break;
        case SurroundMove::Place:
            Put(display, false);
            break;
        case SurroundMove::Hide:
            HideSurround();
            break;
    }
    return true;
}

void HideSurround() {
    if (!State.up) return;
    platform::SetWindowPos(State.window, 0, 0, 0, 0, 0,
                           platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpNoZOrder |
                               platform::kSwpNoActivate | platform::kSwpHideWindow);
    State.up = false;
    Trace("Surround hidden");
}

void TakeSurroundClick(const platform::QueuedMessage& message) {
    if (State.window != 0 && message.window == State.window && IsButtonDown(message.message) &&
        TargetWindow != platform::kNoWindow) {
        platform::SetForegroundWindow(TargetWindow);
    }
}

void EndSurround() {
    if (State.window != 0) {
        platform::DestroyWindow(State.window);
        platform::UnregisterClassA(kClassName);
        platform::DeleteObject(State.brush);
        Trace("Surround removed");
    }
    State = SurroundState{};
    SurroundWindow = 0;
}
