// Top-level windows: the walk over them, what each tells (title, class, owning
// process, rectangles, styles), their place and Z-order, the foreground, and the
// launcher's own windows with their classes and brushes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace platform {

// ---- the window walk and what a window tells ----

constexpr std::uint32_t kGwHwndNext = 2;
constexpr std::uint32_t kGaRootOwner = 3;

// FindWindowA with a null class name and a null window name: the top-level window at
// the top of the Z-order, or 0 when there is none.
WindowHandle FindWindowA();
// FindWindowA with a class name (any case) and a null window name: the first
// top-level window of that class in the Z-order, shown or hidden; 0 when none.
WindowHandle FindWindowA(const std::string& className);
WindowHandle GetWindow(WindowHandle window, std::uint32_t relation);
bool IsWindow(WindowHandle window);
// Copies at most maxCount - 1 characters and a terminating NUL into buffer;
// returns the number of characters copied (0 on failure).
int GetWindowTextA(WindowHandle window, char* buffer, int maxCount);
// Copies the window's class name, at most maxCount - 1 characters and a NUL;
// returns the number of characters copied (0 on failure).
int GetClassNameA(WindowHandle window, char* buffer, int maxCount);
// Returns the thread identifier (0 on failure); writes the process identifier only
// when the call succeeds.
std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId);
// GetAncestor: with kGaRootOwner the end of the window's chain of parents and
// owners (the window itself when it has neither); 0 on failure.
WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags);

// ---- rectangles and styles ----

constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;
constexpr std::uint32_t kWsPopup = 0x80000000u;
constexpr std::uint32_t kWsVisible = 0x10000000u;
constexpr std::uint32_t kWsMinimize = 0x20000000u;
constexpr std::uint32_t kWsExTopmost = 0x8;
constexpr std::uint32_t kWsExToolWindow = 0x80;
constexpr std::uint32_t kWsExNoActivate = 0x08000000u;

bool GetWindowRect(WindowHandle window, Rect& rect);
bool GetClientRect(WindowHandle window, Rect& rect);
// GetWindowInfo: the outer rectangle and the client area in screen coordinates, the
// style and the extended style, in one call.
struct WindowInfo {
    Rect outer, client;
    std::uint32_t style = 0, exStyle = 0;
};
bool GetWindowInfo(WindowHandle window, WindowInfo& info);
// The window's style (kGwlStyle) or extended style (kGwlExStyle); 0 on failure.
std::uint32_t GetWindowLongA(WindowHandle window, int index);
// Returns the previous value, 0 on failure. A new frame takes effect only with a
// SetWindowPos that passes kSwpFrameChanged.
std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value);

// ---- place, size and Z-order ----

constexpr std::uint32_t kSwpNoSize = 0x1;
constexpr std::uint32_t kSwpNoMove = 0x2;
constexpr std::uint32_t kSwpNoZOrder = 0x4;
constexpr std::uint32_t kSwpNoActivate = 0x10;
constexpr std::uint32_t kSwpFrameChanged = 0x20;
constexpr std::uint32_t kSwpShowWindow = 0x40;
constexpr std::uint32_t kSwpHideWindow = 0x80;
// SetWindowPos's insert-after values for the topmost band.
constexpr WindowHandle kHwndTopmost = 0xFFFFFFFFu;    // HWND_TOPMOST, (HWND)-1
constexpr WindowHandle kHwndNoTopmost = 0xFFFFFFFEu;  // HWND_NOTOPMOST, (HWND)-2

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags);

// ---- the foreground ----

// The window the user works with now; 0 when there is none.
WindowHandle GetForegroundWindow();
bool SetForegroundWindow(WindowHandle window);

// ---- the launcher's own windows ----

// The clicks they get, in the launcher's queue.
constexpr std::uint32_t kWmLButtonDown = 0x201, kWmRButtonDown = 0x204, kWmMButtonDown = 0x207;

// A brush of one colour (COLORREF, 0x00BBGGRR); 0 on failure.
GdiHandle CreateSolidBrush(std::uint32_t colorRef);
bool DeleteObject(GdiHandle object);
// RegisterClassExA for windows of the launcher's own: painted with the brush, the
// arrow cursor, and a window procedure that answers WM_MOUSEACTIVATE with
// MA_NOACTIVATE (a click never activates them) and leaves the rest to DefWindowProcA.
// The brush must live until the class is unregistered.
bool RegisterClassExA(const std::string& className, GdiHandle brush);
bool UnregisterClassA(const std::string& className);
// CreateWindowExA of a top-level window of a class registered above: no parent, no
// menu. 0 on failure.
WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy);
// Only a window of the launcher's own thread.
bool DestroyWindow(WindowHandle window);

}  // namespace platform
