// The cursor clip, hot keys, the thread's message queue and the system's sounds on
// the real system.
#include "platform/input.h"

#include <windows.h>

#include "platform/win32/conversions.h"

namespace platform {

// ---- the cursor clip ----

bool GetClipCursor(Rect& rect) {
    RECT raw;
    if (!::GetClipCursor(&raw)) return false;
    rect = FromRect(raw);
    return true;
}

bool ClipCursor(const Rect* rect) {
    if (rect == nullptr) return ::ClipCursor(nullptr) != FALSE;
    const RECT raw{rect->left, rect->top, rect->right, rect->bottom};
    return ::ClipCursor(&raw) != FALSE;
}

// ---- hot keys ----

bool RegisterHotKey(std::uint32_t id, std::uint32_t modifiers, std::uint32_t key) {
    return ::RegisterHotKey(nullptr, static_cast<int>(id), modifiers, key) != FALSE;
}

bool UnregisterHotKey(std::uint32_t id) { return ::UnregisterHotKey(nullptr, static_cast<int>(id)) != FALSE; }

// ---- the thread's message queue ----

std::uint32_t MsgWaitForMultipleObjects(const KernelHandle* handles, std::uint32_t count,
                                        std::uint32_t milliseconds) {
    // One place is kept for the queue's own answer.
    HANDLE system[MAXIMUM_WAIT_OBJECTS];
    if (count > MAXIMUM_WAIT_OBJECTS - 1) count = MAXIMUM_WAIT_OBJECTS - 1;
    for (std::uint32_t i = 0; i < count; ++i) system[i] = ToHandle(handles[i]);
    return ::MsgWaitForMultipleObjects(count, system, FALSE, milliseconds, QS_ALLINPUT);
}

bool PeekMessageA(QueuedMessage& message) {
    MSG raw;
    if (!::PeekMessageA(&raw, nullptr, 0, 0, PM_REMOVE)) return false;
    message = {FromHwnd(raw.hwnd), raw.message, raw.wParam, raw.lParam, raw.time, {raw.pt.x, raw.pt.y}};
    return true;
}

void DispatchMessageA(const QueuedMessage& message) {
    const MSG raw{ToHwnd(message.window), message.message, message.wParam, message.lParam, message.time,
                  {message.point.x, message.point.y}};
    ::DispatchMessageA(&raw);
}

// ---- sounds ----

bool MessageBeep(std::uint32_t type) { return ::MessageBeep(type) != FALSE; }

}  // namespace platform
