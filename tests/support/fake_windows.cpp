// Top-level windows and the launcher's own windows on the simulated desktop.
#include "platform/windows.h"
#include "tests/support/fake_desktop.h"

namespace platform {

using fake::Active;
using fake::Call;

WindowHandle FindWindowA() {
    Active().count(Call::FindWindowA);
    return Active().topWindow();
}

WindowHandle FindWindowA(const std::string& className) {
    Active().count(Call::FindWindowA);
    return Active().windowOfClass(className);
}

WindowHandle GetWindow(WindowHandle window, std::uint32_t relation) {
    Active().count(Call::GetWindow);
    return relation == kGwHwndNext ? Active().nextWindow(window) : 0;
}

bool IsWindow(WindowHandle window) {
    Active().count(Call::IsWindow);
    return Active().windowExists(window);
}

int GetWindowTextA(WindowHandle window, char* buffer, int maxCount) {
    Active().count(Call::GetWindowTextA);
    return Active().windowText(window, buffer, maxCount);
}

int GetClassNameA(WindowHandle window, char* buffer, int maxCount) {
    Active().count(Call::GetClassNameA);
    return Active().className(window, buffer, maxCount);
}

std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& processId) {
    Active().count(Call::GetWindowThreadProcessId);
    return Active().windowProcess(window, processId);
}

WindowHandle GetAncestor(WindowHandle window, std::uint32_t flags) {
    Active().count(Call::GetAncestor);
    return flags == kGaRootOwner ? Active().rootOwner(window) : 0;
}

bool GetWindowRect(WindowHandle window, Rect& rect) {
    Active().count(Call::GetWindowRect);
    return Active().windowRect(window, rect);
}

bool GetClientRect(WindowHandle window, Rect& rect) {
    Active().count(Call::GetClientRect);
    return Active().clientRect(window, rect);
}

bool GetWindowInfo(WindowHandle window, WindowInfo& info) {
    Active().count(Call::GetWindowInfo);
    return Active().windowInfo(window, info);
}

std::uint32_t GetWindowLongA(WindowHandle window, int index) {
    Active().count(Call::GetWindowLongA);
    return Active().windowLong(window, index);
}

std::uint32_t SetWindowLongA(WindowHandle window, int index, std::uint32_t value) {
    Active().count(Call::SetWindowLongA);
    return Active().setWindowLong(window, index, value);
}

bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                  std::uint32_t flags) {
    Active().count(Call::SetWindowPos);
    return Active().setWindowPos(window, insertAfter, x, y, cx, cy, flags);
}

WindowHandle GetForegroundWindow() {
    Active().count(Call::GetForegroundWindow);
    return Active().foreground();
}

bool SetForegroundWindow(WindowHandle window) {
    Active().count(Call::SetForegroundWindow);
    if (!Active().windowExists(window)) return false;
    Active().activate(window);
    return true;
}

GdiHandle CreateSolidBrush(std::uint32_t colorRef) {
    Active().count(Call::CreateSolidBrush);
    return Active().createBrush(colorRef);
}

bool DeleteObject(GdiHandle object) {
    Active().count(Call::DeleteObject);
    return Active().deleteObject(object);
}

bool RegisterClassExA(const std::string& className, GdiHandle brush) {
    Active().count(Call::RegisterClassExA);
    return Active().registerClass(className, brush);
}

bool UnregisterClassA(const std::string& className) {
    Active().count(Call::UnregisterClassA);
    return Active().unregisterClass(className);
}

WindowHandle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const std::string& title,
                             std::uint32_t style, int x, int y, int cx, int cy) {
    Active().count(Call::CreateWindowExA);
    return Active().createOwnWindow(exStyle, className, title, style, {x, y, x + cx, y + cy});
}

bool DestroyWindow(WindowHandle window) {
    Active().count(Call::DestroyWindow);
    return Active().destroyOwnWindow(window);
}

}  // namespace platform
