// Top-level windows and the launcher's own windows on the real system.
#include "platform/windows.h"

#include <windows.h>

#include "platform/win32/conversions.h"

namespace platform {

namespace {

HGDIOBJ ToGdi(GdiHandle object) { return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(object)); }

// The launcher's own windows never take the focus: a click leaves the foreground
// where it was, and the launcher gives it to the program's window itself.
LRESULT CALLBACK OwnWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// ---- the window walk and what a window tells ----

WindowHandle FindWindowA() { return FromHwnd(::FindWindowA(nullptr, nullptr)); }

WindowHandle FindWindowA(const std::string& className) {
    return FromHwnd(::FindWindowA(className.c_str(), nullptr));
}

WindowHandle GetWindow(WindowHandle window, std::uint32_t relation) {
    return FromHwnd(::GetWindow(ToHwnd(window), relation));
}

bool IsWindow(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

int GetWindowTextA(WindowHandle window, char* buffer, int maxCount) {
    return ::GetWindowTextA(ToHwnd(window), buffer, maxCount);
}

int GetClassNameA(WindowHandle window, char* buffer, int maxCount) {
    return ::GetClassNameA(ToHwnd(window), buffer, maxCount);
}

std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId) {
    DWORD pid = processId;
    DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &pid);
    processId = pid;
    return thread;
}

WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags) {
    return FromHwnd(::GetAncestor(ToHwnd(window), flags));
}

// ---- rectangles and styles ----

bool GetWindowRect(WindowHandle window, Rect& rect) {
    RECT r;
    if (!::GetWindowRect(ToHwnd(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool GetClientRect(WindowHandle window, Rect& rect) {
    RECT r;
    if (!::GetClientRect(ToHwnd(window), &r)) return false;
    rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool GetWindowInfo(WindowHandle window, WindowInfo& info) {
    WINDOWINFO raw = {};
    raw.cbSize = sizeof raw;
    if (!::GetWindowInfo(ToHwnd(window), &raw)) return false;
    info = {FromRect(raw.rcWindow), FromRect(raw.rcClient), raw.dwStyle, raw.dwExStyle};
    return true;
}

std::uint32_t GetWindowLongA(WindowHandle window, int index) {
    return static_cast<std::uint32_t>(::GetWindowLongA(ToHwnd(window), index));
}

std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value) {
    return static_cast<std::uint32_t>(::SetWindowLongA(ToHwnd(window), index, static_cast<LONG>(value)));
}

// ---- place, size and Z-order ----

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

// ---- the foreground ----

WindowHandle GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

// ---- the launcher's own windows ----

GdiHandle CreateSolidBrush(std::uint32_t colorRef) {
    return static_cast<GdiHandle>(reinterpret_cast<std::uintptr_t>(::CreateSolidBrush(colorRef)));
}

bool DeleteObject(GdiHandle object) { return ::DeleteObject(ToGdi(object)) != FALSE; }

bool RegisterClassExA(const std::string& className, GdiHandle brush) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnWindowProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(ToGdi(brush));
    windowClass.lpszClassName = className.c_str();
    return ::RegisterClassExA(&windowClass) != 0;
}

bool UnregisterClassA(const std::string& className) {
    return ::UnregisterClassA(className.c_str(), ::GetModuleHandleA(nullptr)) != FALSE;
}

WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy) {
    return FromHwnd(::CreateWindowExA(exStyle, className.c_str(), title.c_str(), style, x, y, cx, cy, nullptr,
                                      nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

bool DestroyWindow(WindowHandle window) { return ::DestroyWindow(ToHwnd(window)) != FALSE; }

}  // namespace platform
