// The builders that describe the simulated desktop's windows and programs:
//   aProgram().running(5000).showing(aWindow().withTitle("Editor").client(800, 600))
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace fake {

using platform::Rect;

// A top-level window, described with a builder:
//   aWindow().title("Editor").outer(0, 0, 816, 639).client(800, 600)
struct WindowSpec {
    std::string title;
    std::uint32_t pid = 0;  // 0 with a program: the launched process's own id
    Rect outer{0, 0, 640, 480};
    int clientWidth = 640, clientHeight = 480;
    int minWidth = 0, minHeight = 0;
    int maxWidth = 1 << 30, maxHeight = 1 << 30;
    bool refusesPlacement = false;
    std::int64_t appearsAfterMs = 0;  // relative to its program's start
    bool atBottom = false;            // created below every other window
    std::string className = "FakeWindow";

    WindowSpec& withTitle(std::string text) { title = std::move(text); return *this; }
    WindowSpec& ownedBy(std::uint32_t processId) { pid = processId; return *this; }
    WindowSpec& at(int left, int top, int right, int bottom) { outer = {left, top, right, bottom}; return *this; }
    WindowSpec& client(int width, int height) { clientWidth = width; clientHeight = height; return *this; }
    WindowSpec& minSize(int width, int height) { minWidth = width; minHeight = height; return *this; }
    WindowSpec& maxSize(int width, int height) { maxWidth = width; maxHeight = height; return *this; }
    WindowSpec& refusingPlacement() { refusesPlacement = true; return *this; }
    WindowSpec& appearingAfter(std::int64_t ms) { appearsAfterMs = ms; return *this; }
    WindowSpec& belowOthers() { atBottom = true; return *this; }

    // Styles: 0 takes those of a captioned, sizable window, or of a popup when the
    // window has no border. A window that refuses a style change keeps its styles.
    std::uint32_t style = 0, exStyle = 0;
    bool refusesStyleChange = false;
    WindowSpec& styles(std::uint32_t windowStyle, std::uint32_t extendedStyle) {
        style = windowStyle;
        exStyle = extendedStyle;
        return *this;
    }
    WindowSpec& refusingStyleChange() { refusesStyleChange = true; return *this; }
    WindowSpec& ofClass(std::string name) { className = std::move(name); return *this; }

    // A window of a program owned by that program's n-th window, as a dialog is.
    int ownerIndex = -1;
    WindowSpec& ownedByWindow(int index) { ownerIndex = index; return *this; }
};
// The hidden 1 x 1 companion the system gives a program's first window while its
// input method is on, of the given system class ("IME" or "MSCTFIME UI").
inline WindowSpec anInputMethodWindow(std::string className = "IME") {
    return WindowSpec{}.withTitle("Default IME").at(0, 0, 1, 1).client(1, 1).ofClass(std::move(className));
}
inline WindowSpec aWindow() { return WindowSpec{}; }

// What happens when the launcher starts a program file.
struct ProgramSpec {
    std::int64_t runsForMs = 1000;
    std::uint32_t exitCode = 0;
    bool failsToStart = false;
    std::vector<WindowSpec> windows;
    struct Child {
        std::string path;
        std::int64_t afterMs;
    };
    std::vector<Child> children;

    ProgramSpec& running(std::int64_t ms) { runsForMs = ms; return *this; }
    // Starts another configured program, as a child process, this long after its own start.
    ProgramSpec& starting(std::string path, std::int64_t afterMs = 0) {
        children.push_back({std::move(path), afterMs});
        return *this;
    }
    ProgramSpec& exitingWith(std::uint32_t code) { exitCode = code; return *this; }
    ProgramSpec& failingToStart() { failsToStart = true; return *this; }
    ProgramSpec& showing(WindowSpec window) { windows.push_back(std::move(window)); return *this; }
    // Runs as administrator, started so elsewhere; or asks for it in its manifest, so
    // that a launcher without those rights cannot start it (error 740).
    bool asAdministrator = false, requiresAdministrator = false;
    ProgramSpec& runningAsAdministrator() { asAdministrator = true; return *this; }
    ProgramSpec& requiringAdministrator() { requiresAdministrator = true; return *this; }
    // Ends a cycle after an event named the prefix and its process identifier is set,
    // as a supervisor honours its stop request; ends when WM_CLOSE is posted to a window of it.
    std::string endsOnEventPrefix;
    bool endsOnClose = false;
    ProgramSpec& endingOnEvent(std::string prefix) { endsOnEventPrefix = std::move(prefix); return *this; }
    ProgramSpec& endingOnClose() { endsOnClose = true; return *this; }
};
inline ProgramSpec aProgram() { return ProgramSpec{}; }

}  // namespace fake
