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

// The windows the creation hook noted, taken by the loop in order.
constexpr std::size_t kCreatedRoom = 256;
HWND Created[kCreatedRoom];
std::size_t CreatedFirst = 0, CreatedCount = 0;

// Out of context, so it runs in this thread while it takes its messages: it only notes.
void CALLBACK NoteCreatedWindow(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (event != EVENT_OBJECT_CREATE || object != OBJID_WINDOW || child != CHILDID_SELF || window == nullptr) return;
    if (CreatedCount == kCreatedRoom) return;
    Created[(CreatedFirst + CreatedCount++) % kCreatedRoom] = window;
}

// Each forwarding class's procedure, by the class's atom. A class is given its
// procedure here rather than through a window of its own: another program looking
// for the class by name could find that window in the moment it exists.
struct ClassProcedure {
    ATOM atom;
    WindowProcedure procedure;
};
constexpr std::size_t kClassRoom = 4;
ClassProcedure ClassProcedures[kClassRoom];

WindowProcedure ProcedureOf(ATOM atom) {
    for (const ClassProcedure& entry : ClassProcedures) {
        if (entry.atom == atom) return entry.procedure;
    }
    return nullptr;
}

LRESULT CALLBACK ForwardingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowProcedure procedure = ProcedureOf(static_cast<ATOM>(::GetClassWord(window, GCW_ATOM)));
    if (procedure != nullptr) {
        WindowMessage forwarded{FromHwnd(window), message, wParam, lParam, 0, std::string()};
        if (message == WM_COPYDATA && lParam != 0) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            forwarded.copyDataKind = data->dwData;
            if (data->lpData != nullptr) forwarded.copyData.assign(static_cast<const char*>(data->lpData), data->cbData);
        }
        std::intptr_t result = 0;
        if (procedure(forwarded, result)) return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A class of the launcher's own windows: the exe's, with the arrow cursor.
WNDCLASSEXA OwnClass(const std::string& className, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    return windowClass;
}

}  // namespace

// ---- the window walk and what a window tells ----

WindowHandle FindWindowA() { return FromHwnd(::FindWindowA(nullptr, nullptr)); }

WindowHandle FindWindowA(const std::string& className) { return FromHwnd(::FindWindowA(className.c_str(), nullptr)); }

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

// ---- windows as other programs create them ----

std::uint32_t SetWindowCreationHook() {
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, NoteCreatedWindow, 0, 0,
                                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook));
}

bool UnhookWinEvent(std::uint32_t hook) {
    return ::UnhookWinEvent(reinterpret_cast<HWINEVENTHOOK>(static_cast<std::uintptr_t>(hook))) != FALSE;
}

bool TakeCreatedWindow(WindowHandle& window) {
    if (CreatedCount == 0) return false;
    window = FromHwnd(Created[CreatedFirst]);
    CreatedFirst = (CreatedFirst + 1) % kCreatedRoom;
    --CreatedCount;
    return true;
}

// ---- the launcher's own windows ----

GdiHandle CreateSolidBrush(std::uint32_t colorRef) {
    return static_cast<GdiHandle>(reinterpret_cast<std::uintptr_t>(::CreateSolidBrush(colorRef)));
}

bool DeleteObject(GdiHandle object) { return ::DeleteObject(ToGdi(object)) != FALSE; }

bool RegisterClassExA(const std::string& className, GdiHandle brush) {
    WNDCLASSEXA windowClass = OwnClass(className, OwnWindowProcedure);
    windowClass.hbrBackground = static_cast<HBRUSH>(ToGdi(brush));
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

bool SetWindowTextA(WindowHandle window, const std::string& text) {
    return ::SetWindowTextA(ToHwnd(window), text.c_str()) != FALSE;
}

// ---- messages to windows ----

bool RegisterClassExA(const std::string& className, WindowProcedure procedure) {
    const WNDCLASSEXA windowClass = OwnClass(className, ForwardingProcedure);
    const ATOM atom = ::RegisterClassExA(&windowClass);
    if (atom == 0) return false;
    // A class unregistered and registered again may get its old atom back.
    ClassProcedure* slot = nullptr;
    for (ClassProcedure& entry : ClassProcedures) {
        if (entry.atom == atom || (slot == nullptr && entry.atom == 0)) slot = &entry;
        if (entry.atom == atom) break;
    }
    if (slot == nullptr) {
        ::UnregisterClassA(className.c_str(), ::GetModuleHandleA(nullptr));
        return false;
    }
    *slot = {atom, procedure};
    return true;
}

bool PostMessageA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return ::PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

bool SendCopyData(WindowHandle window, std::uintptr_t kind, const std::string& bytes, std::uint32_t timeoutMs) {
    COPYDATASTRUCT data = {kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(ToHwnd(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                 timeoutMs, &answer) != 0;
}

}  // namespace platform
